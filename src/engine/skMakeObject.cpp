// MakeObject: one section becomes one object. The table below is the only place that knows the
// control types; a new type is a file pair under controls/ and one line here.
#include <QPointer>
#include <functional>

#include "controls/skButton.h"
#include "controls/skCheckBox.h"
#include "controls/skComboBox.h"
#include "controls/skEditBox.h"
#include "controls/skForm.h"
#include "controls/skImage.h"
#include "controls/skLabel.h"
#include "controls/skLayout.h"
#include "controls/skListBox.h"
#include "controls/skPanel.h"
#include "controls/skParPanel.h"
#include "controls/skPending.h"
#include "controls/skProgressBar.h"
#include "controls/skRButton.h"
#include "controls/skScrollBox.h"
#include "controls/skSkin.h"
#include "controls/skSpeedButton.h"
#include "controls/skSpinEdit.h"
#include "controls/skSplitter.h"
#include "controls/skTrackBar.h"
#include "controls/skTreeView.h"
#include "engine/skUseStract.h"
#include "html/skHTML.h"
#include "util/cp1251.h"

namespace {

using Factory = std::function<TSkControl*(QWidget* parent, const std::string& section)>;

template <class T>
Factory Make() {
  return [](QWidget* parent, const std::string&) -> TSkControl* { return new T(parent); };
}

// A type whose own control lands later: a stand-in that reads its keys.
Factory Pending(TControlType type, const char* name) {
  return [type, name](QWidget* parent, const std::string&) -> TSkControl* {
    return new TSkPending(parent, type, name);
  };
}

struct TTypeInfo {
  const char* name;
  TControlType type;
  bool container;
  bool defaultLook;  // the theme object "default" is set before the keys
  bool click;        // the control's click (or double click, or change) runs its action
  bool keyDown;      // its key presses go to the engine's key handler
  Factory make;
};

const std::vector<TTypeInfo>& TypeTable() {
  using T = TControlType;
  static const std::vector<TTypeInfo> table = {
      {"button", T::Button, false, true, true, false, Make<TSkButton>()},
      {"sp_button", T::SpButton, false, true, true, false, Make<TSkSpeedButton>()},
      {"panel", T::Panel, true, true, true, false, Make<TSkPanel>()},
      {"parent_panel", T::ParentPanel, true, false, false, false, Make<TParentPanel>()},
      {"html", T::Html, false, false, false, false, Make<TSkHtml>()},
      {"split", T::Split, false, true, false, false, Make<TSkSplitter>()},
      {"label", T::Label, false, true, true, false, Make<TSkLabel>()},
      {"track_bar", T::TrackBar, false, true, false, false, Make<TSkTrackBar>()},
      {"tree", T::Tree, false, true, true, false, Make<TSkTree>()},
      {"tree_ex", T::TreeEx, false, false, true, true, Pending(T::TreeEx, "tree_ex")},
      {"flash", T::Flash, true, false, false, false, Pending(T::Flash, "flash")},
      {"media", T::Media, false, false, false, false, Pending(T::Media, "media")},
      {"list_box", T::ListBox, false, true, true, false, Make<TSkListBox>()},
      {"scroll_box", T::ScrollBox, true, true, false, false, Make<TSkScrollBox>()},
      {"image", T::Image, false, false, true, false, Make<TSkImage>()},
      {"gif", T::Gif, false, false, false, false, Pending(T::Gif, "gif")},
      {"edit_box", T::EditBox, false, false, false, true, Make<TSkEditBox>()},
      {"check_box", T::CheckBox, false, false, true, false,
       [](QWidget* parent, const std::string& section) -> TSkControl* {
         auto* box = new TSkCheckBox(parent);
         box->Prepare(section);  // a check box shows its name until a caption is given
         return box;
       }},
      {"r_button", T::RButton, false, false, false, false, Make<TSkRadioButton>()},
      {"progress_bar", T::ProgressBar, false, false, false, false, Make<TSkProgressBar>()},
      {"combo_box", T::ComboBox, false, false, true, false, Make<TSkComboBox>()},
      {"list_img", T::ListImg, false, false, false, false, Pending(T::ListImg, "list_img")},
      {"pic", T::Pic, false, false, false, false, Pending(T::Pic, "pic")},
      {"grid", T::Grid, false, false, false, false, Pending(T::Grid, "grid")},
      {"html_grid", T::HtmlGrid, false, false, false, false, Pending(T::HtmlGrid, "html_grid")},
      {"spin_edit", T::SpinEdit, false, false, false, false, Make<TSkSpinEdit>()},
      {"diagram", T::Diagram, false, false, false, false, Pending(T::Diagram, "diagram")},
  };
  return table;
}

const TTypeInfo* FindType(const std::string& lowType) {
  for (const TTypeInfo& t : TypeTable())
    if (lowType == t.name) return &t;
  return nullptr;
}

}  // namespace

bool IsContainerType(const std::string& type) {
  const TTypeInfo* t = FindType(cp1251::Lower(type));
  return t && t->container;
}

void TSkStract::ConnectEvents(TSkControl* control) {
  QPointer<TSkStract> self(this);
  control->OnClick = [self](TSkControl* sender) {
    if (self) GuardedCall([&] { self->DoClick(sender); });
  };
  control->OnKeyDown = [self](TSkControl* sender, int key) {
    if (self) GuardedCall([&] { self->DoKeyDown(sender, key); });
  };
}

void TSkStract::BuildHotKeys(const std::string& section) {
  if (const TIniFile::Section* s = ini_.FindSection(section))
    for (const TIniFile::Key& k : s->keys)
      if (cp1251::Lower(k.name) != "type") window_->AddHotKey(k.value);
}

TSkControl* TSkStract::MakeObject(QWidget* parent, const std::string& section, const std::string& type) {
  const std::string lowType = cp1251::Lower(type);
  if (lowType == "form") {
    SetProperty(window_, section, lowType);
    return nullptr;
  }
  if (lowType == "hot_key") {
    BuildHotKeys(section);
    return nullptr;
  }
  if (lowType == "none") return nullptr;
  if (lowType == "pop_menu") return nullptr;  // menus are built by their own pass
  const TTypeInfo* info = FindType(lowType);
  if (!info) {
    ReportError(cp1251::FromUtf8("MakeObject. Объект ") + section +
                cp1251::FromUtf8(" имеет неизвестный тип ") + lowType);
    return nullptr;
  }
  TLayoutHost::Of(parent);  // the parent places its children the way structure files expect
  TSkControl* control = info->make(parent, section);
  control->Type = info->type;
  control->TypeName = info->name;
  control->Name = section;
  control->Widget()->setObjectName(cp1251::ToQString(section));
  if (info->click || info->keyDown) ConnectEvents(control);
  if (!info->click) control->OnClick = nullptr;
  if (!info->keyDown) control->OnKeyDown = nullptr;
  if (info->defaultLook) SetThemeObject(control->Widget(), "default");
  control->Widget()->show();
  Register(control);
  SetProperty(dynamic_cast<QObject*>(control->Widget()), section, lowType);
  control->AfterKeys(*this);
  if (auto* list = dynamic_cast<TSkListBox*>(control)) list->DoubleClickEnabled = true;
  return info->container ? control : nullptr;
}
