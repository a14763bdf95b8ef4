#include "controls/skTrackBar.h"

#include "engine/skProperty.h"
#include "engine/skUseStract.h"

TSkTrackBar::TSkTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent), TSkControl(this) {
  // The range the original track bar started with; players set their own.
  setRange(0, 10);
  setTickPosition(QSlider::TicksBelow);
}

bool TSkTrackBar::SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
  return ApplySharedKey(engine, this, key, value, skAnchor | skAction | skHint | skSkin);
}

void TSkTrackBar::Dump(TDumpFields& out) const {
  out.emplace_back("min", IntToStr(minimum()));
  out.emplace_back("max", IntToStr(maximum()));
  out.emplace_back("position", IntToStr(value()));
}
