#include "controls/skCheckBox.h"

#include "controls/skListBox.h"
#include "engine/skProperty.h"
#include "engine/skUseStract.h"
#include "util/cp1251.h"

TSkCheckBox::TSkCheckBox(QWidget* parent) : QCheckBox(parent), TSkControl(this) {
  setFocusPolicy(Qt::StrongFocus);
  // Only the user's clicks run the action: a "check" key applied while the box is built does not.
  connect(this, &QCheckBox::clicked, this, [this] { FireClick(); });
}

void TSkCheckBox::Prepare(const std::string& sectionName) {
  SetCaption(sectionName);
}

bool TSkCheckBox::SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
  if (key == "check") {
    setChecked(StrToBoolDef(value, false));
  } else if (key == "enable_control") {
    SetEnableControls(value);
  } else {
    return ApplySharedKey(engine, this, key, value, skAnchor | skAction | skHint | skCaption);
  }
  return true;
}

void TSkCheckBox::Dump(TDumpFields& out) const {
  out.emplace_back("checked", BoolToText(isChecked()));
  if (!EnableControls.empty()) out.emplace_back("enable_control", JoinTexts(EnableControls, ";"));
}

void TSkCheckBox::SetCaption(const std::string& caption) {
  setText(cp1251::ToQString(caption));
}

std::string TSkCheckBox::Caption() const {
  return cp1251::FromQString(text());
}

void TSkCheckBox::SetEnableControls(const std::string& text) {
  std::string rest = text;
  while (!rest.empty()) EnableControls.push_back(cp1251::Lower(SplitFirst(rest, ";")));
}
