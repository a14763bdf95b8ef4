#include "controls/skSpeedButton.h"

#include <QMenu>

#include "controls/skSkin.h"
#include "controls/skTreeView.h"
#include "engine/skProperty.h"
#include "engine/skUseStract.h"
#include "util/cp1251.h"

namespace {

QObject* ObjectOf(TSkControl* control) {
  return control ? control->Widget() : nullptr;
}

}  // namespace

TSkSpeedButton::TSkSpeedButton(QWidget* parent) : QToolButton(parent), TSkControl(this) {
  // The shown down state must be able to persist even outside a group; nextCheckState decides
  // what a click does with it.
  setCheckable(true);
  SetTransparent(true);
  connect(this, &QToolButton::toggled, this, [this](bool on) {
    if (on) ReleaseGroupPartners();
  });
  connect(this, &QToolButton::clicked, this, [this] { FireClick(); });
}

bool TSkSpeedButton::SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
  if (key == "transparent") {
    SetTransparent(StrToBoolDef(value, true));
  } else if (key == "group") {
    SetGroupIndex(StrToInt(value));
  } else if (key == "down") {
    SetDown(StrToBoolDef(value, false));
    DownState = Down();
  } else if (key == "but_next_tree") {
    nextTree_ = ObjectOf(engine.GetComponent(value, TControlType::Tree));
    if (auto* tree = qobject_cast<TSkTree*>(nextTree_.data())) tree->SetNextButton(this);
  } else if (key == "but_prev_tree") {
    prevTree_ = ObjectOf(engine.GetComponent(value, TControlType::Tree));
    if (auto* tree = qobject_cast<TSkTree*>(prevTree_.data())) tree->SetPrevButton(this);
  } else if (key == "menu") {
    menu_ = ObjectOf(engine.GetComponent(value, TControlType::PopMenu));
    if (auto* menu = qobject_cast<QMenu*>(menu_.data())) SetMenuPopup(menu);
  } else {
    return ApplySharedKey(engine, this, key, value,
                          skAnchor | skAction | skCaption | skHint | skFont | skSkin);
  }
  return true;
}

void TSkSpeedButton::Dump(TDumpFields& out) const {
  out.emplace_back("down", BoolToText(Down()));
  out.emplace_back("down_state", BoolToText(DownState));
  if (group_ != 0) out.emplace_back("group", IntToStr(group_));
}

void TSkSpeedButton::SetCaption(const std::string& caption) {
  setText(cp1251::ToQString(caption));
}

std::string TSkSpeedButton::Caption() const {
  return cp1251::FromQString(text());
}

void TSkSpeedButton::ToggleDown() {
  DownState = !DownState;
  SetDown(DownState);
}

void TSkSpeedButton::SetDown(bool down) {
  setChecked(down);
}

void TSkSpeedButton::SetGroupIndex(int group) {
  group_ = group;
  if (Down()) ReleaseGroupPartners();
}

void TSkSpeedButton::SetTransparent(bool on) {
  transparent_ = on;
  setAutoFillBackground(!on);
}

void TSkSpeedButton::SetMenuPopup(QMenu* menu) {
  setMenu(menu);
  setPopupMode(menu ? QToolButton::MenuButtonPopup : QToolButton::DelayedPopup);
}

void TSkSpeedButton::nextCheckState() {
  if (group_ == 0) return;
  if (HasGroupPartners())
    setChecked(true);
  else
    setChecked(!isChecked());
}

bool TSkSpeedButton::HasGroupPartners() const {
  if (!parentWidget()) return false;
  for (auto* other : parentWidget()->findChildren<TSkSpeedButton*>(Qt::FindDirectChildrenOnly))
    if (other != this && other->group_ == group_) return true;
  return false;
}

void TSkSpeedButton::ReleaseGroupPartners() {
  if (group_ == 0 || !parentWidget()) return;
  for (auto* other : parentWidget()->findChildren<TSkSpeedButton*>(Qt::FindDirectChildrenOnly))
    if (other != this && other->group_ == group_) other->setChecked(false);
}
