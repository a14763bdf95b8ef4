// Places the children of a container the way the original framework did: aligned children take
// the parent's edges in turn (top, bottom, left, right), a "client" child fills what is left, and
// the others keep their distances to the anchored sides when the parent changes size. Qt has no
// such layout, and structure files are written for this one.
#pragma once

#include <QObject>
#include <QWidget>

class TSkControl;

class TLayoutHost : public QObject {
  Q_OBJECT

 public:
  // The host of `container`, created on first use; it lives as long as the container.
  static TLayoutHost* Of(QWidget* container);

  // Lays out the aligned children now (done on every resize of the container as well).
  void Realign();

  // Remembers the distances of an anchored child to the right and bottom edges; called whenever a
  // child's bounds or anchors are set.
  static void RememberAnchorDistances(TSkControl* child);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit TLayoutHost(QWidget* container);
  void ApplyAnchors(QSize oldSize, QSize newSize);
  // Parent panels take their shares of the new size, and centred panels centre again.
  void FollowParent();
  QWidget* container_;
  QSize lastSize_;
  bool realigning_ = false;
};

// Sets a control's bounds in its parent's coordinates and keeps its anchor distances right.
void SetControlBounds(TSkControl* control, const QRect& bounds);

// Lays out the children of a control's parent after its align or size changed.
void RealignParent(TSkControl* control);
