#include "html/uViewPic.h"

#include <QApplication>
#include <QAbstractTextDocumentLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

#include "archive/gPack.h"
#include "controls/skSkin.h"
#include "html/skHTML.h"
#include "platform/pfDesktop.h"
#include "util/cp1251.h"

namespace {

const char* const kWindowHint = "Развернуть на весь экран";
const char* const kFullHint = "Свернуть в окно";
constexpr int kMinWidth = 250;
constexpr int kMinHeight = 200;

// The panel across the top is the window's caption: pressing on it drags the window.
class TCaptionPanel : public QFrame {
 public:
  TCaptionPanel(QWidget* parent, TfrmViewPic* window) : QFrame(parent), window_(window) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && !window_->FullScreen()) window_->DragWindow();
  }

 private:
  TfrmViewPic* window_;
};

// Skins give the buttons their pictures; without a skin they carry these plain ones.
QIcon Glyph(char kind) {
  QPixmap pixmap(15, 15);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(QPen(Qt::black, 1.5));
  if (kind == 'p') {  // a printer: body, paper above, tray below
    p.drawRect(2, 6, 11, 5);
    p.drawRect(4, 2, 7, 4);
    p.drawLine(4, 13, 11, 13);
  } else if (kind == 'm') {
    p.drawRect(2, 2, 11, 11);
    p.drawLine(2, 4, 13, 4);
  } else {
    p.drawLine(3, 3, 12, 12);
    p.drawLine(12, 3, 3, 12);
  }
  return QIcon(pixmap);
}

QToolButton* MakeButton(QWidget* parent, const char* hint, const char* theme, char glyph) {
  auto* b = new QToolButton(parent);
  b->setFixedSize(23, 23);
  b->setToolTip(QString::fromUtf8(hint));
  b->setIcon(Glyph(glyph));
  b->setAutoRaise(true);
  SetThemeObject(b, theme);
  return b;
}

std::string CaptionFile(const std::string& picture) {
  return picture.substr(0, picture.size() - ExtractFileExt(picture).size()) + ".cap";
}

}  // namespace

TfrmViewPic::TfrmViewPic(QWidget* owner) : TSkForm(owner) {
  setObjectName(QStringLiteral("frmViewPic"));
  setAttribute(Qt::WA_DeleteOnClose);
  SetCaption(cp1251::FromUtf8("Увеличенное изображение"));
  SetHideCaption(true);
  SetMinimizeButton(false);
  EscClose = true;

  auto* column = new QVBoxLayout(ClientArea());
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  panelCaption_ = new TCaptionPanel(ClientArea(), this);
  panelCaption_->setObjectName(QStringLiteral("panelCaption"));
  panelCaption_->setFixedHeight(25);
  auto* row = new QHBoxLayout(panelCaption_);
  row->setContentsMargins(4, 1, 1, 1);
  row->setSpacing(0);
  title_ = new QLabel(cp1251::ToQString(Caption()), panelCaption_);
  title_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  butPrint_ = MakeButton(panelCaption_, "Печать", "ButtonPrint", 'p');
  butFullScrin_ = MakeButton(panelCaption_, kWindowHint, "ButtonMax", 'm');
  butClose_ = MakeButton(panelCaption_, "Закрыть", "ButtonClose", 'c');
  row->addWidget(title_, 1);
  row->addWidget(butPrint_);
  row->addWidget(butFullScrin_);
  row->addWidget(butClose_);
  column->addWidget(panelCaption_);

  pane_ = new TSkHtml(ClientArea());
  pane_->setObjectName(QStringLiteral("htmlPicture"));
  pane_->SetDragScroll(true);
  column->addWidget(pane_, 1);

  connect(butPrint_, &QToolButton::clicked, this, &TfrmViewPic::Print);
  connect(butFullScrin_, &QToolButton::clicked, this, &TfrmViewPic::ToggleFullScreen);
  connect(butClose_, &QToolButton::clicked, this, &QWidget::close);
  AddHotKey("Ctrl+P*print");
  OnFormAction = [this](const RHelpAction&) { PrintHtml(*pane_); };
  setMinimumSize(kMinWidth, kMinHeight);
  SetClientSize(234, 156);
}

void TfrmViewPic::OpenPicture(const std::string& pageFile, const std::string& link) {
  picture_ = pane_->LoadPicture(pageFile, link);
  const std::string capFile = CaptionFile(picture_);
  if (PackFileExists(capFile)) {
    std::string text;
    LoadPackFile(text, capFile);
    const std::string first = text.substr(0, text.find_first_of("\r\n"));
    SetCaption(first);
    title_->setText(cp1251::ToQString(first));
  }
  // The page's own size, plus everything around the pane, shows the picture without scrolling.
  const QSizeF doc = pane_->NaturalSize();
  // Measured from the frame, not the pane: a window not shown yet has not placed its pane.
  const QSize around = size() - ClientSize() + QSize(0, panelCaption_->height());
  const QSize needed(qCeil(doc.width()) + around.width() + 1, qCeil(doc.height()) + around.height() + 1);
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  SetFramePainting(false);
  if (needed.width() <= work.width() && needed.height() <= work.height()) {
    const QSize least = needed.expandedTo(QSize(kMinWidth, kMinHeight));
    setMinimumSize(least);
    resize(least);
  } else {
    SetFullScreen(true);
  }
  SetFramePainting(true);
  pane_->UpdateScrollBars();
}

void TfrmViewPic::SetFullScreen(bool on) {
  fullScreen_ = on;
  const bool wasVisible = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, on);
  const QString hint = QString::fromUtf8(on ? kFullHint : kWindowHint);
  butFullScrin_->setToolTip(hint);
  ::SetThemeObject(butFullScrin_, on ? "ButtonRes" : "ButtonMax");
  if (on) {
    setMinimumSize(kMinWidth, kMinHeight);
    setWindowState(Qt::WindowMaximized);
    if (const QScreen* s = screen()) setGeometry(s->availableGeometry());
  } else {
    setWindowState(Qt::WindowNoState);
  }
  // Changing the flags hides a shown window.
  if (wasVisible) show();
}

void TfrmViewPic::ToggleFullScreen() {
  SetFramePainting(false);
  SetFullScreen(!fullScreen_);
  SetFramePainting(true);
}

void TfrmViewPic::Print() {
  // The print window must not open behind a window that stays on top.
  if (fullScreen_) {
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
    show();
  }
  PrintHtml(*pane_);
}

TfrmViewPic* ShowPicture(const std::string& pageFile, const std::string& link) {
  auto* window = new TfrmViewPic(nullptr);
  window->OpenPicture(pageFile, link);
  if (!platform::desktop().Interactive()) {
    window->show();
    return window;
  }
  window->ShowModal();
  return nullptr;
}
