#include "controls/skParPanel.h"

#include <QMouseEvent>
#include <algorithm>
#include <optional>

#include "controls/skLayout.h"
#include "controls/skPanel.h"
#include "engine/skUseStract.h"

namespace {

// (client div 100) * share, kept inside what a widget can be even for absurd shares.
int ShareOf(int client, int share) {
  const long long size = static_cast<long long>(client / 100) * share;
  return static_cast<int>(std::clamp<long long>(size, 0, QWIDGETSIZE_MAX));
}

// Reads a size text: a share when it holds "%" (stored in `share`), else a size in pixels.
// Gives the fixed size, or nothing for a share.
std::optional<int> ReadSizeText(const std::string& text, int& share) {
  const std::size_t percent = text.find('%');
  if (percent == std::string::npos) return StrToInt(text);
  share = StrToInt(text.substr(0, percent));
  return std::nullopt;
}

}  // namespace

TParentPanel::TParentPanel(QWidget* parent) : QWidget(parent), TSkControl(this) {
  resize(100, 50);
}

bool TParentPanel::SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
  if (key == "min_width" || key == "min_height")
    return ApplySharedKey(engine, this, key, value, skSizeLimits);
  return ApplySharedKey(engine, this, key, value, skAnchor | skAction | skColor);
}

void TParentPanel::Dump(TDumpFields& out) const {
  out.emplace_back("share", IntToStr(WidthShare) + ";" + IntToStr(HeightShare));
  if (CenterHorz || CenterVert) out.emplace_back("center", CenteringText(CenterHorz, CenterVert));
}

void TParentPanel::SetCenterHorz(bool on) {
  CenterHorz = on;
  if (on) Recenter();
}

void TParentPanel::SetCenterVert(bool on) {
  CenterVert = on;
  if (on) Recenter();
}

void TParentPanel::Recenter() {
  CenterInParent(this, CenterHorz, CenterVert);
}

void TParentPanel::SetWidthText(const std::string& text) {
  if (const std::optional<int> width = ReadSizeText(text, WidthShare))
    SetControlBounds(this, QRect(x(), y(), std::max(0, *width), height()));
  else
    ApplyShares();
}

void TParentPanel::SetHeightText(const std::string& text) {
  if (const std::optional<int> height = ReadSizeText(text, HeightShare))
    SetControlBounds(this, QRect(x(), y(), width(), std::max(0, *height)));
  else
    ApplyShares();
}

void TParentPanel::ApplyShares() {
  QWidget* parent = parentWidget();
  if (!parent) return;
  const QSize client = parent->contentsRect().size();
  QRect bounds = geometry();
  if (WidthShare != 0 && client.width() != 0) bounds.setWidth(ShareOf(client.width(), WidthShare));
  if (HeightShare != 0 && client.height() != 0) bounds.setHeight(ShareOf(client.height(), HeightShare));
  if (bounds != geometry()) SetControlBounds(this, bounds);
}

void TParentPanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && OnDragWindow) {
    OnDragWindow();
    event->accept();
    return;
  }
  QWidget::mousePressEvent(event);
}
