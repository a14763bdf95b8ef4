// The "track_bar" control: a horizontal slider, typically a player's position.
#pragma once

#include <QSlider>
#include <string>

#include "controls/skControl.h"

class TSkTrackBar : public QSlider, public TSkControl {
  Q_OBJECT

 public:
  explicit TSkTrackBar(QWidget* parent);

  bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) override;
  void Dump(TDumpFields& out) const override;
};
