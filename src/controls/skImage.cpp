#include "controls/skImage.h"

#include <QMouseEvent>
#include <QResizeEvent>
#include <cmath>

#include "archive/gPack.h"
#include "engine/skProperty.h"
#include "engine/skUseStract.h"
#include "platform/pfDesktop.h"
#include "util/cp1251.h"

TSkImage::TSkImage(QWidget* parent) : QLabel(parent), TSkControl(this) {
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  if (parent) parent->installEventFilter(this);
}

bool TSkImage::SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
  if (key == "load") {
    LoadImageFile(value);
  } else if (key == "scale") {
    SetFit(StrToBoolDef(value, false));
  } else if (key == "max_scale") {
    MaxScale = StrToInt(value) / 100.0;
  } else if (key == "min_scale") {
    MinScale = StrToInt(value) / 100.0;
  } else if (key == "center") {
    setAlignment(StrToBoolDef(value, false) ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
  } else {
    return ApplySharedKey(engine, this, key, value, skAction | skAnchor | skMenu | skMove);
  }
  return true;
}

void TSkImage::Dump(TDumpFields& out) const {
  out.emplace_back("picture", PictureName);
  out.emplace_back("loaded", std::to_string(LoadedWidth) + "x" + std::to_string(LoadedHeight));
  out.emplace_back("scale", FitToParent ? "1" : "0");
}

QSize TSkImage::FitSize(int w, int h, int pw, int ph, double minScale, double maxScale) {
  if (pw == 0 || ph == 0 || (w == 0 && h == 0)) return {};
  double s = static_cast<double>(pw) / w;
  if (minScale != 0 && s < minScale) s = minScale;
  if (maxScale != 0 && s > maxScale) s = maxScale;
  double W = w * s, H = h * s;
  if (H > ph) {
    const double c = ph / H;  // the height limit wins over the smallest zoom
    W *= c;
    H = ph;
  }
  return QSize(static_cast<int>(std::ceil(W - 1e-9)), static_cast<int>(std::ceil(H - 1e-9)));
}

bool TSkImage::FitPicture(QImage& picture) const {
  QWidget* p = parentWidget();
  if (!FitToParent || !p || picture.isNull()) return false;
  const QSize size = FitSize(picture.width(), picture.height(), p->width(), p->height(), MinScale, MaxScale);
  if (size.isEmpty() || size == picture.size()) return false;
  picture = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return true;
}

void TSkImage::Show(const QImage& picture) {
  shown_ = picture;
  setPixmap(QPixmap::fromImage(picture));
  resize(picture.size());
  Recenter();
}

void TSkImage::LoadImageFile(const std::string& name) {
  if (name.empty() || name == PictureName) return;
  PictureName = name;
  QImage picture;
  try {
    picture = LoadPackBitmap(name);
  } catch (const EPictureError& e) {
    platform::ShowMessage(e.what(), platform::MessageKind::Error);
    return;
  }
  LoadedWidth = picture.width();
  LoadedHeight = picture.height();
  FitPicture(picture);
  Show(picture);
}

void TSkImage::SetFit(bool on) {
  FitToParent = on;
  if (on && !shown_.isNull()) {
    QImage copy = shown_;
    if (FitPicture(copy)) Show(copy);
  }
}

void TSkImage::SuspendFit() {
  savedFit_ = FitToParent;
  SetFit(false);
  suspended_ = true;
}

void TSkImage::ResumeFit() {
  if (!suspended_) return;
  suspended_ = false;
  SetFit(savedFit_);
}

void TSkImage::Recenter() {
  if (QWidget* p = parentWidget()) move((p->width() - width()) / 2, (p->height() - height()) / 2);
}

void TSkImage::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Recenter();
}

bool TSkImage::eventFilter(QObject* watched, QEvent* event) {
  // Every refit starts from the picture as stored, never from one already resampled.
  if (watched == parentWidget() && event->type() == QEvent::Resize && !refitting_) {
    refitting_ = true;
    if (FitToParent && !PictureName.empty() && LoadedWidth > 0 && !isHidden()) {
      const QSize want = FitSize(LoadedWidth, LoadedHeight, parentWidget()->width(), parentWidget()->height(),
                                 MinScale, MaxScale);
      if (!want.isEmpty() && want != shown_.size()) {
        try {
          QImage picture = LoadPackBitmap(PictureName);
          FitPicture(picture);
          Show(picture);
        } catch (const EPictureError&) {
        }
      }
    }
    Recenter();
    refitting_ = false;
  }
  return false;
}

void TSkImage::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    if (OnDragWindow) OnDragWindow();
    FireClick();
  }
  QLabel::mousePressEvent(event);
}
