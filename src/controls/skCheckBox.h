// The "check_box" control: a check box whose click runs its action with the checked state put in,
// after enabling or disabling the controls it governs.
#pragma once

#include <QCheckBox>
#include <string>

#include "controls/skControl.h"

class TSkCheckBox : public QCheckBox, public TSkControl {
  Q_OBJECT

 public:
  explicit TSkCheckBox(QWidget* parent);
  // Before the keys: the caption is the section's name until a "caption" key says otherwise.
  void Prepare(const std::string& sectionName);

  bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) override;
  void Dump(TDumpFields& out) const override;

  void SetCaption(const std::string& caption) override;
  bool HasCaption() const override { return true; }
  std::string Caption() const override;

  // Lower-cased names of the controls whose enabled state follows this box when it is clicked.
  TStrings EnableControls;
  // Appends each ";"-separated piece of `text`, lower-cased; a piece between two adjacent ";" is
  // an empty name, and a ";" at the very end starts no further piece.
  void SetEnableControls(const std::string& text);
};
