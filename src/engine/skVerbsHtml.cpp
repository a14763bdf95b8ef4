// Verbs that act on HTML panes. Each names the pane in its first argument.
#include "engine/skDispatch.h"
#include "engine/skUseStract.h"
#include "html/skHTML.h"

namespace {

TSkHtml* Pane(TVerbCall& c) {
  return c.engine.Get<TSkHtml>(c.a1, TControlType::Html);
}

// One step in the history; the tree follows to whatever page is shown afterwards, also when the
// step went nowhere.
void Step(TVerbCall& c, int delta) {
  if (TSkHtml* pane = Pane(c)) {
    pane->SetHistoryIndex(pane->HistoryIndex() + delta);
    pane->SyncTree(pane->CurrentFile());
  }
}

void Back(TVerbCall& c) {
  Step(c, +1);
}

void Forward(TVerbCall& c) {
  Step(c, -1);
}

void Copy(TVerbCall& c) {
  if (TSkHtml* pane = Pane(c)) pane->CopyToClipboard();
}

void SelectAll(TVerbCall& c) {
  if (TSkHtml* pane = Pane(c)) pane->SelectAll();
}

void Load(TVerbCall& c) {
  if (TSkHtml* pane = Pane(c)) {
    pane->SyncTree(c.a2);
    pane->LoadPage(c.a2);
  }
}

void Print(TVerbCall& c) {
  if (TSkHtml* pane = Pane(c)) PrintHtml(*pane);
}

void GoTop(TVerbCall& c) {
  if (TSkHtml* pane = Pane(c)) pane->SetDocPosition(0);
}

void GoHistory(TVerbCall& c) {
  if (TSkHtml* pane = Pane(c)) pane->SetHistoryIndex(StrToInt(c.a2));
}

}  // namespace

void AddHtmlVerbs(TVerbTable& table) {
  table["html_back"] = Back;
  table["html_forward"] = Forward;
  table["html_copy"] = Copy;
  table["html_sel_all"] = SelectAll;
  table["html_load"] = Load;
  table["html_print"] = Print;
  table["html_go_top"] = GoTop;
  table["html_go_history"] = GoHistory;
}
