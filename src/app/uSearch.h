// The search window: full-text search over the manual's pages.
#pragma once

#include "controls/skForm.h"

class TfrmSearch : public TSkForm {
  Q_OBJECT

 public:
  TfrmSearch();
  ~TfrmSearch() override;
};

extern TfrmSearch* frmSearch;
