#include "controls/skButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "controls/skSkin.h"
#include "engine/skProperty.h"
#include "engine/skUseStract.h"
#include "util/cp1251.h"

TSkButton::TSkButton(QWidget* parent) : QPushButton(parent), TSkControl(this) {
  setFocusPolicy(Qt::StrongFocus);
  SetTransparent(true);
  connect(this, &QPushButton::clicked, this, [this] { FireClick(); });
}

bool TSkButton::SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
  if (key == "text_align") {
    SetTextAlign(ParseTextAlign(value));
  } else if (key == "transparent") {
    SetTransparent(StrToBoolDef(value, true));
  } else if (key == "word_wrap") {
    SetWordWrap(StrToBoolDef(value, false));
  } else if (key == "skin") {
    ApplySkinWithFile(engine, this, value);
  } else {
    return ApplySharedKey(engine, this, key, value, skAnchor | skAction | skCaption | skHint | skFont);
  }
  return true;
}

void TSkButton::Dump(TDumpFields& out) const {
  out.emplace_back("text_align", TextAlignText(textAlign_));
  out.emplace_back("word_wrap", BoolToText(wordWrap_));
}

void TSkButton::SetCaption(const std::string& caption) {
  setText(cp1251::ToQString(caption));
}

std::string TSkButton::Caption() const {
  return cp1251::FromQString(text());
}

void TSkButton::SetTextAlign(TTextAlign align) {
  textAlign_ = align;
  update();
}

void TSkButton::SetWordWrap(bool on) {
  wordWrap_ = on;
  update();
}

void TSkButton::SetTransparent(bool on) {
  transparent_ = on;
  // A transparent button lets its parent's background show where the skin paints nothing.
  setAutoFillBackground(!on);
}

void TSkButton::paintEvent(QPaintEvent* event) {
  if (textAlign_ == TTextAlign::Center && !wordWrap_) {
    QPushButton::paintEvent(event);
    return;
  }
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  painter.drawControl(QStyle::CE_PushButtonBevel, option);
  const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  int flags = static_cast<int>(HorizontalAlignment(textAlign_)) | Qt::AlignVCenter | Qt::TextShowMnemonic;
  if (wordWrap_) flags |= Qt::TextWordWrap;
  painter.drawItemText(area, flags, option.palette, isEnabled(), option.text, QPalette::ButtonText);
}

void ApplySkinWithFile(TSkStract& engine, QWidget* widget, const std::string& value) {
  std::string rest = value;
  const std::string object = SplitFirst(rest, "*");
  const std::string file = SplitFirst(rest, "*");
  if (!object.empty()) SetThemeObject(widget, object);
  if (engine.Skins.AddSkin(file)) ApplySkin(widget, engine.Skins.FindSkin(file));
}

Qt::Alignment HorizontalAlignment(TTextAlign align) {
  switch (align) {
    case TTextAlign::Left:
      return Qt::AlignLeft;
    case TTextAlign::Right:
      return Qt::AlignRight;
    case TTextAlign::Center:
      break;
  }
  return Qt::AlignHCenter;
}

std::string TextAlignText(TTextAlign align) {
  switch (align) {
    case TTextAlign::Left:
      return "left";
    case TTextAlign::Right:
      return "right";
    case TTextAlign::Center:
      break;
  }
  return "center";
}
