#include "controls/skPanel.h"

#include <QMouseEvent>
#include <QPainter>

#include "controls/skLayout.h"
#include "engine/skUseStract.h"
#include "util/cp1251.h"

TSkPanel::TSkPanel(QWidget* parent) : QFrame(parent), TSkControl(this) {
  setFrameShape(QFrame::NoFrame);
  setLineWidth(0);
}

bool TSkPanel::SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
  if (key == "visible_ex") {
    if (StrToBoolDef(value, true)) ShowOrHide();
    return true;
  }
  // A panel takes every size limit but "max_height".
  if (key == "max_height") return false;
  return ApplySharedKey(engine, this, key, value, skAnchor | skAction | skSizeLimits | skCaption | skSkin);
}

void TSkPanel::AfterKeys(TSkStract& engine) {
  (void)engine;
  SetCaption({});
}

void TSkPanel::Dump(TDumpFields& out) const {
  if (CenterHorz || CenterVert) out.emplace_back("center", CenteringText(CenterHorz, CenterVert));
}

void TSkPanel::SetCaption(const std::string& caption) {
  caption_ = caption;
  update();
}

void TSkPanel::SetCenterHorz(bool on) {
  CenterHorz = on;
  if (on) Recenter();
}

void TSkPanel::SetCenterVert(bool on) {
  CenterVert = on;
  if (on) Recenter();
}

void TSkPanel::Recenter() {
  CenterInParent(this, CenterHorz, CenterVert);
}

void TSkPanel::ShowOrHide() {
  ShowOrHideInPlace(this, SavedLeft, SavedTop);
}

void TSkPanel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (caption_.empty()) return;
  QPainter painter(this);
  painter.drawText(contentsRect(), Qt::AlignCenter | Qt::TextShowMnemonic, cp1251::ToQString(caption_));
}

void TSkPanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && OnDragWindow) {
    OnDragWindow();
    event->accept();
    return;
  }
  QFrame::mousePressEvent(event);
}

void TSkPanel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    FireClick();
    event->accept();
    return;
  }
  QFrame::mouseDoubleClickEvent(event);
}

void ShowOrHideInPlace(TSkControl* control, int& savedLeft, int& savedTop) {
  QWidget* w = control->Widget();
  // The control's own flag, not whether it is on screen: a hidden window's panels still count as
  // visible here.
  const bool visible = !w->isHidden();
  if (visible) {
    savedLeft = w->x();
    savedTop = w->y();
  }
  w->setVisible(!visible);
  if (!visible) SetControlBounds(control, QRect(savedLeft, savedTop, w->width(), w->height()));
}

void CenterInParent(TSkControl* control, bool horz, bool vert) {
  QWidget* w = control->Widget();
  QWidget* parent = w->parentWidget();
  if (!parent || (!horz && !vert)) return;
  QRect bounds = w->geometry();
  // Integer division truncates towards zero, as the original did for a parent narrower than the
  // control.
  if (horz) bounds.moveLeft((parent->width() - w->width()) / 2);
  if (vert) bounds.moveTop((parent->height() - w->height()) / 2);
  SetControlBounds(control, bounds);
}

std::string CenteringText(bool horz, bool vert) {
  return std::string(horz ? "h" : "") + (vert ? "v" : "");
}
