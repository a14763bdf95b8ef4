// The generic window that the "form_show" verb opens for a structure file of its own.
#pragma once

#include "controls/skForm.h"

class TfrmFORM : public TSkForm {
  Q_OBJECT

 public:
  explicit TfrmFORM(QWidget* owner);
};
