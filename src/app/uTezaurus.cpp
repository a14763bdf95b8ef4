#include "app/uTezaurus.h"

#include <QShowEvent>

#include "app/uMain.h"
#include "controls/skEditBox.h"
#include "controls/skLabel.h"
#include "engine/skUseStract.h"
#include "html/skHTML.h"
#include "platform/pfDesktop.h"
#include "util/cp1251.h"

TfrmTesaurus::TfrmTesaurus(QWidget* owner) : TSkForm(owner) {
  setObjectName("frmTesaurus");
  SetCaption(cp1251::FromUtf8("Тезаурус"));
  SetClientSize(783, 540);
}

void TfrmTesaurus::showEvent(QShowEvent* event) {
  TSkForm::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TfrmTesaurus::FormShow() {
  if (!frmMain || !frmMain->ThesaurusEngine) return;
  if (auto* edit = frmMain->ThesaurusEngine->Get<TSkEditBox>("edit_find", TControlType::EditBox))
    edit->setFocus();
}

void TfrmMain::GoThesaurus() {
  TfrmTesaurus window(this);
  TSkStract engine(&window, "struct_tesaurus.txt");
  ThesaurusEngine = &engine;
  GuardedCall([&] { engine.LoadStructure(); });
  engine.OnCommand = [this](const RHelpAction& action) { ThesaurusAction(action); };
  engine.ShowPage();
  // The window and its engine go when the modal loop ends; without a user nobody could end it.
  if (platform::desktop().Interactive()) window.ShowModal();
  ThesaurusEngine = nullptr;
}

void TfrmMain::ThesaurusAction(const RHelpAction& action) {
  if (!AcceptVerb(action, "find_tez")) return;
  TSkStract* engine = ThesaurusEngine;
  if (!engine) return;
  auto* status = engine->Get<TSkLabel>("label_status", TControlType::Label);
  auto* edit = engine->Get<TSkEditBox>("edit_find", TControlType::EditBox);
  if (status) status->SetCaption("");
  if (!edit) return;
  const std::string word = cp1251::FromQString(edit->text());
  if (word.empty()) {
    if (status) status->SetCaption(cp1251::FromUtf8("Введите текст"));
  } else if (auto* html = engine->Get<TSkHtml>("html_see", TControlType::Html)) {
    // The pane's find goes on from the last match, so repeating a word steps through the page.
    if (!html->FindText(word) && status) status->SetCaption(cp1251::FromUtf8("Текст не найден"));
  }
  edit->setFocus();
}
