// The "split" control: a thin bar aligned to one side of its parent. Dragging it resizes the
// sibling it touches on that side, and the parent's aligned layout moves everything else.
#pragma once

#include <QFrame>
#include <QPointer>
#include <string>

#include "controls/skControl.h"

class TSkSplitter : public QFrame, public TSkControl {
  Q_OBJECT

 public:
  explicit TSkSplitter(QWidget* parent);

  bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) override;

  // The smallest size the dragged neighbour can be given.
  int MinSize = 30;

  int SavedLeft = 0;
  int SavedTop = 0;
  void ShowOrHide();

  // The visible sibling that the splitter touches on its aligned side, or null.
  QWidget* Neighbour() const;

 protected:
  void enterEvent(QEnterEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool Horizontal() const { return Align == TAlign::Left || Align == TAlign::Right; }
  // The most the neighbour can take along the dragged axis: the parent's client extent less the
  // splitter and the other controls aligned to the same two sides.
  int Room(QWidget* neighbour) const;

  QPointer<QWidget> dragged_;
  QPoint pressAt_;
  int startSize_ = 0;
};
