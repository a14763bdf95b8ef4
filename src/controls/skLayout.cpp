#include "controls/skLayout.h"

#include <QChildEvent>
#include <QEvent>
#include <QResizeEvent>
#include <algorithm>
#include <vector>

#include "controls/skControl.h"
#include "controls/skParPanel.h"
#include "engine/skProperty.h"

namespace {

const char* const kHostProperty = "_remont_layout_host";

std::vector<TSkControl*> AlignedChildren(QWidget* container, TAlign align) {
  std::vector<TSkControl*> out;
  for (QObject* child : container->children()) {
    TSkControl* c = AsControl(child);
    if (c && c->Align == align && !c->Widget()->isHidden()) out.push_back(c);
  }
  return out;
}

}  // namespace

TLayoutHost::TLayoutHost(QWidget* container)
    : QObject(container), container_(container), lastSize_(container->size()) {
  container->installEventFilter(this);
  for (QObject* child : container->children())
    if (child->isWidgetType()) child->installEventFilter(this);
}

TLayoutHost* TLayoutHost::Of(QWidget* container) {
  if (!container) return nullptr;
  if (auto* host = container->property(kHostProperty).value<TLayoutHost*>()) return host;
  auto* host = new TLayoutHost(container);
  container->setProperty(kHostProperty, QVariant::fromValue(host));
  return host;
}

void TLayoutHost::Realign() {
  if (realigning_) return;
  realigning_ = true;
  QRect rest = container_->contentsRect();
  // Within one side, controls keep the order of their positions, as a person arranged them.
  auto place = [&](TAlign align, auto less, auto put) {
    std::vector<TSkControl*> list = AlignedChildren(container_, align);
    std::stable_sort(list.begin(), list.end(), less);
    for (TSkControl* c : list) put(c->Widget());
  };
  place(
      TAlign::Top, [](TSkControl* a, TSkControl* b) { return a->Widget()->y() < b->Widget()->y(); },
      [&](QWidget* w) {
        w->setGeometry(rest.left(), rest.top(), rest.width(), w->height());
        rest.setTop(rest.top() + w->height());
      });
  place(
      TAlign::Bottom,
      [](TSkControl* a, TSkControl* b) {
        return a->Widget()->geometry().bottom() > b->Widget()->geometry().bottom();
      },
      [&](QWidget* w) {
        w->setGeometry(rest.left(), rest.bottom() + 1 - w->height(), rest.width(), w->height());
        rest.setBottom(rest.bottom() - w->height());
      });
  place(
      TAlign::Left, [](TSkControl* a, TSkControl* b) { return a->Widget()->x() < b->Widget()->x(); },
      [&](QWidget* w) {
        w->setGeometry(rest.left(), rest.top(), w->width(), std::max(0, rest.height()));
        rest.setLeft(rest.left() + w->width());
      });
  place(
      TAlign::Right,
      [](TSkControl* a, TSkControl* b) {
        return a->Widget()->geometry().right() > b->Widget()->geometry().right();
      },
      [&](QWidget* w) {
        w->setGeometry(rest.right() + 1 - w->width(), rest.top(), w->width(), std::max(0, rest.height()));
        rest.setRight(rest.right() - w->width());
      });
  for (TSkControl* c : AlignedChildren(container_, TAlign::Client))
    c->Widget()->setGeometry(rest.left(), rest.top(), std::max(0, rest.width()), std::max(0, rest.height()));
  realigning_ = false;
}

void TLayoutHost::FollowParent() {
  // Shares first, then centring: a panel is centred at the size its share gives it.
  for (QObject* child : container_->children()) {
    if (auto* panel = dynamic_cast<TParentPanel*>(child)) panel->ApplyShares();
    if (auto* centred = dynamic_cast<TCentering*>(child)) centred->Recenter();
  }
}

void TLayoutHost::RememberAnchorDistances(TSkControl* child) {
  QWidget* w = child->Widget();
  QWidget* parent = w->parentWidget();
  if (!parent) return;
  child->AnchorRight = parent->width() - (w->x() + w->width());
  child->AnchorBottom = parent->height() - (w->y() + w->height());
}

void TLayoutHost::ApplyAnchors(QSize oldSize, QSize newSize) {
  // Right and bottom distances are kept absolute, so they hold however many size changes went
  // unseen (a hidden window gets one resize event for all of them); only a control anchored to
  // neither side drifts by the change itself.
  const QSize change = oldSize.isValid() ? newSize - oldSize : QSize(0, 0);
  for (QObject* object : container_->children()) {
    TSkControl* c = AsControl(object);
    if (!c || (c->Align != TAlign::None && c->Align != TAlign::Custom)) continue;
    QRect r = c->Widget()->geometry();
    if (c->Anchors.right) {
      if (c->Anchors.left)
        r.setWidth(std::max(0, newSize.width() - r.x() - c->AnchorRight));
      else
        r.moveLeft(newSize.width() - c->AnchorRight - r.width());
    } else if (!c->Anchors.left) {
      r.moveLeft(r.x() + change.width() / 2);
    }
    if (c->Anchors.bottom) {
      if (c->Anchors.top)
        r.setHeight(std::max(0, newSize.height() - r.y() - c->AnchorBottom));
      else
        r.moveTop(newSize.height() - c->AnchorBottom - r.height());
    } else if (!c->Anchors.top) {
      r.moveTop(r.y() + change.height() / 2);
    }
    c->Widget()->setGeometry(r);
  }
}

bool TLayoutHost::eventFilter(QObject* watched, QEvent* event) {
  if (watched == container_) {
    switch (event->type()) {
      case QEvent::Resize: {
        const QSize size = static_cast<QResizeEvent*>(event)->size();
        ApplyAnchors(lastSize_, size);
        lastSize_ = size;
        Realign();
        FollowParent();
        break;
      }
      case QEvent::ChildAdded: {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType()) child->installEventFilter(this);
        break;
      }
      case QEvent::LayoutRequest:
        Realign();
        break;
      default:
        break;
    }
    return false;
  }
  // An aligned child that appears, disappears or changes size moves its neighbours.
  switch (event->type()) {
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::Resize:
      if (TSkControl* c = AsControl(watched); c && c->Align != TAlign::None && c->Align != TAlign::Custom)
        Realign();
      break;
    default:
      break;
  }
  return false;
}

void SetControlBounds(TSkControl* control, const QRect& bounds) {
  control->Widget()->setGeometry(bounds);
  TLayoutHost::RememberAnchorDistances(control);
}

void RealignParent(TSkControl* control) {
  if (QWidget* parent = control->Widget()->parentWidget()) TLayoutHost::Of(parent)->Realign();
}
