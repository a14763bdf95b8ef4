#include "controls/skForm.h"

#include <QAbstractAnimation>
#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QStylePainter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

#include "controls/skSkin.h"
#include "platform/pfDesktop.h"
#include "util/cp1251.h"

namespace {

constexpr int kCaptionHeight = 30;
constexpr int kFrameWidth = 4;
constexpr int kButtonWidth = 44;
// Corners are easier to catch when the corner zone reaches a little along both edges.
constexpr int kCornerGrip = 14;
constexpr int kEffectMs = 500;
constexpr int kSlideDistance = 24;
// How long a platform-run resize must rest before it counts as finished, and how long after the
// last step a size change still belongs to the same drag.
constexpr int kUserResizeRestMs = 250;
constexpr int kUserResizeGraceMs = 2000;

const QColor kDefaultFrameColor(0x1d, 0x3f, 0x6e);

// The built-in look; a skin is laid over it (ApplySkin). Type selectors keep its rules weaker than
// the id selectors a skin is likely to write, so the skin wins where both speak.
const char kFrameStyleSheet[] = R"(
TSkForm { qproperty-frameColor: #1d3f6e; }
TSkForm[active="false"] { qproperty-frameColor: #5a6f8c; }
TSkCaptionBar {
  background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2f5f9c, stop:1 #1d3f6e);
}
TSkCaptionBar[active="false"] {
  background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #7388a6, stop:1 #5a6f8c);
}
TSkCaptionBar QLabel { color: #ffffff; font-weight: bold; background: transparent; }
TSkCaptionBar[active="false"] QLabel { color: #dde3ec; }
TSkCaptionButton { border: none; background: transparent; color: #e8eef7; }
TSkCaptionButton:hover { background-color: rgba(255, 255, 255, 48); color: #ffffff; }
TSkCaptionButton:pressed { background-color: rgba(255, 255, 255, 84); }
TSkCaptionButton#captionClose:hover { background-color: #d7392b; color: #ffffff; }
TSkCaptionButton#captionClose:pressed { background-color: #a52a1f; }
)";

bool restartRequested = false;

void Repolish(QWidget* widget) {
  widget->style()->unpolish(widget);
  widget->style()->polish(widget);
  widget->update();
}

Qt::CursorShape CursorForEdges(Qt::Edges edges) {
  const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
  const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
  if (horizontal && vertical) {
    const bool falling = edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge);
    return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
  }
  return horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

}  // namespace

// --- the caption bar ---

enum class TCaptionGlyph { Help, Minimize, Maximize, Restore, Close };

// A caption button draws its glyph in its foreground colour, so a skin recolours it with "color".
class TSkCaptionButton : public QToolButton {
  Q_OBJECT

 public:
  TSkCaptionButton(const char* name, TCaptionGlyph glyph, QWidget* parent)
      : QToolButton(parent), glyph_(glyph) {
    setObjectName(QLatin1String(name));
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(true);
    setFixedWidth(kButtonWidth);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  }
  void SetGlyph(TCaptionGlyph glyph) {
    glyph_ = glyph;
    update();
  }
  TCaptionGlyph Glyph() const { return glyph_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);

    const QColor ink = palette().color(foregroundRole());
    const QPointF c = QRectF(rect()).center();
    const qreal s = 5;  // half the glyph's side
    painter.setPen(QPen(ink, 1.0));
    painter.setBrush(Qt::NoBrush);
    switch (glyph_) {
      case TCaptionGlyph::Minimize:
        painter.drawLine(QPointF(c.x() - s, c.y() + 0.5), QPointF(c.x() + s, c.y() + 0.5));
        break;
      case TCaptionGlyph::Maximize:
        painter.drawRect(QRectF(c.x() - s + 0.5, c.y() - s + 0.5, 2 * s - 1, 2 * s - 1));
        break;
      case TCaptionGlyph::Restore: {
        const QRectF front(c.x() - s + 0.5, c.y() - s + 2.5, 2 * s - 3, 2 * s - 3);
        painter.drawRect(front);
        QPainterPath back;
        back.moveTo(front.left() + 2, front.top() - 2);
        back.lineTo(front.right() + 2, front.top() - 2);
        back.lineTo(front.right() + 2, front.bottom() - 2);
        painter.drawPath(back);
        break;
      }
      case TCaptionGlyph::Close:
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(ink, 1.2));
        painter.drawLine(QPointF(c.x() - s, c.y() - s), QPointF(c.x() + s, c.y() + s));
        painter.drawLine(QPointF(c.x() - s, c.y() + s), QPointF(c.x() + s, c.y() - s));
        break;
      case TCaptionGlyph::Help: {
        painter.setRenderHint(QPainter::TextAntialiasing);
        QFont f = font();
        f.setPixelSize(14);
        painter.setFont(f);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("?"));
        break;
      }
    }
  }

 private:
  TCaptionGlyph glyph_;
};

// The window title, cut with an ellipsis when the bar is too narrow for it.
class TSkCaptionTitle : public QLabel {
 public:
  explicit TSkCaptionTitle(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("captionTitle"));
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setMinimumWidth(0);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    style()->drawItemText(&painter, area, Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(), shown,
                          foregroundRole());
  }
};

// The caption bar reaches to the window's top edge: the top border is its upper band, where a press
// resizes the window instead of moving it.
class TSkCaptionBar : public QWidget {
  Q_OBJECT

