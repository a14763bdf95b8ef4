// Verbs that act on content trees.
#include "controls/skTreeView.h"
#include "engine/skDispatch.h"
#include "engine/skUseStract.h"

namespace {

TSkTree* Tree(TVerbCall& c) {
  return c.engine.Get<TSkTree>(c.a1, TControlType::Tree);
}

void GoHistory(TVerbCall& c) {
  if (TSkTree* tree = Tree(c)) tree->GoHistory(StrToInt(c.a2));
}

void Back(TVerbCall& c) {
  if (TSkTree* tree = Tree(c)) tree->GoHistory(tree->HistoryPos() + 1);
}

void Forward(TVerbCall& c) {
  if (TSkTree* tree = Tree(c)) tree->GoHistory(tree->HistoryPos() - 1);
}

void Go(TVerbCall& c) {
  if (TSkTree* tree = Tree(c)) {
    tree->setFocus();
    tree->SelectEntry(tree->FindNode(c.a2));
  }
}

void Next(TVerbCall& c) {
  if (TSkTree* tree = Tree(c)) tree->SelectNext();
}

void Prev(TVerbCall& c) {
  if (TSkTree* tree = Tree(c)) tree->SelectPrev();
}

void Expand(TVerbCall& c) {
  if (TSkTree* tree = Tree(c)) tree->ExpandAllEntries();
}

void Collapse(TVerbCall& c) {
  if (TSkTree* tree = Tree(c)) tree->CollapseAllEntries();
}

void ShowOrHide(TVerbCall& c) {
  if (TSkTree* tree = Tree(c)) tree->ShowOrHide();
}

}  // namespace

void AddTreeVerbs(TVerbTable& table) {
  table.insert({
      {"tree_go_history", GoHistory},
      {"tree_back", Back},
      {"tree_forward", Forward},
      {"tree_go", Go},
      {"tree_next", Next},
      {"tree_prev", Prev},
      {"tree_expand", Expand},
      {"tree_collapse", Collapse},
      {"tree_show_or_hide", ShowOrHide},
  });
}
