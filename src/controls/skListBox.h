// The "list_box" control: a list of captions, each with a value that the engine puts into the
// box's action when an item is double-clicked.
#pragma once

#include <QListWidget>
#include <string>

#include "controls/skControl.h"

class TSkListBox : public QListWidget, public TSkControl {
  Q_OBJECT

 public:
  explicit TSkListBox(QWidget* parent);

  bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) override;
  void Dump(TDumpFields& out) const override;

  // One line per item: caption, "#;#", value.
  TStrings ItemValues;

  void ClearItems();
  void AddItem(const std::string& caption, const std::string& value);
  // Replaces the items by lines of the form caption#;#value (a line without "#;#" is a caption
  // with an empty value).
  void LoadItems(const TStrings& lines);
  // Loads a list file of the manual; an empty or missing file leaves the items as they were.
  void LoadFile(const std::string& name);
  // The value of item `index`; empty for an index outside the list.
  std::string ValueOf(int index) const;

  // Double clicks reach the engine only once this is set, which the engine does after the keys,
  // so that nothing fires while the box is being built.
  bool DoubleClickEnabled = false;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// The lines of a list file of the manual, split at CR, LF or CR LF; a line break at the very end
// ends the last line rather than starting an empty one. A missing file gives no lines (and the
// archive reader's message).
TStrings LoadListFile(const std::string& name);
TStrings SplitLines(const std::string& text);

// Texts joined with `separator`, for dumps.
std::string JoinTexts(const TStrings& texts, const std::string& separator);
