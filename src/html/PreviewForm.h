// The print preview window.
#pragma once

#include "controls/skForm.h"

class TfrmPreviewForm : public TSkForm {
  Q_OBJECT

 public:
  TfrmPreviewForm();
  ~TfrmPreviewForm() override;
};

extern TfrmPreviewForm* frmPreviewForm;
