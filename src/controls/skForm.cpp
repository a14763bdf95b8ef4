#include "controls/skForm.h"

#include "util/cp1251.h"

TSkForm::TSkForm(QWidget* owner) : QWidget(owner, owner ? Qt::Window : Qt::WindowFlags()) {}

void TSkForm::SetCaption(const std::string& caption) {
  setWindowTitle(cp1251::ToQString(caption));
}

void TSkForm::SetClientSize(int width, int height) {
  resize(width, height);
}
