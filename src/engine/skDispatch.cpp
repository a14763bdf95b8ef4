// The dispatcher: action strings run as commands. Each verb is a small function in one table;
// the first verb the engine does not know goes, with everything after it, to the owner.
#include <QCoreApplication>
#include <QPointer>
#include <unordered_map>

#include "commands/skGlobal.h"
#include "controls/skButton.h"
#include "controls/skCheckBox.h"
#include "controls/skComboBox.h"
#include "controls/skEditBox.h"
#include "controls/skForm.h"
#include "controls/skListBox.h"
#include "controls/skPanel.h"
#include "controls/skSpeedButton.h"
#include "controls/skSplitter.h"
#include "controls/uFORM.h"
#include "engine/skDispatch.h"
#include "engine/skUseStract.h"
#include "platform/pfDesktop.h"
#include "util/cp1251.h"
#include "util/skUtils.h"

void GuardedCall(const std::function<void()>& work) {
  try {
    work();
  } catch (const std::exception& e) {
    platform::ShowMessage(e.what(), platform::MessageKind::Error);
  }
}

namespace {

template <class T>
T* Find(TVerbCall& c, TControlType type) {
  return c.engine.Get<T>(c.a1, type);
}

// Shows a window modally where someone can answer it; elsewhere builds and shows it only.
int RunModal(TSkForm* window) {
  if (platform::desktop().Interactive()) return window->ShowModal();
  window->show();
  QCoreApplication::processEvents();
  return 0;
}

void ClickBut(TVerbCall& c) {
  if (auto* b = Find<TSkButton>(c, TControlType::Button)) c.engine.DoClick(b);
}

void ClickSpBut(TVerbCall& c) {
  if (auto* b = Find<TSkSpeedButton>(c, TControlType::SpButton)) c.engine.DoClick(b);
}

void SpButtonDown(TVerbCall& c) {
  if (auto* b = Find<TSkSpeedButton>(c, TControlType::SpButton)) {
    const bool down = StrToBoolDef(c.a2, true);
    b->SetDown(down);
    b->DownState = down;
  }
}

void SButtonDown(TVerbCall& c) {
  if (auto* b = Find<TSkSpeedButton>(c, TControlType::SpButton)) b->ToggleDown();
}

void FormClose(TVerbCall& c) {
  c.engine.SuspendImageFit();
  TSkForm* window = c.engine.Window();
  if (c.a1.empty()) {
    platform::desktop().Quit(0);
    return;
  }
  window->ModalResult = StrToInt(c.a1);
  window->close();
}

void FormMini(TVerbCall& c) {
  c.engine.Window()->Minimize();
}

void FormMaxi(TVerbCall& c) {
  c.engine.SuspendImageFit();
  c.engine.Window()->ToggleMaximize();
  c.engine.ResumeImageFit();
  c.engine.Window()->update();
}

void FormShow(TVerbCall& c) {
  if (c.a1.empty()) return;
  // The window and its engine live exactly as long as the modal showing: the engine is destroyed
  // with its window, so its position, favorites and temporary file are handled like any other's.
  auto* window = new TfrmFORM(c.engine.Window());
  {
    TSkStract engine(window, c.a1);
    engine.LoadStructure();
    engine.ShowPage();
    RunModal(window);
  }
  delete window;
}

void Visible(TVerbCall& c) {
  if (TSkControl* control = c.engine.GetControl(c.a1))
    control->Widget()->setVisible(StrToBoolDef(c.a2, true));
}

void Enabled(TVerbCall& c) {
  if (TSkControl* control = c.engine.GetControl(c.a1))
    control->Widget()->setEnabled(StrToBoolDef(c.a2, true));
}

void SplitShowOrHide(TVerbCall& c) {
  if (auto* s = Find<TSkSplitter>(c, TControlType::Split)) s->ShowOrHide();
}

void PanelShowOrHide(TVerbCall& c) {
  if (auto* p = Find<TSkPanel>(c, TControlType::Panel)) p->ShowOrHide();
}

void ComboLoad(TVerbCall& c) {
  if (auto* box = Find<TSkComboBox>(c, TControlType::ComboBox)) {
    const QSignalBlocker quiet(box);  // refilling is not the user's choice: no action fires
    box->LoadFile(c.a2);
    box->setCurrentIndex(-1);
    box->setCurrentIndex(0);
  }
}

void Run(TVerbCall& c) {
  ShellRun(ProgramPath(c.a1), c.a2, "open");
}

void HelpIdVerb(TVerbCall& c) {
  c.engine.HelpId = c.a1;
}

void Help(TVerbCall& c) {
  // No help system to jump into here: the help file itself is opened for the reader.
  const std::string topic = c.a2.empty() ? c.engine.HelpId : c.a2;
  ShellRun(ProgramPath(c.a1), topic, "open");
}

void Test(TVerbCall& c) {
  platform::ShowMessage(c.a1 + "*" + c.a2);
}

void Nil(TVerbCall&) {}

TVerbTable& Verbs() {
  static TVerbTable verbs = [] {
    TVerbTable table = {
        {"click_but", ClickBut},
        {"click_spbut", ClickSpBut},
        {"spbutton_down", SpButtonDown},
        {"sbutton_down", SButtonDown},
        {"form_close", FormClose},
        {"form_mini", FormMini},
        {"form_maxi", FormMaxi},
        {"form_show", FormShow},
        {"visible", Visible},
        {"enabled", Enabled},
        {"split_show_or_hide", SplitShowOrHide},
        {"panel_show_or_hide", PanelShowOrHide},
        {"combo_load", ComboLoad},
        {"run", Run},
        {"help_id", HelpIdVerb},
        {"help", Help},
        {"test", Test},
        {"nil", Nil},
    };
    AddHtmlVerbs(table);
    AddTreeVerbs(table);
    return table;
  }();
  return verbs;
}

// Screen position of a control's client origin, as a button-fired record carries it.
void PlaceUnder(RHelpAction& record, QWidget* w) {
  const QPoint origin = w->mapToGlobal(QPoint(0, 0));
  record.Height = w->height();
  record.X = origin.x();
  record.Y = origin.y();
}

}  // namespace

