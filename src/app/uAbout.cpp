#include "app/uAbout.h"

TfrmAbout::TfrmAbout(QWidget* owner) : TSkForm(owner) {
  setObjectName("frmAbout");
  SetCaption("About");
  resize(370, 230);
}
