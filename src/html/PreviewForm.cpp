#include "html/PreviewForm.h"

#include "util/cp1251.h"

TfrmPreviewForm* frmPreviewForm = nullptr;

TfrmPreviewForm::TfrmPreviewForm() {
  frmPreviewForm = this;
  setObjectName("frmPreviewForm");
  SetCaption(cp1251::FromUtf8("Предварительный просмотр"));
  resize(783, 540);
}

TfrmPreviewForm::~TfrmPreviewForm() {
  if (frmPreviewForm == this) frmPreviewForm = nullptr;
}