 public:
  explicit TSkCaptionBar(TSkForm* form) : QWidget(form), form_(form) {
    setObjectName(QStringLiteral("captionBar"));
    setAttribute(Qt::WA_StyledBackground);
    setMouseTracking(true);
    setProperty("active", true);
    icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("captionIcon"));
    icon->setFixedSize(16, 16);
    icon->hide();
    title = new TSkCaptionTitle(this);
    help = new TSkCaptionButton("captionHelp", TCaptionGlyph::Help, this);
    minimize = new TSkCaptionButton("captionMinimize", TCaptionGlyph::Minimize, this);
    maximize = new TSkCaptionButton("captionMaximize", TCaptionGlyph::Maximize, this);
    close = new TSkCaptionButton("captionClose", TCaptionGlyph::Close, this);
    help->setToolTip(QStringLiteral("Справка"));
    minimize->setToolTip(QStringLiteral("Свернуть"));
    close->setToolTip(QStringLiteral("Закрыть"));
    help->hide();

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    heading_ = new QHBoxLayout;
    heading_->setSpacing(6);
    heading_->addWidget(icon);
    heading_->addWidget(title, 1);
    row->addLayout(heading_, 1);
    row->addWidget(help);
    row->addWidget(minimize);
    row->addWidget(maximize);
    row->addWidget(close);
    SetTopBand(0);
  }

  // Icon and title keep below the band and in from the side border; the buttons run up to the
  // window's edges.
  void SetTopBand(int band) { heading_->setContentsMargins(band + 8, band, 6, 0); }

  QLabel* icon;
  TSkCaptionTitle* title;
  TSkCaptionButton* help;
  TSkCaptionButton* minimize;
  TSkCaptionButton* maximize;
  TSkCaptionButton* close;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
  }
  // A move starts only once the mouse has moved, so that a double click still reaches us: a
  // platform-run move takes the mouse away from the window.
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    if (const Qt::Edges edges = EdgesAt(event->position().toPoint())) {
      form_->StartResize(edges, event->globalPosition().toPoint());
      return;
    }
    pressed_ = true;
    pressGlobal_ = event->globalPosition().toPoint();
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (event->buttons() == Qt::NoButton) {
      if (const Qt::Edges edges = EdgesAt(event->position().toPoint()))
        form_->ShowBorderCursor(edges);
      else
        form_->RestoreCursor();
      return;
    }
    if (!pressed_ || !(event->buttons() & Qt::LeftButton)) return;
    if ((event->globalPosition().toPoint() - pressGlobal_).manhattanLength() <
        QApplication::startDragDistance())
      return;
    pressed_ = false;
    if (!form_->IsMaximized()) form_->StartMove(pressGlobal_);
  }
  void mouseReleaseEvent(QMouseEvent*) override { pressed_ = false; }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    pressed_ = false;
    if (event->button() == Qt::LeftButton && form_->maximizeButton_) form_->ToggleMaximize();
  }
  void leaveEvent(QEvent*) override { form_->RestoreCursor(); }

 private:
  Qt::Edges EdgesAt(QPoint pos) const {
    return form_->resizable_ ? form_->ResizeEdgesAt(mapTo(form_, pos)) : Qt::Edges();
  }

  TSkForm* form_;
  QHBoxLayout* heading_;
  bool pressed_ = false;
  QPoint pressGlobal_;
};

