#include "controls/skEditBox.h"

#include <QKeyEvent>

#include "commands/skHotKey.h"
#include "engine/skProperty.h"
#include "engine/skUseStract.h"
#include "util/cp1251.h"

namespace {

// Whether a key press types a character that number mode refuses. Backspace counts as typed, as
// it did in the original; keys that type nothing (Delete, arrows) pass.
bool RefusedInNumberMode(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Backspace) return true;
  const QString text = event.text();
  if (text.isEmpty()) return false;
  for (QChar c : text)
    if (c < u'0' || c > u'9') return true;
  return false;
}

}  // namespace

TSkEditBox::TSkEditBox(QWidget* parent) : QLineEdit(parent), TSkControl(this) {
  setFocusPolicy(Qt::StrongFocus);
  setFrame(true);
  clear();
}

bool TSkEditBox::SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
  if (key == "only_number") {
    OnlyNumber = StrToBoolDef(value, false);
  } else if (key == "min_link") {
    SetMinLink(engine.Get<TSkEditBox>(value, TControlType::EditBox));
  } else {
    return ApplySharedKey(engine, this, key, value, skAnchor | skAction | skHint);
  }
  return true;
}

void TSkEditBox::Dump(TDumpFields& out) const {
  out.emplace_back("text", Text());
  out.emplace_back("only_number", BoolToText(OnlyNumber));
  if (OnlyNumber) out.emplace_back("minimum", IntToStr(Minimum));
  if (minLink_) out.emplace_back("min_link", minLink_->Name);
}

void TSkEditBox::SetMinLink(TSkEditBox* box) {
  minLink_ = box && box->OnlyNumber ? box : nullptr;
}

int TSkEditBox::Number() const {
  if (!OnlyNumber) return 0;
  const std::string text = Text();
  return text.empty() ? 0 : StrToIntDef(text, 0);
}

void TSkEditBox::SetNumber(int n) {
  if (!OnlyNumber) return;
  setText(QString::number(n));
  PushMinimum();
}

void TSkEditBox::SetMinimum(int n) {
  Minimum = n;
  if (Number() < n) SetNumber(n);
}

void TSkEditBox::PushMinimum() {
  // A box linked to itself would only restate its own number.
  if (minLink_ && minLink_ != this) minLink_->SetMinimum(Number());
}

std::string TSkEditBox::Text() const {
  return cp1251::FromQString(text());
}

void TSkEditBox::SetText(const std::string& text) {
  setText(cp1251::ToQString(text));
}

void TSkEditBox::keyPressEvent(QKeyEvent* event) {
  // The engine sees every key first and does not consume it; on Enter it runs the action.
  if (const int key = VirtualKeyOf(KeyPressOf(*event))) {
    QPointer<TSkEditBox> alive(this);
    FireKeyDown(key);
    if (!alive) return;
  }
  if (OnlyNumber && RefusedInNumberMode(*event)) {
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void TSkEditBox::keyReleaseEvent(QKeyEvent* event) {
  QLineEdit::keyReleaseEvent(event);
  if (!OnlyNumber) return;
  if (Number() < Minimum)
    SetNumber(Minimum);
  else
    PushMinimum();
}
