// The thesaurus window: a glossary page and a field that finds a word in it. Created anew for
// each "go_tesaurus" and shown modally.
#pragma once

#include "controls/skForm.h"

class TfrmTesaurus : public TSkForm {
  Q_OBJECT

 public:
  explicit TfrmTesaurus(QWidget* owner);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
};