// --- the notebook ---

TSkNotebook::TSkNotebook(QWidget* parent) : QStackedWidget(parent) {
  setObjectName(QStringLiteral("notebook"));
}

int TSkNotebook::AddPage(const QString& name) {
  auto* page = new QWidget(this);
  page->setObjectName(name);
  page->installEventFilter(this);
  const int index = addWidget(page);
  names_.append(name);
  setCurrentIndex(index);
  return index;
}

bool TSkNotebook::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && OnBackgroundPress && watched->parent() == this &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    // Taken here, so that the press does not travel on to the window and start a second drag.
    const auto press = OnBackgroundPress;
    press();
    return true;
  }
  return QStackedWidget::eventFilter(watched, event);
}

// --- the window ---

TSkForm::TSkForm(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      frameColor_(kDefaultFrameColor),
      frameWidth_(kFrameWidth) {
  setMouseTracking(true);
  setProperty("active", true);

  caption_ = new TSkCaptionBar(this);
  connect(caption_->help, &QToolButton::clicked, this, [this] { HelpPressed(QCursor::pos()); });
  connect(caption_->minimize, &QToolButton::clicked, this, [this] { Minimize(); });
  connect(caption_->maximize, &QToolButton::clicked, this, [this] { ToggleMaximize(); });
  connect(caption_->close, &QToolButton::clicked, this, [this] { close(); });

  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("clientArea"));
  client_->installEventFilter(this);

  userResizeRest_ = new QTimer(this);
  userResizeRest_->setSingleShot(true);
  userResizeRest_->setInterval(kUserResizeRestMs);
  connect(userResizeRest_, &QTimer::timeout, this, [this] { FinishUserResize(); });

  setProperty(kBaseStyleSheetProperty, QString::fromLatin1(kFrameStyleSheet));
  setStyleSheet(QString::fromLatin1(kFrameStyleSheet));
  UpdateIcon();
  UpdateFrame();
}

TSkForm::~TSkForm() {
  EndModalLoop();
}

void TSkForm::SetCaption(const std::string& caption) {
  setWindowTitle(cp1251::ToQString(caption));
}

std::string TSkForm::Caption() const {
  return cp1251::FromQString(windowTitle());
}

