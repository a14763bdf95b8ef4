#include "controls/skControl.h"

#include "engine/skValues.h"

void TSkControl::SetColor(TColor color) {
  hasColor_ = true;
  color_ = color;
  QPalette palette = self_->palette();
  palette.setColor(QPalette::Window, ToQColor(color));
  palette.setColor(QPalette::Base, ToQColor(color));
  self_->setPalette(palette);
  self_->setAutoFillBackground(true);
}
