// The window an engine runs: its page in front, panels laid out on resizing, maximize and restore
// buttons, the splash while loading, and the values kept between runs.
#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QScreen>
#include <QToolTip>

#include "archive/gPack.h"
#include "controls/skForm.h"
#include "controls/skImage.h"
#include "controls/skListBox.h"
#include "controls/skPanel.h"
#include "controls/skParPanel.h"
#include "controls/skSpeedButton.h"
#include "engine/skUseStract.h"
#include "platform/pfDisk.h"
#include "platform/pfRegistry.h"
#include "util/cp1251.h"

void TSkStract::ShowPage() {
  if (TSkNotebook* notebook = window_->Notebook(); notebook && Page >= 0) notebook->setCurrentIndex(Page);
  AttachFormEvents();
  AttachLayout();
  LayoutPanels();
  SwapMaxButtons(window_->IsMaximized());
}

// The window's slots point at the engine in front; a guarded pointer keeps a slot that outlives its
// engine harmless.
void TSkStract::AttachFormEvents() {
  QPointer<TSkStract> self(this);
  window_->OnMaximizeChanging = [self]() {
    if (self) self->MaximizeChanged();
  };
  window_->OnFormAction = [self](const RHelpAction& action) {
    if (self) GuardedCall([&] { self->DoAction(action); });
  };
}

void TSkStract::AttachLayout() {
  QPointer<TSkStract> self(this);
  window_->OnSizeChanged = [self](int, int) {
    if (self) self->LayoutPanels();
  };
}

void TSkStract::LayoutPanels() {
  for (TSkControl* c : ControlsOf(TControlType::Panel))
    if (auto* panel = dynamic_cast<TSkPanel*>(c)) panel->Recenter();
  for (TSkControl* c : ControlsOf(TControlType::ParentPanel))
    if (auto* panel = dynamic_cast<TParentPanel*>(c)) {
      panel->Recenter();
      panel->ApplyShares();
    }
}

void TSkStract::StorePanelShares() {
  for (TSkControl* c : ControlsOf(TControlType::ParentPanel)) {
    auto* panel = dynamic_cast<TParentPanel*>(c);
    QWidget* parent = panel ? panel->parentWidget() : nullptr;
    if (!parent) continue;
    // A parent narrower than 100 pixels gives no whole percent to divide by: the share stays.
    if (panel->WidthShare != 0 && parent->width() / 100 != 0)
      panel->WidthShare = panel->width() / (parent->width() / 100);
    if (panel->HeightShare != 0 && parent->height() / 100 != 0)
      panel->HeightShare = panel->height() / (parent->height() / 100);
  }
}

void TSkStract::MaximizeChanged() {
  if (window_->MaxButtons.empty() || window_->NormalButtons.empty()) return;
  SwapMaxButtons(!window_->IsMaximized());
}

void TSkStract::SwapMaxButtons(bool maximized) {
  auto walk = [&](std::string list, bool inMax) {
    while (!list.empty()) {
      const std::string name = SplitFirst(list, ";");
      if (name.empty()) continue;
      ReportErrors = false;
      TSkControl* button = GetComponent(name, TControlType::SpButton);
      ReportErrors = true;
      if (button) button->Widget()->setVisible(maximized == inMax);
    }
  };
  walk(window_->MaxButtons, true);
  walk(window_->NormalButtons, false);
}

void TSkStract::WriteReg(const std::string& name, const std::string& value) {
  if (RegPath.empty()) {
    ReportError(cp1251::FromUtf8("WriteReg. Укажите путь в реестре (reg_dat для form)"));
    return;
  }
  platform::registry().Write(RegPath, name, value);
}

std::string TSkStract::ReadReg(const std::string& name) {
  if (RegPath.empty()) {
    ReportError(cp1251::FromUtf8("WriteReg. Укажите путь в реестре (reg_dat для form)"));
    return {};
  }
  return platform::registry().Read(RegPath, name).value_or(std::string());
}

namespace {

std::string PositionName(const TSkForm* window) {
  return "pos_" + cp1251::FromQString(window->objectName());
}

}  // namespace

void TSkStract::SavePosition() {
  const QRect r = window_->geometry();
  WriteReg(PositionName(window_), std::to_string(r.top()) + ";" + std::to_string(r.left()) + ";" +
                                      std::to_string(r.width()) + ";" + std::to_string(r.height()) + ";" +
                                      (window_->IsMaximized() ? "1" : "0"));
}

