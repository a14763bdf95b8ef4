// The main window: the main menu and the reading view of the manual.
#pragma once

#include <memory>

#include "controls/skForm.h"
#include "util/uUtils.h"

class TfrmMain : public TSkForm {
  Q_OBJECT

 public:
  TfrmMain();
  ~TfrmMain() override;

  // Found results of the last full-text search, kept while the program runs.
  TStrings SearchResults;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void FormCloseQuery();
  bool closed_ = false;
};

// The three windows that live as long as the program.
extern TfrmMain* frmMain;
