// The search window: full-text search over the manual's pages.
#pragma once

#include <memory>

#include "controls/skForm.h"

class TSkStract;

class TfrmSearch : public TSkForm {
  Q_OBJECT

 public:
  TfrmSearch();
  ~TfrmSearch() override;

 private:
  std::unique_ptr<TSkStract> engine_;
};

extern TfrmSearch* frmSearch;
