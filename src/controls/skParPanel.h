// The "parent_panel" control: a plain container whose width and height can be a share of its
// parent's client size, kept on every resize of the window.
#pragma once

#include <QWidget>
#include <string>

#include "controls/skControl.h"
#include "engine/skProperty.h"

class TParentPanel : public QWidget, public TSkControl, public TCentering {
  Q_OBJECT

 public:
  explicit TParentPanel(QWidget* parent);

  bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) override;
  void Dump(TDumpFields& out) const override;

  bool CenterHorz = false;
  bool CenterVert = false;
  void SetCenterHorz(bool on) override;
  void SetCenterVert(bool on) override;
  void Recenter() override;

  // Percentages of the parent's client width and height; 0 when the size is fixed.
  int WidthShare = 0;
  int HeightShare = 0;
  // "50%" makes the size a share of the parent's; "120" a fixed size. Throws EConvertError for
  // any other text.
  void SetWidthText(const std::string& text);
  void SetHeightText(const std::string& text);
  // Sizes the panel by its shares: (client size div 100) * share, the division first.
  void ApplyShares();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};