TSkNotebook* TSkForm::CreateNotebook() {
  if (notebook_) return notebook_;
  QLayout* layout = client_->layout();
  if (!layout) {
    layout = new QVBoxLayout(client_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
  }
  notebook_ = new TSkNotebook(client_);
  layout->addWidget(notebook_);
  notebook_->AddPage(QStringLiteral("Default"));
  notebook_->show();
  return notebook_;
}

// --- frame geometry ---

int TSkForm::BorderWidth() const {
  if (hideCaption_ || IsMaximized() || isFullScreen()) return 0;
  return qMax(0, frameWidth_);
}

int TSkForm::CaptionHeight() const {
  if (hideCaption_ || isFullScreen()) return 0;
  caption_->ensurePolished();
  // A skin may give the bar a height of its own with "min-height".
  return caption_->minimumHeight() > 0 ? caption_->minimumHeight() : kCaptionHeight;
}

QSize TSkForm::ClientSize() const {
  const int b = BorderWidth();
  return {qMax(0, width() - 2 * b), qMax(0, height() - 2 * b - CaptionHeight())};
}

void TSkForm::SetClientSize(int width, int height) {
  userResizing_ = false;
  const int b = BorderWidth();
  resize(qMax(0, width) + 2 * b, qMax(0, height) + 2 * b + CaptionHeight());
  LayoutFrame();
}

QSize TSkForm::MinimumFrameSize() const {
  const int b = BorderWidth();
  QSize frame(2 * b + 1, 2 * b + CaptionHeight() + 1);
  if (!hideCaption_) {
    int buttons = 0;
    for (const QWidget* button :
         {static_cast<QWidget*>(caption_->help), static_cast<QWidget*>(caption_->minimize),
          static_cast<QWidget*>(caption_->maximize), static_cast<QWidget*>(caption_->close)})
      if (!button->isHidden()) buttons += button->width();
    frame.setWidth(frame.width() + buttons + 60);
  }
  return frame.expandedTo(minimumSize());
}

void TSkForm::LayoutFrame() {
  const int b = BorderWidth();
  const int c = CaptionHeight();
  if (!hideCaption_) {
    caption_->SetTopBand(b);
    caption_->setGeometry(0, 0, width(), b + c);
  }
  client_->setGeometry(QRect(QPoint(b, b + c), ClientSize()));
}

void TSkForm::ReportClientSize(bool always) {
  const QSize client = ClientSize();
  if (!always && client == reportedClient_) return;
  reportedClient_ = client;
  if (!OnSizeChanged) return;
  const auto changed = OnSizeChanged;
  changed(client.width(), client.height());
}

void TSkForm::UpdateFrame() {
  caption_->setVisible(!hideCaption_);
  caption_->help->setVisible(HelpButton);
  caption_->minimize->setVisible(minimizeButton_);
  caption_->maximize->setVisible(maximizeButton_);
  const bool maximized = IsMaximized();
  caption_->maximize->SetGlyph(maximized ? TCaptionGlyph::Restore : TCaptionGlyph::Maximize);
  caption_->maximize->setToolTip(maximized ? QStringLiteral("Восстановить") : QStringLiteral("Развернуть"));
  LayoutFrame();
  update();
}

void TSkForm::UpdateIcon() {
  const QIcon icon = windowIcon();
  caption_->icon->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(16, 16));
  caption_->icon->setVisible(!icon.isNull());
}

void TSkForm::RepolishFrame() {
  Repolish(this);
  Repolish(caption_);
  for (QWidget* part : caption_->findChildren<QWidget*>()) Repolish(part);
}

void TSkForm::SetFrameColor(const QColor& color) {
  frameColor_ = color;
  update();
}

void TSkForm::SetBodyColor(const QColor& color) {
  bodyColor_ = color;
  update();
}

void TSkForm::SetFrameWidth(int width) {
  if (width == frameWidth_) return;
  frameWidth_ = width;
  LayoutFrame();
  if (isVisible()) ReportClientSize(false);
  update();
}

// --- switches ---

void TSkForm::SetSizeAllowed(bool on) {
  resizable_ = on;
  maximizeButton_ = on;
  SizeAllowed = on;
  UpdateFrame();
}

void TSkForm::SetResizeByBorder(bool on) {
  resizable_ = on;
  UpdateFrame();
}

void TSkForm::SetDialogStyle(bool on) {
  resizable_ = !on;
  minimizeButton_ = !on;
  maximizeButton_ = !on;
  DialogStyle = on;
  EscClose = on;
  UpdateFrame();
}

void TSkForm::SetHelpButton(bool on) {
  HelpButton = on;
  UpdateFrame();
}

void TSkForm::SetHideCaption(bool on) {
  hideCaption_ = on;
  if (on) RestoreCursor();
  UpdateFrame();
  if (isVisible()) ReportClientSize(false);
}

void TSkForm::SetMinimizeButton(bool on) {
  minimizeButton_ = on;
  UpdateFrame();
}

void TSkForm::SetMaximizeButton(bool on) {
  maximizeButton_ = on;
  UpdateFrame();
}

void TSkForm::SetThemeObject(const std::string& name) {
  // Both the window and its bar carry the name, so "TSkForm[theme=...]" and "#captionBar[theme=...]"
  // select alike; the bar's parts are repolished because their rules may depend on it.
  ::SetThemeObject(this, name);
  ::SetThemeObject(caption_, name);
  for (QWidget* part : caption_->findChildren<QWidget*>()) Repolish(part);
}

