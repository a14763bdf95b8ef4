#include "controls/skScrollBox.h"

#include <QChildEvent>
#include <QEvent>
#include <algorithm>

#include "engine/skProperty.h"
#include "engine/skUseStract.h"

TSkScrollBox::TSkScrollBox(QWidget* parent) : QScrollArea(parent), TSkControl(this), inner_(new QWidget) {
  setWidgetResizable(false);
  setWidget(inner_);
  inner_->installEventFilter(this);
  UpdateScrollRange();
}

bool TSkScrollBox::SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
  return ApplySharedKey(engine, this, key, value, skAnchor | skSkin);
}

void TSkScrollBox::UpdateScrollRange() {
  if (updating_) return;
  updating_ = true;
  QSize extent(0, 0);
  // Aligned children follow the inner area rather than set its size, or it could never shrink.
  for (QObject* object : inner_->children()) {
    auto* w = qobject_cast<QWidget*>(object);
    if (!w || w->isHidden() || w->isWindow()) continue;
    const TSkControl* c = AsControl(w);
    if (c && c->Align != TAlign::None && c->Align != TAlign::Custom) continue;
    extent = extent.expandedTo(QSize(w->geometry().right() + 1, w->geometry().bottom() + 1));
  }
  inner_->resize(extent.expandedTo(viewport()->size()));
  updating_ = false;
}

bool TSkScrollBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == inner_) {
    if (event->type() == QEvent::ChildAdded) {
      QObject* child = static_cast<QChildEvent*>(event)->child();
      if (child->isWidgetType()) child->installEventFilter(this);
      UpdateScrollRange();
    } else if (event->type() == QEvent::ChildRemoved) {
      UpdateScrollRange();
    }
  } else if (watched->parent() == inner_) {
    switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::ShowToParent:
      case QEvent::HideToParent:
        UpdateScrollRange();
        break;
      default:
        break;
    }
  }
  return QScrollArea::eventFilter(watched, event);
}

void TSkScrollBox::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  UpdateScrollRange();
}
