// The about window, built anew from its structure file each time it is asked for.
#pragma once

#include "controls/skForm.h"

class TfrmAbout : public TSkForm {
  Q_OBJECT

 public:
  explicit TfrmAbout(QWidget* owner);
};