void TSkForm::SetFramePainting(bool on) {
  if (on) {
    if (paintingOff_ == 0) return;
    if (--paintingOff_ == 0) setUpdatesEnabled(true);
  } else if (paintingOff_++ == 0) {
    setUpdatesEnabled(false);
  }
}

// --- keys ---

void TSkForm::AddHotKey(const std::string& text) {
  HotKeys.AddKey(text, notebook_ ? notebook_->currentIndex() : -1);
}

void TSkForm::FormKeyDown(const QKeyEvent& event) {
  const TKeyPress press = KeyPressOf(event);
  const int hit = HotKeys.Lookup(PressedShortCut(press), notebook_ ? notebook_->currentIndex() : -1);
  QPointer<TSkForm> self(this);
  if (hit >= 0 && OnFormAction) {
    // A copy: the action may point the window's events at another engine while it runs.
    const auto fire = OnFormAction;
    fire(RHelpAction{HotKeys.ActionOf(hit), 0, 0, 0});
    if (!self) return;
  }
  const int key = VirtualKeyOf(press);
  if (key == vk::Escape && EscClose) {
    close();
    if (!self) return;
  }
  const Qt::KeyboardModifiers held =
      press.Modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (key == vk::KeyQ && held == (Qt::ControlModifier | Qt::AltModifier) &&
      QGuiApplication::mouseButtons() == Qt::NoButton)
    RequestRestart();
}

// The window's platform window sees every key press once, before the focused control does; that
// is the key preview. Filters on the widgets themselves would see a press again at every parent
// it travels up to.
void TSkForm::InstallKeyPreview() {
  QWindow* window = windowHandle();
  if (!window || window == keyWindow_) return;
  window->installEventFilter(this);
  keyWindow_ = window;
}

bool TSkForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == keyWindow_ && event->type() == QEvent::KeyPress && keyWindow_)
    FormKeyDown(*static_cast<QKeyEvent*>(event));
  else if (watched == client_ && event->type() == QEvent::Enter)
    RestoreCursor();
  return QWidget::eventFilter(watched, event);
}

// --- help button ---

void TSkForm::HelpPressed(QPoint cursor) {
  if (!HelpButton || !OnFormAction) return;
  const RHelpAction action{HelpAction, 0, cursor.x(), cursor.y()};
  QPointer<TSkForm> self(this);
  QCoreApplication::processEvents();
  if (!self || !OnFormAction) return;
  const auto fire = OnFormAction;
  fire(action);
}

// --- moving and resizing ---

void TSkForm::DragWindow() {
  if (!Moving || IsMaximized()) return;
  StartMove(QCursor::pos());
}

void TSkForm::StartMove(QPoint pressGlobal) {
  if (moving_ || resizing_) return;
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  if (QWindow* window = windowHandle(); window && window->startSystemMove()) return;
  moving_ = true;
  moveOffset_ = pressGlobal - pos();
  grabMouse();
}

void TSkForm::StartResize(Qt::Edges edges, QPoint pressGlobal) {
  if (QWindow* window = windowHandle(); window && window->startSystemResize(edges)) {
    userResizing_ = true;
    userResizeClock_.start();
    return;
  }
  resizing_ = true;
  resizeEdges_ = edges;
  resizeStart_ = geometry();
  resizePressGlobal_ = pressGlobal;
  grabMouse();
}

void TSkForm::FinishUserResize() {
  if (OnUserResized) {
    const auto resized = OnUserResized;
    resized();
  }
  // Whoever stored the new proportions gets a layout pass with them; it also switches the
  // painting back on that storing them may have switched off.
  ReportClientSize(true);
}

Qt::Edges TSkForm::ResizeEdgesAt(QPoint pos) const {
  const int b = BorderWidth();
  if (b == 0) return {};
  Qt::Edges edges;
  if (pos.x() < b) edges |= Qt::LeftEdge;
  if (pos.x() >= width() - b) edges |= Qt::RightEdge;
  if (pos.y() < b) edges |= Qt::TopEdge;
  if (pos.y() >= height() - b) edges |= Qt::BottomEdge;
  if (!edges) return edges;
  if (edges & (Qt::TopEdge | Qt::BottomEdge)) {
    if (pos.x() < kCornerGrip) edges |= Qt::LeftEdge;
    if (pos.x() >= width() - kCornerGrip) edges |= Qt::RightEdge;
  }
  if (edges & (Qt::LeftEdge | Qt::RightEdge)) {
    if (pos.y() < kCornerGrip) edges |= Qt::TopEdge;
    if (pos.y() >= height() - kCornerGrip) edges |= Qt::BottomEdge;
  }
  return edges;
}

