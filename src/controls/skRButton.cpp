#include "controls/skRButton.h"

#include "engine/skProperty.h"
#include "engine/skUseStract.h"
#include "util/cp1251.h"

TSkRadioButton::TSkRadioButton(QWidget* parent) : QRadioButton(parent), TSkControl(this) {
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(false);
  setText({});
}

bool TSkRadioButton::SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
  if (key == "check") {
    SetChecked(StrToBoolDef(value, false));
    return true;
  }
  return ApplySharedKey(engine, this, key, value, skAnchor | skAction | skHint | skCaption);
}

void TSkRadioButton::Dump(TDumpFields& out) const {
  out.emplace_back("checked", BoolToText(isChecked()));
}

void TSkRadioButton::SetCaption(const std::string& caption) {
  setText(cp1251::ToQString(caption));
}

std::string TSkRadioButton::Caption() const {
  return cp1251::FromQString(text());
}

void TSkRadioButton::SetChecked(bool on) {
  if (on || !isChecked()) {
    setChecked(on);
    return;
  }
  setAutoExclusive(false);
  setChecked(false);
  setAutoExclusive(true);
}
