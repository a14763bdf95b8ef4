#include "app/uMain.h"

#include <QCloseEvent>

#include "archive/gPack.h"
#include "util/cp1251.h"

TfrmMain* frmMain = nullptr;

TfrmMain::TfrmMain() {
  frmMain = this;
  SetCaption(cp1251::FromUtf8("Ремонт"));
  SetClientSize(775, 513);
  setWindowFlags(Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                 Qt::WindowCloseButtonHint);
  FormCreate();
}

TfrmMain::~TfrmMain() {
  FormCloseQuery();
  if (frmMain == this) frmMain = nullptr;
}

void TfrmMain::FormCreate() {
  // Without an archive every file is looked for beside the program, so the result is not checked.
  OpenArchive(ProgramPath("interface.dat"));
  SearchResults.clear();
}

void TfrmMain::FormCloseQuery() {
  if (closed_) return;
  closed_ = true;
  CloseArchive();
  SearchResults.clear();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  FormCloseQuery();
  event->accept();
}