void TSkForm::ShowBorderCursor(Qt::Edges edges) {
  if (!borderCursor_) {
    hadCursor_ = testAttribute(Qt::WA_SetCursor);
    savedCursor_ = cursor();
    borderCursor_ = true;
  }
  setCursor(CursorForEdges(edges));
}

// The border cursor is set on the window, so every child would inherit it; it goes as soon as the
// mouse leaves the border.
void TSkForm::RestoreCursor() {
  if (!borderCursor_) return;
  borderCursor_ = false;
  if (hadCursor_)
    setCursor(savedCursor_);
  else
    unsetCursor();
}

void TSkForm::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  const Qt::Edges edges = resizable_ ? ResizeEdgesAt(event->position().toPoint()) : Qt::Edges();
  if (edges)
    StartResize(edges, event->globalPosition().toPoint());
  else
    DragWindow();
}

void TSkForm::mouseMoveEvent(QMouseEvent* event) {
  const QPoint global = event->globalPosition().toPoint();
  if (moving_) {
    move(global - moveOffset_);
    return;
  }
  if (resizing_) {
    const QPoint d = global - resizePressGlobal_;
    const QSize least = MinimumFrameSize();
    QRect r = resizeStart_;
    if (resizeEdges_ & Qt::LeftEdge) r.setLeft(qMin(r.left() + d.x(), r.right() + 1 - least.width()));
    if (resizeEdges_ & Qt::RightEdge) r.setRight(qMax(r.right() + d.x(), r.left() - 1 + least.width()));
    if (resizeEdges_ & Qt::TopEdge) r.setTop(qMin(r.top() + d.y(), r.bottom() + 1 - least.height()));
    if (resizeEdges_ & Qt::BottomEdge) r.setBottom(qMax(r.bottom() + d.y(), r.top() - 1 + least.height()));
    setGeometry(r);
    return;
  }
  if (event->buttons() != Qt::NoButton) return;
  const Qt::Edges edges = resizable_ ? ResizeEdgesAt(event->position().toPoint()) : Qt::Edges();
  if (edges)
    ShowBorderCursor(edges);
  else
    RestoreCursor();
}

void TSkForm::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (moving_) {
    moving_ = false;
    releaseMouse();
  }
  if (resizing_) {
    resizing_ = false;
    releaseMouse();
    FinishUserResize();
  }
}

// --- window state ---

bool TSkForm::IsMaximized() const {
  return windowState().testFlag(Qt::WindowMaximized);
}

void TSkForm::ToggleMaximize() {
  if (OnMaximizeChanging) {
    const auto changing = OnMaximizeChanging;
    changing();
  }
  userResizing_ = false;
  setWindowState(windowState() ^ Qt::WindowMaximized);
}

void TSkForm::Minimize() {
  if (isVisible())
    showMinimized();
  else
    setWindowState(windowState() | Qt::WindowMinimized);
}

int TSkForm::ShowModal() {
  if (modalLoop_) return 0;
  ModalResult = 0;
  if (!platform::desktop().Interactive()) {
    // Nobody could close it: shown for whoever looks at it, not waited for, and not modal so that
    // it blocks no other window.
    show();
    return ModalResult;
  }
  if (isVisible()) hide();  // modality takes effect when the window is shown
  const Qt::WindowModality before = windowModality();
  setWindowModality(Qt::ApplicationModal);
  int result = 0;
  QEventLoop loop;
  modalLoop_ = &loop;
  modalResultSink_ = &result;
  QPointer<TSkForm> self(this);
  show();
  raise();
  activateWindow();
  if (modalLoop_) loop.exec(QEventLoop::DialogExec);
  if (self) {
    EndModalLoop();
    setWindowModality(before);
    result = ModalResult;
  }
  return result;
}

