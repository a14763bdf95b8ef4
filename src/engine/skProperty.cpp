// SetProperty: the keys of one section applied to the object MakeObject has just built. Common
// keys go from the last to the first, type keys from the first to the last; the order decides
// which of two keys touching the same thing wins.
#include "engine/skProperty.h"

#include <QApplication>
#include <QIcon>
#include <QPalette>
#include <QToolTip>

#include "archive/gPack.h"
#include "controls/skControl.h"
#include "controls/skForm.h"
#include "controls/skLayout.h"
#include "controls/skParPanel.h"
#include "controls/skSkin.h"
#include "engine/skUseStract.h"
#include "engine/skValues.h"
#include "platform/pfDisk.h"
#include "util/cp1251.h"

namespace {

void ApplyFont(QWidget* widget, const std::string& value) {
  QFont font = widget->font();
  QColor color = widget->palette().color(QPalette::WindowText);
  ApplyFontValue(font, color, value);
  widget->setFont(font);
  QPalette palette = widget->palette();
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
    palette.setColor(role, color);
  widget->setPalette(palette);
}

void DragHandle(TSkStract& engine, TSkControl* control) {
  TSkForm* window = engine.Window();
  control->OnDragWindow = [window]() { window->DragWindow(); };
}

}  // namespace

void ApplyAnchorKey(TSkControl* control, const std::string& value) {
  const TAnchorValue a = ParseAnchor(value);
  QWidget* w = control->Widget();
  QWidget* parent = w->parentWidget();
  const QSize client = parent ? parent->contentsRect().size() : QSize();
  const QRect r = w->geometry();
  int left = r.left(), top = r.top(), right = r.left() + r.width(), bottom = r.top() + r.height();
  if (a.left)
    left = *a.left;
  else if (a.right)
    left = client.width() - *a.right - r.width();
  if (a.top)
    top = *a.top;
  else if (a.bottom)
    top = client.height() - *a.bottom - r.height();
  if (a.right)
    right = client.width() - *a.right;
  else if (a.left)
    right = *a.left + r.width();
  if (a.bottom)
    bottom = client.height() - *a.bottom;
  else if (a.top)
    bottom = *a.top + r.height();
  auto* centring = dynamic_cast<TCentering*>(control);
  if (a.left || a.right) {
    control->Anchors.left = a.left.has_value();
    control->Anchors.right = a.right.has_value();
  } else if (centring) {
    centring->SetCenterHorz(true);
  }
  if (a.top || a.bottom) {
    control->Anchors.top = a.top.has_value();
    control->Anchors.bottom = a.bottom.has_value();
  } else if (centring) {
    centring->SetCenterVert(true);
  }
  SetControlBounds(control, QRect(left, top, std::max(0, right - left), std::max(0, bottom - top)));
  if (centring && !(a.left || a.right || a.top || a.bottom)) {
    // Centring was switched on before the bounds were set; centre again at the final size.
    if (!a.left && !a.right) centring->SetCenterHorz(true);
    if (!a.top && !a.bottom) centring->SetCenterVert(true);
  }
}

bool ApplySharedKey(TSkStract& engine, TSkControl* control, const std::string& key, const std::string& value,
                    unsigned accepted) {
  QWidget* w = control->Widget();
  auto is = [&](const char* name, TSharedKey k) { return (accepted & k) && key == name; };
  if (is("action", skAction)) {
    control->Action = value;
  } else if (is("hint", skHint)) {
    w->setToolTip(cp1251::ToQString(value));
  } else if (is("caption", skCaption)) {
    control->SetCaption(value);
  } else if (is("font", skFont)) {
    ApplyFont(w, value);
  } else if (is("anchor", skAnchor)) {
    ApplyAnchorKey(control, value);
  } else if (is("skin", skSkin)) {
    const std::string object = GetStarField(value, 1);
    if (!object.empty()) SetThemeObject(w, object);
  } else if (is("menu", skMenu)) {
    engine.GetComponent(value, TControlType::PopMenu);
  } else if ((accepted & skSizeLimits) &&
             (key == "min_width" || key == "min_height" || key == "max_width" || key == "max_height")) {
    const int n = StrToInt(value);
    if (key == "min_width")
      w->setMinimumWidth(n);
    else if (key == "min_height")
      w->setMinimumHeight(n);
    else if (key == "max_width")
      w->setMaximumWidth(n);
    else
      w->setMaximumHeight(n);
  } else if (is("color", skColor)) {
    control->SetColor(ParseColor(value));
  } else if (is("move", skMove)) {
    if (StrToBoolDef(value, false)) DragHandle(engine, control);
  } else {
    return false;
  }
  return true;
}

