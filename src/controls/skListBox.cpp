#include "controls/skListBox.h"

#include <QMouseEvent>

#include "archive/gPack.h"
#include "engine/skProperty.h"
#include "engine/skUseStract.h"
#include "util/cp1251.h"

namespace {

const char* const kValueSeparator = "#;#";

}  // namespace

TSkListBox::TSkListBox(QWidget* parent) : QListWidget(parent), TSkControl(this) {
  setFocusPolicy(Qt::StrongFocus);
}

bool TSkListBox::SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
  if (key == "load") {
    LoadFile(value);
  } else if (key == "multiselect") {
    setSelectionMode(StrToBoolDef(value, false) ? QAbstractItemView::ExtendedSelection
                                                : QAbstractItemView::SingleSelection);
  } else {
    return ApplySharedKey(engine, this, key, value, skAnchor | skAction | skSkin);
  }
  return true;
}

void TSkListBox::Dump(TDumpFields& out) const {
  TStrings captions, values;
  for (int i = 0; i < count(); ++i) {
    captions.push_back(cp1251::FromQString(item(i)->text()));
    values.push_back(ValueOf(i));
  }
  out.emplace_back("items", JoinTexts(captions, "|"));
  out.emplace_back("values", JoinTexts(values, "|"));
  out.emplace_back("selected", IntToStr(currentRow()));
}

void TSkListBox::ClearItems() {
  clear();
  ItemValues.clear();
}

void TSkListBox::AddItem(const std::string& caption, const std::string& value) {
  addItem(cp1251::ToQString(caption));
  ItemValues.push_back(caption + kValueSeparator + value);
}

void TSkListBox::LoadItems(const TStrings& lines) {
  ClearItems();
  setUpdatesEnabled(false);
  for (const std::string& line : lines) {
    std::string value = line;
    const std::string caption = SplitFirst(value, kValueSeparator);
    AddItem(caption, value);
  }
  setUpdatesEnabled(true);
}

void TSkListBox::LoadFile(const std::string& name) {
  const TStrings lines = LoadListFile(name);
  if (!lines.empty()) LoadItems(lines);
}

std::string TSkListBox::ValueOf(int index) const {
  if (index < 0 || index >= static_cast<int>(ItemValues.size())) return {};
  std::string value = ItemValues[static_cast<std::size_t>(index)];
  SplitFirst(value, kValueSeparator);
  return value;
}

void TSkListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  QListWidget::mouseDoubleClickEvent(event);
  if (DoubleClickEnabled && event->button() == Qt::LeftButton) FireClick();
}

TStrings LoadListFile(const std::string& name) {
  std::string bytes;
  LoadPackFile(bytes, name);
  return SplitLines(bytes);
}

TStrings SplitLines(const std::string& text) {
  TStrings lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

std::string JoinTexts(const TStrings& texts, const std::string& separator) {
  std::string out;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i) out += separator;
    out += texts[i];
  }
  return out;
}
