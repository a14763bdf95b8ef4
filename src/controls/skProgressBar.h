// The "progress_bar" control. Long work on the one user-interface thread (the full-text search)
// moves it between steps; each change of the shown value repaints the bar at once and lets pending
// events run, so that the bar moves and a Stop button is seen while the work goes on.
#pragma once

#include <QProgressBar>
#include <string>

#include "controls/skControl.h"

class TSkProgressBar : public QProgressBar, public TSkControl {
  Q_OBJECT

 public:
  explicit TSkProgressBar(QWidget* parent);

  bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) override;
  void Dump(TDumpFields& out) const override;

 private:
  void ValueShown();
};
