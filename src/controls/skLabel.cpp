#include "controls/skLabel.h"

#include <QApplication>
#include <QMouseEvent>

#include "controls/skButton.h"
#include "controls/skLayout.h"
#include "engine/skProperty.h"
#include "engine/skUseStract.h"
#include "util/cp1251.h"

TSkLabel::TSkLabel(QWidget* parent) : QLabel(parent), TSkControl(this) {
  setTextFormat(Qt::PlainText);
  SetTextAlign(TTextAlign::Left);
}

bool TSkLabel::SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
  if (key == "url") {
    SetUrlStyle(StrToBoolDef(value, false));
  } else if (key == "text_align") {
    SetTextAlign(ParseTextAlign(value));
  } else if (key == "html_title") {
    TSkControl* pane = engine.GetComponent(value, TControlType::Html);
    htmlTitle_ = pane ? pane->Widget() : nullptr;
  } else if (key == "word_wrap") {
    SetWordWrapping(StrToBoolDef(value, false));
  } else if (key == "auto_size") {
    SetAutoSize(StrToBoolDef(value, false));
  } else {
    return ApplySharedKey(engine, this, key, value,
                          skAnchor | skAction | skCaption | skHint | skFont | skSkin);
  }
  return true;
}

void TSkLabel::Dump(TDumpFields& out) const {
  out.emplace_back("url", BoolToText(url_));
  out.emplace_back("text_align", TextAlignText(textAlign_));
  out.emplace_back("word_wrap", BoolToText(wordWrap()));
  out.emplace_back("auto_size", BoolToText(autoSize_));
}

void TSkLabel::SetCaption(const std::string& caption) {
  setText(cp1251::ToQString(caption));
  FitToText();
}

std::string TSkLabel::Caption() const {
  return cp1251::FromQString(text());
}

void TSkLabel::SetUrlStyle(bool on) {
  url_ = on;
  QFont f = font();
  f.setBold(false);
  f.setItalic(false);
  f.setStrikeOut(false);
  f.setUnderline(on);
  setFont(f);
  QPalette p = palette();
  p.setColor(QPalette::WindowText,
             on ? QColor(0, 0, 255) : QApplication::palette().color(QPalette::WindowText));
  setPalette(p);
  if (on)
    setCursor(Qt::PointingHandCursor);
  else
    unsetCursor();
}

void TSkLabel::SetTextAlign(TTextAlign align) {
  textAlign_ = align;
  setAlignment(HorizontalAlignment(align) | Qt::AlignTop);
}

void TSkLabel::SetWordWrapping(bool on) {
  setWordWrap(on);
  FitToText();
}

void TSkLabel::SetAutoSize(bool on) {
  autoSize_ = on;
  FitToText();
}

void TSkLabel::FitToText() {
  if (!autoSize_) return;
  QRect bounds = geometry();
  if (wordWrap())
    bounds.setHeight(heightForWidth(width()));
  else
    bounds.setSize(sizeHint());
  if (bounds != geometry()) SetControlBounds(this, bounds);
}

void TSkLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    // A label with an action is a link, which is clicked rather than dragged.
    if (!Action.empty()) {
      pressed_ = true;
      event->accept();
      return;
    }
    if (OnDragWindow) {
      OnDragWindow();
      event->accept();
      return;
    }
  }
  QLabel::mousePressEvent(event);
}

void TSkLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (click && !Action.empty()) {
    event->accept();
    FireClick();
    return;
  }
  QLabel::mouseReleaseEvent(event);
}

void TSkLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) FitToText();
}
