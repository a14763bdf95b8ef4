// The skin files an engine has loaded. A skin file is a Qt style sheet; a theme object is a name
// that the style sheet selects on (the widget property "theme").
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

class QWidget;

struct AExEngine {
  std::string FileName;  // without its folder
  QString StyleSheet;    // the loaded sheet
};

class TSkSkin {
 public:
  // Loads a skin file (1251 path) once per file name; true when it was not loaded before.
  bool AddSkin(const std::string& path);
  // The skin of that file name (folder ignored), or nullptr.
  const AExEngine* FindSkin(const std::string& name) const;
  const std::vector<std::unique_ptr<AExEngine>>& Skins() const { return skins_; }

 private:
  std::vector<std::unique_ptr<AExEngine>> skins_;
};

// Gives a widget a theme object (a named look of the skin in force) and repolishes it.
void SetThemeObject(QWidget* widget, const std::string& name);
std::string ThemeObject(const QWidget* widget);
// Applies a skin's style sheet to a window or control. A widget's built-in look (the style sheet
// in its property kBaseStyleSheetProperty) stays under the skin, so a skin that styles only a few
// parts leaves the others as they were.
void ApplySkin(QWidget* widget, const AExEngine* skin);
inline constexpr char kBaseStyleSheetProperty[] = "baseStyleSheet";
// The widget property theme objects live in.
inline constexpr char kThemeProperty[] = "theme";
