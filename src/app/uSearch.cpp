#include "app/uSearch.h"

#include "app/uMain.h"
#include "engine/skUseStract.h"
#include "util/cp1251.h"

TfrmSearch* frmSearch = nullptr;

TfrmSearch::TfrmSearch() {
  frmSearch = this;
  setObjectName("frmSearch");
  SetCaption(cp1251::FromUtf8("Поиск"));
  resize(367, 342);
  engine_ = std::make_unique<TSkStract>(this, "struct_search.txt");
  GuardedCall([this] { engine_->LoadStructure(); });
  if (frmMain) frmMain->SearchEngine = engine_.get();
}

TfrmSearch::~TfrmSearch() {
  if (frmMain && frmMain->SearchEngine == engine_.get()) frmMain->SearchEngine = nullptr;
  engine_.reset();
  if (frmSearch == this) frmSearch = nullptr;
}
