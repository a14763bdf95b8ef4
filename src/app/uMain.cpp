#include "app/uMain.h"

#include <QCloseEvent>

#include "app/uAbout.h"
#include "app/uSearch.h"
#include "archive/gPack.h"
#include "engine/skUseStract.h"
#include "platform/pfDesktop.h"
#include "util/cp1251.h"

TfrmMain* frmMain = nullptr;

TfrmMain::TfrmMain() {
  frmMain = this;
  setObjectName("frmMain");
  SetCaption(cp1251::FromUtf8("Ремонт"));
  SetClientSize(775, 513);
  SetMinimizeButton(true);
  SetMaximizeButton(true);
  FormCreate();
}

TfrmMain::~TfrmMain() {
  FormCloseQuery();
  if (frmMain == this) frmMain = nullptr;
}

void TfrmMain::FormCreate() {
  // Without an archive every file is looked for beside the program, so the result is not checked.
  OpenArchive(ProgramPath("interface.dat"));
  mainMenu_ = std::make_unique<TSkStract>(this, "struct_main.txt");
  GuardedCall([this] { mainMenu_->LoadStructure(); });
  mainMenu_->OnCommand = [this](const RHelpAction& a) { MainMenuAction(a); };
  reading_ = std::make_unique<TSkStract>(this, "struct_show.txt");
  GuardedCall([this] { reading_->LoadStructure(); });
  reading_->OnCommand = [this](const RHelpAction& a) { ReadingAction(a); };
  mainMenu_->ShowPage();
  SearchResults.clear();
}

void TfrmMain::ShowAbout() {
  TfrmAbout about(this);
  {
    TSkStract engine(&about, "struct_about.txt");
    GuardedCall([&] { engine.LoadStructure(); });
    engine.ShowPage();
    if (platform::desktop().Interactive()) about.ShowModal();
  }
}

void TfrmMain::MainMenuAction(const RHelpAction& action) {
  const TSkCommand parsed(action.Action);
  if (parsed.Count() == 0) return;
  const RCommand& first = parsed.Commands()[0];
  if (first.Verb == "go_main") {
    SetFramePainting(false);
    reading_->ShowPage();
    reading_->RunAction(std::string(first.Rest()));
    SetFramePainting(true);
  } else if (first.Verb == "about") {
    ShowAbout();
  } else {
    platform::ShowMessage(action.Action);
  }
}

void TfrmMain::ReadingAction(const RHelpAction& action) {
  const TSkCommand parsed(action.Action);
  if (parsed.Count() == 0) return;
  const RCommand& first = parsed.Commands()[0];
  if (first.Verb == "go_main_menu") {
    mainMenu_->ShowPage();
  } else if (first.Verb == "go_find") {
    GoFind();
  } else if (first.Verb == "go_tesaurus") {
    GoThesaurus();
  } else if (first.Verb == "about") {
    ShowAbout();
  } else {
    platform::ShowMessage(action.Action);
  }
}

bool AcceptVerb(const RHelpAction& action, const char* verb) {
  const TSkCommand parsed(action.Action);
  if (parsed.Count() > 0 && parsed.Commands()[0].Verb == verb) return true;
  platform::ShowMessage(action.Action);
  return false;
}

void TfrmMain::FormCloseQuery() {
  if (closed_) return;
  closed_ = true;
  // A full-text scan running under this close ends after its page instead of reading the rest of
  // a closed archive.
  Searching = false;
  if (frmSearch) frmSearch->close();
  CloseArchive();
  // Each engine saves its window position and favorites and removes its temporary file.
  mainMenu_.reset();
  reading_.reset();
  SearchResults.clear();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  FormCloseQuery();
  event->accept();
}
