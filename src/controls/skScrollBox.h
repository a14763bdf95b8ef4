// The "scroll_box" control: a container larger inside than out. Its inner area grows to hold
// every freely placed child, and scroll bars appear when that is more than the box shows.
#pragma once

#include <QScrollArea>
#include <string>

#include "controls/skControl.h"

class TSkScrollBox : public QScrollArea, public TSkControl {
  Q_OBJECT

 public:
  explicit TSkScrollBox(QWidget* parent);

  bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) override;
  QWidget* ChildHost() override { return inner_; }

  // Sizes the inner area to the larger of the visible area and the children's extent.
  void UpdateScrollRange();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* inner_;
  bool updating_ = false;
};
