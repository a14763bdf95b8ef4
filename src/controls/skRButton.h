// The "r_button" control: a radio button; the radio buttons of one parent exclude each other.
#pragma once

#include <QRadioButton>
#include <string>

#include "controls/skControl.h"

class TSkRadioButton : public QRadioButton, public TSkControl {
  Q_OBJECT

 public:
  explicit TSkRadioButton(QWidget* parent);

  bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) override;
  void Dump(TDumpFields& out) const override;

  void SetCaption(const std::string& caption) override;
  bool HasCaption() const override { return true; }
  std::string Caption() const override;

  // Unlike Qt's exclusive buttons, a selected one can be cleared, as a structure file may ask.
  void SetChecked(bool on);
};
