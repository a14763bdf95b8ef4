#include "controls/skProgressBar.h"

#include <QCoreApplication>

#include "engine/skProperty.h"
#include "engine/skUseStract.h"

TSkProgressBar::TSkProgressBar(QWidget* parent) : QProgressBar(parent), TSkControl(this) {
  setRange(0, 100);
  setValue(0);
  setTextVisible(false);
  connect(this, &QProgressBar::valueChanged, this, [this] { ValueShown(); });
}

bool TSkProgressBar::SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
  return ApplySharedKey(engine, this, key, value, skAnchor | skHint);
}

void TSkProgressBar::Dump(TDumpFields& out) const {
  out.emplace_back("min", IntToStr(minimum()));
  out.emplace_back("max", IntToStr(maximum()));
  out.emplace_back("position", IntToStr(value()));
}

void TSkProgressBar::ValueShown() {
  // The bar itself repaints at once when the change shows; forcing it for every step would cost a
  // scan of thousands of pages more than the reading does.
  QCoreApplication::processEvents();
}
