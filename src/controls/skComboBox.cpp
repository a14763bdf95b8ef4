#include "controls/skComboBox.h"

#include <QWheelEvent>
#include <algorithm>

#include "controls/skButton.h"
#include "controls/skListBox.h"
#include "engine/skProperty.h"
#include "engine/skUseStract.h"
#include "util/cp1251.h"

TSkComboBox::TSkComboBox(QWidget* parent) : QComboBox(parent), TSkControl(this) {
  setFocusPolicy(Qt::StrongFocus);
  SetReadOnly(false);
  // Only the user's choice runs the action; filling or selecting from code does not.
  connect(this, &QComboBox::activated, this, [this](int index) {
    if (index >= 0) FireClick();
  });
}

bool TSkComboBox::SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
  if (key == "count_line") {
    setMaxVisibleItems(std::max(1, StrToInt(value)));
  } else if (key == "load") {
    LoadFile(value);
    setCurrentIndex(count() > 0 ? 0 : -1);
  } else if (key == "read_only") {
    SetReadOnly(StrToBoolDef(value, false));
  } else if (key == "skin") {
    ApplySkinWithFile(engine, this, value);
  } else {
    return ApplySharedKey(engine, this, key, value, skAnchor | skAction);
  }
  return true;
}

void TSkComboBox::Dump(TDumpFields& out) const {
  TStrings captions;
  for (int i = 0; i < count(); ++i) captions.push_back(cp1251::FromQString(itemText(i)));
  out.emplace_back("items", JoinTexts(captions, "|"));
  out.emplace_back("values", JoinTexts(ItemValues, "|"));
  out.emplace_back("selected", IntToStr(currentIndex()));
  out.emplace_back("read_only", BoolToText(ReadOnly));
  if (!ReadOnly) out.emplace_back("text", cp1251::FromQString(currentText()));
}

void TSkComboBox::SetReadOnly(bool on) {
  ReadOnly = on;
  setEditable(!on);
  if (!on) setInsertPolicy(QComboBox::NoInsert);
}

void TSkComboBox::ClearItems() {
  clear();
  ItemValues.clear();
}

void TSkComboBox::AddItem(const std::string& caption, const std::string& value) {
  if (caption.empty()) return;
  ItemValues.push_back(value);
  // Qt selects the first item added to an empty box; here adding selects nothing, as the "load"
  // key and the verbs that fill a box choose the selection themselves.
  const int selected = currentIndex();
  addItem(cp1251::ToQString(caption));
  if (selected < 0) setCurrentIndex(-1);
}

void TSkComboBox::LoadItems(const TStrings& lines) {
  for (const std::string& line : lines) {
    std::string value = line;
    const std::string caption = SplitFirst(value, ";");
    AddItem(caption, value);
  }
}

void TSkComboBox::LoadFile(const std::string& name) {
  ClearItems();
  const TStrings lines = LoadListFile(name);
  if (!lines.empty()) LoadItems(lines);
}

std::string TSkComboBox::SelectedValue() const {
  const int index = currentIndex();
  if (index < 0 || index >= static_cast<int>(ItemValues.size())) return {};
  return ItemValues[static_cast<std::size_t>(index)];
}

void TSkComboBox::wheelEvent(QWheelEvent* event) {
  event->accept();
}
