// What every control a structure file can name shares, whatever Qt widget it is built on: its
// section name and type, its action string, its place in the parent (align and anchors), its
// events towards the engine, and the keys of its own type.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "util/uUtils.h"

class TSkStract;

// The control types, in the order of the engine's type lists.
enum class TControlType {
  ListBox,
  ComboBox,
  Media,
  Flash,
  Tree,
  TreeEx,
  TrackBar,
  PopMenu,
  Button,
  SpButton,
  Panel,
  Html,
  Split,
  Label,
  EditBox,
  ScrollBox,
  Image,
  Gif,
  Pic,
  RButton,
  ProgressBar,
  ParentPanel,
  ListImg,
  CheckBox,
  Grid,
  HtmlGrid,
  SpinEdit,
  Diagram,
  Count
};

// VCL-style anchoring: which sides of the parent keep their distance when the parent resizes.
struct TAnchors {
  bool left = true;
  bool top = true;
  bool right = false;
  bool bottom = false;
  bool empty() const { return !left && !top && !right && !bottom; }
  bool operator==(const TAnchors&) const = default;
};

// One "key=value" field of a control's state, as `remont-tool dump` prints it (1251 text).
using TDumpFields = std::vector<std::pair<std::string, std::string>>;

class TSkControl {
 public:
  explicit TSkControl(QWidget* self) : self_(self) {}
  virtual ~TSkControl() = default;
  TSkControl(const TSkControl&) = delete;
  TSkControl& operator=(const TSkControl&) = delete;

  QWidget* Widget() const { return self_; }
  // Where children of a container are put; the widget itself for most types.
  virtual QWidget* ChildHost() { return self_; }

  // Applies one key of this type's own vocabulary (the common keys are the engine's). Keys the
  // type does not accept are ignored by returning false. Conversion errors propagate.
  virtual bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
    (void)engine, (void)key, (void)value;
    return false;
  }
  // Runs once after all keys of the section were applied.
  virtual void AfterKeys(TSkStract& engine) { (void)engine; }
  // The type's own state for `remont-tool dump` (caption, text, font, colour and theme are
  // printed by the engine for every control through the accessors below).
  virtual void Dump(TDumpFields& out) const { (void)out; }

  // For types whose click runs an action built from their state (a tree puts the selected
  // entry's key in): that action, or nothing when the click should run nothing.
  virtual std::optional<std::string> ClickedAction() const { return std::nullopt; }

  // Shared keys that each type shows in its own way. A type without a caption or colour keeps the
  // defaults, which ignore the value.
  virtual void SetCaption(const std::string& caption) { (void)caption; }
  virtual bool HasCaption() const { return false; }
  virtual std::string Caption() const { return {}; }
  virtual void SetColor(TColor color);
  virtual bool HasColor() const { return hasColor_; }
  virtual TColor Color() const { return color_; }

  TControlType Type = TControlType::Count;
  std::string TypeName;  // as the structure file's type, lower-cased
  std::string Name;      // the section name (1251)
  std::string Action;    // the "action" key, as written
  TAlign Align = TAlign::None;
  TAnchors Anchors;
  // Distances kept from the parent's right and bottom edges for right/bottom anchoring.
  int AnchorRight = 0;
  int AnchorBottom = 0;

  // Connected by the engine; a control calls them on its user events.
  std::function<void(TSkControl*)> OnClick;
  std::function<void(TSkControl*, int key)> OnKeyDown;
  // Mouse presses handed to the window to drag it (keys "move", "moving").
  std::function<void()> OnDragWindow;

  void FireClick() {
    if (OnClick) OnClick(this);
  }
  void FireKeyDown(int key) {
    if (OnKeyDown) OnKeyDown(this, key);
  }

 private:
  QWidget* self_;
  bool hasColor_ = false;
  TColor color_ = 0;
};

// The control a widget is, or nullptr.
inline TSkControl* AsControl(QObject* object) {
  return dynamic_cast<TSkControl*>(object);
}