void TSkForm::EndModalLoop() {
  if (!modalLoop_) return;
  *modalResultSink_ = ModalResult;
  modalLoop_->quit();
  modalLoop_ = nullptr;
  modalResultSink_ = nullptr;
}

// Ending through the desktop closes every window first, so each saves its favorites and position
// as on any other exit; main() starts the new copy once the loop has ended.
void RequestRestart() {
  restartRequested = true;
  platform::desktop().Quit(0);
}

bool RestartRequested() {
  return restartRequested;
}

// --- events ---

bool TSkForm::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WinIdChange:
      InstallKeyPreview();
      break;
    case QEvent::WindowTitleChange:
      caption_->title->setText(windowTitle());
      break;
    case QEvent::WindowIconChange:
      UpdateIcon();
      break;
    case QEvent::Leave:
      RestoreCursor();
      break;
    default:
      break;
  }
  return QWidget::event(event);
}

void TSkForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  InstallKeyPreview();
  if (event->spontaneous()) return;  // back from minimized: no effect, no centring
  if (!shownOnce_) {
    shownOnce_ = true;
    // Every window starts centred on its screen unless someone placed it before.
    if (!testAttribute(Qt::WA_Moved) && !IsMaximized())
      if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
  }
  PlayShowEffect();
}

void TSkForm::PlayShowEffect() {
  if (Effect.empty()) return;
  if (effect_) effect_->stop();
  auto* group = new QParallelAnimationGroup(this);
  // Platforms without a screen cannot fade and would only complain at every step.
  const QString platform = QGuiApplication::platformName();
  if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal")) {
    auto* fade = new QPropertyAnimation(this, "windowOpacity");
    fade->setDuration(kEffectMs);
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    group->addAnimation(fade);
    setWindowOpacity(0.0);
  }
  if (cp1251::Lower(Effect) == "slide") {
    auto* slide = new QPropertyAnimation(this, "pos");
    slide->setDuration(kEffectMs);
    slide->setStartValue(pos() - QPoint(0, kSlideDistance));
    slide->setEndValue(pos());
    slide->setEasingCurve(QEasingCurve::OutCubic);
    group->addAnimation(slide);
  }
  effect_ = group;
  group->start(QAbstractAnimation::DeleteWhenStopped);
}

void TSkForm::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (effect_) {
    // A window hidden halfway through its effect comes back whole next time.
    effect_->setCurrentTime(effect_->totalDuration());
    effect_->stop();
  }
  // Minimizing hides the window too, but only closing or hiding it ends a modal run.
  if (isHidden()) EndModalLoop();
}

void TSkForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutFrame();
  ReportClientSize(true);
  if (userResizing_) {
    if (userResizeClock_.elapsed() > kUserResizeGraceMs) {
      userResizing_ = false;
    } else {
      userResizeClock_.restart();
      userResizeRest_->start();
    }
  }
}

void TSkForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  switch (event->type()) {
    case QEvent::WindowStateChange:
      userResizing_ = false;
      RestoreCursor();
      UpdateFrame();
      break;
    case QEvent::ActivationChange: {
      const bool active = isActiveWindow();
      if (property("active").toBool() == active) break;
      setProperty("active", active);
      caption_->setProperty("active", active);
      RepolishFrame();
      break;
    }
    case QEvent::StyleChange:
      LayoutFrame();
      break;
    default:
      break;
  }
}

void TSkForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), bodyColor_.isValid() ? bodyColor_ : palette().color(QPalette::Window));
  QStyleOption option;
  option.initFrom(this);
  style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
  const int b = BorderWidth();
  if (b == 0) return;
  const QRect r = rect();
  painter.fillRect(QRect(r.left(), r.top(), r.width(), b), frameColor_);
  painter.fillRect(QRect(r.left(), r.bottom() - b + 1, r.width(), b), frameColor_);
  painter.fillRect(QRect(r.left(), r.top(), b, r.height()), frameColor_);
  painter.fillRect(QRect(r.right() - b + 1, r.top(), b, r.height()), frameColor_);
}

#include "skForm.moc"
