// The "sp_button" control: a tool button that can stay pressed. Buttons of one non-zero group
// among the same parent act as one set of switches; a button alone in its group toggles.
#pragma once

#include <QPointer>
#include <QToolButton>
#include <string>

#include "controls/skControl.h"

class QMenu;

class TSkSpeedButton : public QToolButton, public TSkControl {
  Q_OBJECT

 public:
  explicit TSkSpeedButton(QWidget* parent);

  bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) override;
  void Dump(TDumpFields& out) const override;

  void SetCaption(const std::string& caption) override;
  bool HasCaption() const override { return true; }
  std::string Caption() const override;

  // The state remembered beside the shown one: set by the key "down" and the verb that sets the
  // shown state, flipped by ToggleDown, and left alone by clicks and by group partners.
  bool DownState = false;
  void ToggleDown();

  // The shown pressed state. Putting a grouped button down releases its group partners.
  bool Down() const { return isChecked(); }
  void SetDown(bool down);

  int GroupIndex() const { return group_; }
  void SetGroupIndex(int group);

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);

  // Gives the button a drop-down arrow that opens `menu` (nullptr removes it).
  void SetMenuPopup(QMenu* menu);

  // Controls named by the keys "but_next_tree", "but_prev_tree" and "menu"; null until found or
  // once freed.
  TSkControl* NextTree() const { return AsControl(nextTree_.data()); }
  TSkControl* PrevTree() const { return AsControl(prevTree_.data()); }
  TSkControl* MenuControl() const { return AsControl(menu_.data()); }

 protected:
  // A click on a button outside any group leaves its shown state alone; in a group of several it
  // puts the button down (a down one stays down); alone in its group it toggles.
  void nextCheckState() override;

 private:
  bool HasGroupPartners() const;
  void ReleaseGroupPartners();

  int group_ = 0;
  bool transparent_ = false;
  QPointer<QObject> nextTree_;
  QPointer<QObject> prevTree_;
  QPointer<QObject> menu_;
};