void TSkStract::LoadPosition() {
  std::string value = ReadReg(PositionName(window_));
  const std::string top = SplitFirst(value, ";"), left = SplitFirst(value, ";");
  const std::string width = SplitFirst(value, ";"), height = SplitFirst(value, ";");
  const std::string flag = SplitFirst(value, ";");
  if (top.empty() || left.empty() || width.empty() || height.empty()) return;
  QRect r(StrToInt(left), StrToInt(top), StrToInt(width), StrToInt(height));
  if (r.width() <= 0 || r.height() <= 0) return;
  // A position saved on a screen that is gone must not put the window out of reach.
  const QScreen* screen = QGuiApplication::screenAt(r.center());
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (screen) {
    const QRect avail = screen->availableGeometry();
    r.setWidth(std::min(r.width(), avail.width()));
    r.setHeight(std::min(r.height(), avail.height()));
    if (!avail.contains(r.center())) r.moveCenter(avail.center());
  }
  window_->setGeometry(r);
  if (flag == "1" && !window_->IsMaximized()) window_->ToggleMaximize();
}

void TSkStract::ShowSplash(const std::string& value) {
  splashStep_ = 1;
  std::string rest = value;
  const std::string file = SplitFirst(rest, "*");
  QImage picture;
  // The splash is read from the disk, not the archive: it shows before the archive's contents do.
  if (cp1251::Lower(ExtractFileExt(file)) == ".jpg")
    picture.load(platform::NativePath(file), "JPEG");
  else
    picture.load(platform::NativePath(ProgramPath(file)));
  if (!splash_) {
    splash_ = new QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    splash_->setAttribute(Qt::WA_DeleteOnClose, false);
    auto* label = new QLabel(splash_);
    label->setObjectName("splashPicture");
  }
  auto* label = splash_->findChild<QLabel*>("splashPicture");
  label->setPixmap(QPixmap::fromImage(picture));
  label->resize(picture.size());
  splash_->resize(picture.size().isEmpty() ? QSize(1, 1) : picture.size());
  if (!rest.empty()) {
    if (!splashBar_) {
      splashBar_ = new QProgressBar(splash_);
      splashBar_->setTextVisible(false);
      splashBar_->setRange(0, 100);
      splashBar_->setValue(0);
    }
    int numbers[5] = {splashStep_, 0, 0, 150, 16};
    for (int& n : numbers) {
      const int parsed = StrToIntDef(SplitFirst(rest, "*"), INT32_MIN);
      if (parsed == INT32_MIN) break;
      n = parsed;
    }
    splashStep_ = numbers[0];
    splashBar_->setGeometry(numbers[1], numbers[2], numbers[3], numbers[4]);
  }
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    splash_->move(screen->geometry().center() - QPoint(splash_->width() / 2, splash_->height() / 2));
  splash_->show();
  splash_->repaint();
  QCoreApplication::processEvents();
}

void TSkStract::StepSplash() {
  if (!splashBar_) return;
  const int next = splashBar_->value() + splashStep_;
  splashBar_->setValue(next <= 100 ? next : splashStep_);
}

void TSkStract::CloseSplash() {
  delete splash_;
  splash_ = nullptr;
  splashBar_ = nullptr;
}

void TSkStract::SuspendImageFit() {
  for (TSkControl* c : ControlsOf(TControlType::Image))
    if (auto* image = dynamic_cast<TSkImage*>(c)) image->SuspendFit();
}

void TSkStract::ResumeImageFit() {
  for (TSkControl* c : ControlsOf(TControlType::Image))
    if (auto* image = dynamic_cast<TSkImage*>(c)) image->ResumeFit();
}

namespace {

// Shows a list box item's whole text over the item when the box is too narrow for it.
class ListHintFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return false;
    auto* viewport = static_cast<QWidget*>(watched);
    auto* list = qobject_cast<QListWidget*>(viewport->parentWidget());
    if (!list) return false;
    const QPoint at = static_cast<QHelpEvent*>(event)->pos();
    QListWidgetItem* item = list->itemAt(at);
    if (!item) return false;
    const int textWidth = QFontMetrics(QApplication::font()).horizontalAdvance(item->text());
    if (list->width() - 25 >= textWidth) return false;
    const QRect row = list->visualItemRect(item);
    QToolTip::showText(viewport->mapToGlobal(QPoint(row.left() - 2, row.top() - 1)), item->text(), viewport,
                       row);
    return true;
  }
};

}  // namespace

void TSkStract::InstallListHints() {
  for (TSkControl* c : ControlsOf(TControlType::ListBox))
    if (auto* list = dynamic_cast<QListWidget*>(c->Widget())) {
      list->viewport()->installEventFilter(new ListHintFilter(list));
      list->viewport()->setAttribute(Qt::WA_AlwaysShowToolTips);
    }
}
