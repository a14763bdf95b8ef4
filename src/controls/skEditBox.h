// The "edit_box" control: a one-line text field whose Enter runs its action. In number mode it
// takes digits only, and a chain of linked boxes keeps every later box at least as large as the
// one before it (a "from" box linked to a "to" box).
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <string>

#include "controls/skControl.h"

class TSkEditBox : public QLineEdit, public TSkControl {
  Q_OBJECT

 public:
  explicit TSkEditBox(QWidget* parent);

  bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) override;
  void Dump(TDumpFields& out) const override;

  bool OnlyNumber = false;
  // The smallest number the box keeps after a key is released.
  int Minimum = 0;

  // Links `box` only when it is in number mode at this moment; otherwise clears the link.
  void SetMinLink(TSkEditBox* box);
  TSkEditBox* MinLink() const { return minLink_.data(); }

  // The text as an integer in number mode; 0 when empty, not a number, or not in number mode.
  int Number() const;
  // In number mode only: shows n and passes it on to the linked box.
  void SetNumber(int n);
  void SetMinimum(int n);
  // Makes this box's number the linked box's minimum.
  void PushMinimum();

  std::string Text() const;
  void SetText(const std::string& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  QPointer<TSkEditBox> minLink_;
};
