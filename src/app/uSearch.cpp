#include "app/uSearch.h"

#include "util/cp1251.h"

TfrmSearch* frmSearch = nullptr;

TfrmSearch::TfrmSearch() {
  frmSearch = this;
  SetCaption(cp1251::FromUtf8("Поиск"));
  resize(367, 342);
}

TfrmSearch::~TfrmSearch() {
  if (frmSearch == this) frmSearch = nullptr;
}