void TSkStract::ApplyCommonKey(TSkControl* control, QWidget* widget, const std::string& key,
                               const std::string& value) {
  if (key == "top" || key == "left") {
    const int n = StrToInt(value);
    widget->move(key == "left" ? n : widget->x(), key == "top" ? n : widget->y());
  } else if (key == "width" || key == "height") {
    auto* panel = dynamic_cast<TParentPanel*>(control);
    if (panel) {
      key == "width" ? panel->SetWidthText(value) : panel->SetHeightText(value);
    } else {
      const int n = StrToInt(value);
      widget->resize(key == "width" ? n : widget->width(), key == "height" ? n : widget->height());
    }
  } else if (key == "enabled") {
    widget->setEnabled(StrToBoolDef(value, true));
  } else if (key == "cursor") {
    widget->setCursor(CursorFor(ParseCursor(value)));
  } else if (key == "visible") {
    widget->setVisible(StrToBoolDef(value, true));
  } else if (key == "align") {
    if (control) {
      control->Align = ParseAlign(value);
      RealignParent(control);
    }
    return;
  } else {
    return;
  }
  if (control) TLayoutHost::RememberAnchorDistances(control);
}

void TSkStract::ApplyFormKey(const std::string& key, const std::string& value) {
  TSkForm* w = window_;
  if (key == "caption") {
    w->SetCaption(value);
  } else if (key == "title") {
    QApplication::setApplicationDisplayName(cp1251::ToQString(value));
  } else if (key == "but_help") {
    w->SetHelpButton(true);
    w->HelpAction = value;
  } else if (key == "save_pos") {
    SavePos = StrToBoolDef(value, false);
  } else if (key == "min_width") {
    w->setMinimumWidth(StrToInt(value));
  } else if (key == "min_height") {
    w->setMinimumHeight(StrToInt(value));
  } else if (key == "dialog") {
    w->SetDialogStyle(StrToBoolDef(value, false));
  } else if (key == "splash") {
    ShowSplash(value);
  } else if (key == "action") {
    w->StartAction = value;
  } else if (key == "reg_dat") {
    RegPath = value;
  } else if (key == "size") {
    w->SetSizeAllowed(StrToBoolDef(value, true));
  } else if (key == "moving") {
    w->Moving = StrToBoolDef(value, false);
  } else if (key == "esc_close") {
    w->EscClose = StrToBoolDef(value, false);
  } else if (key == "splash_close_auto") {
    SplashAutoClose = StrToBoolDef(value, true);
  } else if (key == "hint_color" || key == "hint_font_color") {
    QPalette palette = QToolTip::palette();
    palette.setColor(key == "hint_color" ? QPalette::ToolTipBase : QPalette::ToolTipText,
                     ToQColor(ParseColor(value)));
    QToolTip::setPalette(palette);
  } else if (key == "message_font") {
    QColor ignored;
    ApplyFontValue(w->MessageFont, ignored, value);
  } else if (key == "help_id") {
    HelpId = value;
  } else if (key == "effect") {
    w->Effect = value;
  } else if (key == "but_max") {
    w->MaxButtons += GetStarField(value, 1) + ";";
    w->NormalButtons += GetStarField(value, 2) + ";";
  } else if (key == "hide_caption") {
    w->SetHideCaption(StrToBoolDef(value, true));
  } else if (key == "ico") {
    const QIcon icon(platform::NativePath(ProgramPath(value)));
    if (!icon.isNull()) QApplication::setWindowIcon(icon);
  } else if (key == "skin") {
    const std::string file = GetStarField(value, 1);
    const std::string object = GetStarField(value, 2);
    SkinFile = file;
    if (!file.empty() && Skins.AddSkin(ProgramPath(file))) ApplySkin(w, Skins.FindSkin(file));
    if (!object.empty()) w->SetThemeObject(object);
  }
}

void TSkStract::SetProperty(QObject* object, const std::string& section, const std::string& type) {
  StepSplash();
  const std::string lowType = cp1251::Lower(type);
  const TIniFile::Section* s = ini_.FindSection(section);
  if (!s || s->keys.empty()) return;
  TSkControl* control = AsControl(object);
  QWidget* widget = control ? control->Widget() : window_;
  const TAnchors remembered = control ? control->Anchors : TAnchors{};
  if (control) control->Anchors = TAnchors{false, false, false, false};

  for (auto k = s->keys.rbegin(); k != s->keys.rend(); ++k)
    ApplyCommonKey(control, widget, cp1251::Lower(k->name), k->value);

  const bool dragByBackground = control && window_->Moving &&
                                (lowType == "panel" || lowType == "parent_panel" || lowType == "gif" ||
                                 lowType == "label" || lowType == "pic");
  for (const TIniFile::Key& k : s->keys) {
    const std::string key = cp1251::Lower(k.name);
    if (!control)
      ApplyFormKey(key, k.value);
    else
      control->SetKey(*this, key, k.value);
    if (dragByBackground) DragHandle(*this, control);
  }
  if (control && control->Anchors.empty()) control->Anchors = remembered;
  if (control) TLayoutHost::RememberAnchorDistances(control);
}
