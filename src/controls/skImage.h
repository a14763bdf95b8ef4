// A picture from the manual, optionally scaled to its parent between a smallest and a largest
// zoom, and kept centred in its parent.
#pragma once

#include <QImage>
#include <QLabel>

#include "controls/skControl.h"

class TSkImage : public QLabel, public TSkControl {
  Q_OBJECT

 public:
  explicit TSkImage(QWidget* parent);

  bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) override;
  void Dump(TDumpFields& out) const override;

  void LoadImageFile(const std::string& name);
  void SetFit(bool on);
  void SuspendFit();
  void ResumeFit();

  bool FitToParent = false;
  std::string PictureName;
  int LoadedWidth = 0;
  int LoadedHeight = 0;
  double MinScale = 0;
  double MaxScale = 0;

  // The size a picture of w × h gets in a parent of pw × ph; an empty size when nothing is fitted.
  static QSize FitSize(int w, int h, int pw, int ph, double minScale, double maxScale);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Fits `picture` in place; true when its size changed.
  bool FitPicture(QImage& picture) const;
  void Show(const QImage& picture);
  void Recenter();
  QImage shown_;
  bool suspended_ = false;
  bool savedFit_ = false;
  bool refitting_ = false;
};
