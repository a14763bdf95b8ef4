// The main window: the main menu and the reading view, two engines on one window.
#pragma once

#include <memory>

#include "commands/skCommand.h"
#include "controls/skForm.h"
#include "util/uUtils.h"

class TSkStract;

class TfrmMain : public TSkForm {
  Q_OBJECT

 public:
  TfrmMain();
  ~TfrmMain() override;

  TSkStract* MainMenuEngine() const { return mainMenu_.get(); }
  TSkStract* ReadingEngine() const { return reading_.get(); }
  // Built by the search window on itself; kept here where the search code reaches it.
  TSkStract* SearchEngine = nullptr;

  // Found results of the last full-text search, kept while the program runs.
  TStrings SearchResults;

  // The owner handlers of the two engines.
  void MainMenuAction(const RHelpAction& action);
  void ReadingAction(const RHelpAction& action);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void FormCloseQuery();
  void ShowAbout();
  std::unique_ptr<TSkStract> mainMenu_;
  std::unique_ptr<TSkStract> reading_;
  bool closed_ = false;
};

// The three windows that live as long as the program.
extern TfrmMain* frmMain;
