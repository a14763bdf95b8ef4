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
  // Built by the search and thesaurus windows on themselves; kept here where the search code
  // reaches them. The thesaurus engine exists only while its window is open.
  TSkStract* SearchEngine = nullptr;
  TSkStract* ThesaurusEngine = nullptr;

  // --- search state ---
  // "title=file" lines of the last search, kept while the program runs.
  TStrings SearchResults;
  bool Searching = false;
  std::string QueryText;   // as typed; marked in an opened result
  int SavedPanelHeight = 0;

  // The owner handlers of the two engines.
  void MainMenuAction(const RHelpAction& action);
  void ReadingAction(const RHelpAction& action);

  // --- search and thesaurus (uSearch, uTezaurus) ---
  void SearchAction(const RHelpAction& action);
  void ThesaurusAction(const RHelpAction& action);
  void EnableScopes(bool enabled);
  void ScanAllPages(const std::string& query);
  void ShowResults();
  void ShowResultsPanel(bool show);
  void OpenResult();
  // "go_find": the search window in front, modeless, with the focus in its query.
  void GoFind();
  // "go_tesaurus": a thesaurus window of its own, shown modally and destroyed when it closes.
  void GoThesaurus();

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

// Whether the first verb of `action` is `verb`; any other action is shown whole in a message, as
// every owner handler does with what it does not know.
bool AcceptVerb(const RHelpAction& action, const char* verb);

// The three windows that live as long as the program.
extern TfrmMain* frmMain;
