// The "button" control: a push button that runs its action when clicked.
#pragma once

#include <QPushButton>
#include <string>

#include "controls/skControl.h"

class TSkButton : public QPushButton, public TSkControl {
  Q_OBJECT

 public:
  explicit TSkButton(QWidget* parent);

  bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) override;
  void Dump(TDumpFields& out) const override;

  void SetCaption(const std::string& caption) override;
  bool HasCaption() const override { return true; }
  std::string Caption() const override;

  TTextAlign TextAlign() const { return textAlign_; }
  void SetTextAlign(TTextAlign align);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool on);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);

 protected:
  // Qt's push button neither aligns nor wraps its text, which structure files ask for.
  void paintEvent(QPaintEvent* event) override;

 private:
  TTextAlign textAlign_ = TTextAlign::Center;
  bool wordWrap_ = false;
  bool transparent_ = false;
};

// The "skin" key of the types whose second field names a skin file of their own: the first field
// is the theme object; the file is loaded into the engine's skins and given to the control only
// when this is the first control to name it.
void ApplySkinWithFile(TSkStract& engine, QWidget* widget, const std::string& value);

// Qt's horizontal alignment for a caption alignment.
Qt::Alignment HorizontalAlignment(TTextAlign align);
// The key text of a caption alignment, for dumps.
std::string TextAlignText(TTextAlign align);
