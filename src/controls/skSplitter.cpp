#include "controls/skSplitter.h"

#include <QMouseEvent>
#include <algorithm>

#include "controls/skLayout.h"
#include "controls/skPanel.h"
#include "engine/skProperty.h"
#include "engine/skUseStract.h"

TSkSplitter::TSkSplitter(QWidget* parent) : QFrame(parent), TSkControl(this) {
  Align = TAlign::Left;
  resize(3, 100);
  setCursor(Qt::SplitHCursor);
}

bool TSkSplitter::SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
  return ApplySharedKey(engine, this, key, value, skAction | skSkin);
}

void TSkSplitter::ShowOrHide() {
  ShowOrHideInPlace(this, SavedLeft, SavedTop);
}

QWidget* TSkSplitter::Neighbour() const {
  QWidget* parent = parentWidget();
  if (!parent) return nullptr;
  const QRect me = geometry();
  // A point just outside the splitter on its aligned side; the neighbour is what lies under it.
  QPoint probe;
  switch (Align) {
    case TAlign::Left:
      probe = QPoint(me.left() - 1, me.center().y());
      break;
    case TAlign::Right:
      probe = QPoint(me.right() + 1, me.center().y());
      break;
    case TAlign::Top:
      probe = QPoint(me.center().x(), me.top() - 1);
      break;
    case TAlign::Bottom:
      probe = QPoint(me.center().x(), me.bottom() + 1);
      break;
    default:
      return nullptr;
  }
  const bool before = Align == TAlign::Left || Align == TAlign::Top;
  for (QObject* object : parent->children()) {
    auto* w = qobject_cast<QWidget*>(object);
    if (!w || w == this || w->isHidden() || w->isWindow()) continue;
    QRect r = w->geometry();
    // A neighbour squeezed to nothing still touches the splitter and can be pulled out again.
    if (r.width() == 0) before ? r.setLeft(r.left() - 1) : r.setRight(r.right() + 1);
    if (r.height() == 0) before ? r.setTop(r.top() - 1) : r.setBottom(r.bottom() + 1);
    if (r.contains(probe)) return w;
  }
  return nullptr;
}

int TSkSplitter::Room(QWidget* neighbour) const {
  QWidget* parent = parentWidget();
  const bool horizontal = Horizontal();
  int room =
      horizontal ? parent->contentsRect().width() - width() : parent->contentsRect().height() - height();
  for (QObject* object : parent->children()) {
    TSkControl* c = AsControl(object);
    if (!c || c == this || c->Widget() == neighbour || c->Widget()->isHidden()) continue;
    if (horizontal && (c->Align == TAlign::Left || c->Align == TAlign::Right)) room -= c->Widget()->width();
    if (!horizontal && (c->Align == TAlign::Top || c->Align == TAlign::Bottom)) room -= c->Widget()->height();
  }
  return room;
}

void TSkSplitter::enterEvent(QEnterEvent* event) {
  // Follow the alignment the structure file gave, unless someone chose another cursor.
  const Qt::CursorShape shape = cursor().shape();
  if (shape == Qt::SplitHCursor || shape == Qt::SplitVCursor)
    setCursor(Horizontal() || Align == TAlign::None ? Qt::SplitHCursor : Qt::SplitVCursor);
  QFrame::enterEvent(event);
}

void TSkSplitter::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QFrame::mousePressEvent(event);
    return;
  }
  dragged_ = Neighbour();
  if (dragged_) {
    pressAt_ = event->globalPosition().toPoint();
    startSize_ = Horizontal() ? dragged_->width() : dragged_->height();
  }
  event->accept();
}

void TSkSplitter::mouseMoveEvent(QMouseEvent* event) {
  if (!dragged_ || !(event->buttons() & Qt::LeftButton)) {
    QFrame::mouseMoveEvent(event);
    return;
  }
  const QPoint delta = event->globalPosition().toPoint() - pressAt_;
  int size = startSize_;
  switch (Align) {
    case TAlign::Left:
      size += delta.x();
      break;
    case TAlign::Right:
      size -= delta.x();
      break;
    case TAlign::Top:
      size += delta.y();
      break;
    case TAlign::Bottom:
      size -= delta.y();
      break;
    default:
      return;
  }
  const int low = std::min(MinSize, startSize_);
  size = std::clamp(size, low, std::max(low, Room(dragged_)));
  QRect bounds = dragged_->geometry();
  // The far edge stays where it is for a neighbour on the right or below; realigning settles the
  // rest.
  switch (Align) {
    case TAlign::Left:
      bounds.setWidth(size);
      break;
    case TAlign::Right:
      bounds.setLeft(bounds.right() + 1 - size);
      break;
    case TAlign::Top:
      bounds.setHeight(size);
      break;
    default:
      bounds.setTop(bounds.bottom() + 1 - size);
      break;
  }
  if (TSkControl* c = AsControl(dragged_.data()))
    SetControlBounds(c, bounds);
  else
    dragged_->setGeometry(bounds);
  RealignParent(this);
  event->accept();
}

void TSkSplitter::mouseReleaseEvent(QMouseEvent* event) {
  dragged_ = nullptr;
  QFrame::mouseReleaseEvent(event);
}
