#include "controls/uFORM.h"

TfrmFORM::TfrmFORM(QWidget* owner) : TSkForm(owner) {
  setObjectName("frmFORM");  // its saved position is kept under this name
  setGeometry(200, 109, 783, 540);
  // The designed place is only where the window starts out; like every window it is centred when
  // first shown, unless whoever opened it places it on purpose.
  setAttribute(Qt::WA_Moved, false);
}
