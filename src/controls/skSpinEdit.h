// The "spin_edit" control: a number field kept between a lower and an upper limit.
#pragma once

#include <QDoubleSpinBox>
#include <string>

#include "controls/skControl.h"

class TSkSpinEdit : public QDoubleSpinBox, public TSkControl {
  Q_OBJECT

 public:
  explicit TSkSpinEdit(QWidget* parent);

  bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) override;
  void Dump(TDumpFields& out) const override;

  double LowLimit() const { return low_; }
  double HighLimit() const { return high_; }
  // Raises the value to x when it is below.
  void SetLowLimit(double x);
  // Lowers the value to x when it is above.
  void SetHighLimit(double x);

 private:
  // Brings a changed value inside the limits: first up to the lower, then down to the upper, so
  // that crossed limits settle on the upper one instead of bouncing between the two.
  void KeepInLimits();

  double low_ = -1;
  double high_ = 1000000;
  bool adjusting_ = false;
};
