// The "combo_box" control: a drop-down list whose items each carry a value; choosing an item runs
// the box's action with that value put in.
#pragma once

#include <QComboBox>
#include <string>

#include "controls/skControl.h"

class TSkComboBox : public QComboBox, public TSkControl {
  Q_OBJECT

 public:
  explicit TSkComboBox(QWidget* parent);

  bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) override;
  void Dump(TDumpFields& out) const override;

  // One value per item, in item order.
  TStrings ItemValues;

  // Read-only: the list only, no typed text.
  bool ReadOnly = false;
  void SetReadOnly(bool on);

  void ClearItems();
  // An empty caption adds nothing.
  void AddItem(const std::string& caption, const std::string& value);
  // Adds lines of the form caption;value to the items already there.
  void LoadItems(const TStrings& lines);
  // Replaces the items by a list file's; an empty or missing file leaves the box empty.
  void LoadFile(const std::string& name);
  // The selected item's value; empty when nothing is selected or the item has no value.
  std::string SelectedValue() const;

 protected:
  // Turning the wheel over the box never changes the selection, and scrolls nothing else either.
  void wheelEvent(QWheelEvent* event) override;
};
