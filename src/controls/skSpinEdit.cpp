#include "controls/skSpinEdit.h"

#include "engine/skProperty.h"
#include "engine/skUseStract.h"

namespace {

// Qt's own range is only a frame wide enough for any limit a structure file can write; the limits
// themselves are kept by the change handler.
constexpr double kOuterRange = 1e15;

std::string NumberText(double value) {
  return QString::number(value, 'g', 15).toStdString();
}

}  // namespace

TSkSpinEdit::TSkSpinEdit(QWidget* parent) : QDoubleSpinBox(parent), TSkControl(this) {
  setFocusPolicy(Qt::StrongFocus);
  setDecimals(0);
  setRange(-kOuterRange, kOuterRange);
  setValue(0);
  connect(this, &QDoubleSpinBox::valueChanged, this, [this] { KeepInLimits(); });
}

bool TSkSpinEdit::SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
  if (key == "min") {
    SetLowLimit(StrToInt(value));
  } else if (key == "max") {
    SetHighLimit(StrToInt(value));
  } else {
    return ApplySharedKey(engine, this, key, value, skAnchor | skHint);
  }
  return true;
}

void TSkSpinEdit::Dump(TDumpFields& out) const {
  out.emplace_back("value", NumberText(value()));
  out.emplace_back("min", NumberText(low_));
  out.emplace_back("max", NumberText(high_));
}

void TSkSpinEdit::SetLowLimit(double x) {
  low_ = x;
  if (x > value()) setValue(x);
}

void TSkSpinEdit::SetHighLimit(double x) {
  high_ = x;
  if (value() > x) setValue(x);
}

void TSkSpinEdit::KeepInLimits() {
  if (adjusting_) return;
  double target = value();
  if (target < low_) target = low_;
  if (target > high_) target = high_;
  if (target == value()) return;
  adjusting_ = true;
  setValue(target);
  adjusting_ = false;
}
