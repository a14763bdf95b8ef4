// The "panel" control: a borderless container that can keep itself centred in its parent and be
// hidden and shown again in the same place.
#pragma once

#include <QFrame>
#include <string>

#include "controls/skControl.h"
#include "engine/skProperty.h"

class TSkPanel : public QFrame, public TSkControl, public TCentering {
  Q_OBJECT

 public:
  explicit TSkPanel(QWidget* parent);

  bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) override;
  // A panel never shows a caption: whatever the key "caption" set is emptied again here.
  void AfterKeys(TSkStract& engine) override;
  void Dump(TDumpFields& out) const override;

  void SetCaption(const std::string& caption) override;
  bool HasCaption() const override { return true; }
  std::string Caption() const override { return caption_; }

  bool CenterHorz = false;
  bool CenterVert = false;
  void SetCenterHorz(bool on) override;
  void SetCenterVert(bool on) override;
  void Recenter() override;

  // Position at the last hiding by ShowOrHide; where the panel comes back.
  int SavedLeft = 0;
  int SavedTop = 0;
  void ShowOrHide();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  std::string caption_;
};

// Flips a control's visibility; a control about to hide remembers its position in `savedLeft`
// and `savedTop`, and a control that shows again is put back there.
void ShowOrHideInPlace(TSkControl* control, int& savedLeft, int& savedTop);

// Centres a control in its parent's outer size, along the axes asked for.
void CenterInParent(TSkControl* control, bool horz, bool vert);

// "h", "v", "hv" or empty, for dumps of centring containers.
std::string CenteringText(bool horz, bool vert);
