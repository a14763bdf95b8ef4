// A stand-in for control types whose own widgets are not built yet: it takes its place and size,
// and reads every key of its type in the form that type reads it, so that a structure file fails
// on a bad number or colour the same way whether or not the real control exists.
#pragma once

#include <QFrame>

#include "controls/skControl.h"

class TSkPending : public QFrame, public TSkControl {
  Q_OBJECT

 public:
  TSkPending(QWidget* parent, TControlType type, const std::string& typeName);
  bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) override;
  void Dump(TDumpFields& out) const override;

 private:
  TDumpFields keys_;
};