void TSkStract::DoAction(const RHelpAction& action) {
  RHelpAction record = action;
  const TSkCommand parsed(record.Action);
  QPointer<TSkStract> self(this);
  for (int i = 0; i < parsed.Count(); ++i) {
    const RCommand& command = parsed.Commands()[static_cast<std::size_t>(i)];
    TVerbCall call{*this, command, GetArg(command.Args, 0), GetArg(command.Args, 1), record};
    const auto verb = Verbs().find(command.Verb);
    if (verb != Verbs().end()) {
      verb->second(call);
      if (!self) return;  // the verb closed the window and with it this engine
      continue;
    }
    if (!OnCommand) continue;
    RHelpAction handOff = record;
    handOff.Action = parsed.CommandText(i);
    if (!command.Rest().empty()) handOff.Action += "//" + std::string(command.Rest());
    OnCommand(handOff);
    return;
  }
}

void TSkStract::RunAction(const std::string& text) {
  DoAction(RHelpAction{text, 0, 0, 0});
}

void TSkStract::DoClick(TSkControl* sender) {
  RHelpAction record;
  switch (sender->Type) {
    case TControlType::ComboBox: {
      auto* box = dynamic_cast<TSkComboBox*>(sender);
      if (!box || box->currentIndex() < 0) return;
      record.Action = InsertValue(box->Action, box->SelectedValue(), false);
      break;
    }
    case TControlType::ListBox: {
      auto* box = dynamic_cast<TSkListBox*>(sender);
      if (!box) return;
      const int index = box->currentRow();
      if (index < 0 || index >= box->count()) return;
      const std::string value = box->ValueOf(index);
      if (value.empty()) return;
      record.Action = InsertValue(box->Action, value, true);
      break;
    }
    case TControlType::Button:
    case TControlType::SpButton:
      record.Action = sender->Action;
      PlaceUnder(record, sender->Widget());
      break;
    case TControlType::Image:
    case TControlType::Panel:
    case TControlType::Label:
      record.Action = sender->Action;
      break;
    case TControlType::CheckBox: {
      auto* box = dynamic_cast<TSkCheckBox*>(sender);
      if (!box) return;
      for (const std::string& name : box->EnableControls) {
        if (TSkControl* target = GetControl(name)) {
          target->Widget()->setEnabled(box->isChecked());
        } else {
          ReportError(cp1251::FromUtf8("Проверте параметр enable_control для чекьокса ") + box->Name);
        }
      }
      record.Action = InsertValue(box->Action, BoolToText(box->isChecked()), true);
      break;
    }
    default:
      if (std::optional<std::string> action = sender->ClickedAction())
        record.Action = *action;
      else
        return;
  }
  DoAction(record);
}

void TSkStract::DoClickItem(TSkItem* item) {
  DoAction(RHelpAction{item->Action, 0, 0, 0});
}

void TSkStract::DoKeyDown(TSkControl* sender, int key) {
  RHelpAction record;
  if (sender->Type == TControlType::EditBox && key == 13) record.Action = sender->Action;
  DoAction(record);
}

void TSkStract::DoItemSelect(TSkControl* sender, bool selected) {
  if (selected) DoClick(sender);
}
