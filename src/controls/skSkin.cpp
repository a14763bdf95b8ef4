#include "controls/skSkin.h"

#include <QStyle>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <string_view>

#include "archive/gPack.h"
#include "util/cp1251.h"
#include "util/uUtils.h"

namespace {

// File names are compared the way the file system of the manuals did it for Latin names only:
// Cyrillic letters in other capitals make another skin.
bool SameAsciiText(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

bool TSkSkin::AddSkin(const std::string& path) {
  if (path.empty()) return false;
  const std::string fileName = ExtractFileName(path);
  if (FindSkin(fileName)) return false;
  std::string bytes;
  LoadPackFile(bytes, path);
  auto skin = std::make_unique<AExEngine>();
  skin->FileName = fileName;
  skin->StyleSheet = cp1251::ToQString(bytes);
  skins_.push_back(std::move(skin));
  return true;
}

const AExEngine* TSkSkin::FindSkin(const std::string& name) const {
  const std::string fileName = ExtractFileName(name);
  for (const auto& skin : skins_)
    if (SameAsciiText(skin->FileName, fileName)) return skin.get();
  return nullptr;
}

void SetThemeObject(QWidget* widget, const std::string& name) {
  if (!widget) return;
  // No property at all for no theme, so that "[theme]" selectors do not match an empty one.
  widget->setProperty(kThemeProperty, name.empty() ? QVariant() : QVariant(cp1251::ToQString(name)));
  widget->style()->unpolish(widget);
  widget->style()->polish(widget);
  widget->update();
}

std::string ThemeObject(const QWidget* widget) {
  return widget ? cp1251::FromQString(widget->property(kThemeProperty).toString()) : std::string();
}

void ApplySkin(QWidget* widget, const AExEngine* skin) {
  if (!widget || !skin) return;
  const QString base = widget->property(kBaseStyleSheetProperty).toString();
  widget->setStyleSheet(base.isEmpty() ? skin->StyleSheet : base + QLatin1Char('\n') + skin->StyleSheet);
}
