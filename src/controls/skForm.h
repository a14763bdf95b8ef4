// The window every window of the program is: a frameless Qt window that draws its own skinnable
// caption bar and border, carries the page notebook that engines build their pages in, the
// window's hot-key table, and the switches a structure file's "form" section sets.
#pragma once

#include <QColor>
#include <QCursor>
#include <QElapsedTimer>
#include <QFont>
#include <QPointer>
#include <QStackedWidget>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <string>

#include "commands/skCommand.h"
#include "commands/skHotKey.h"
#include "util/uUtils.h"

class QEventLoop;
class QAbstractAnimation;
class QKeyEvent;
class QTimer;
class QWindow;
class TSkCaptionBar;

// One page per engine on a window; the first is named "Default", later ones "p1", "p2", ...
class TSkNotebook : public QStackedWidget {
  Q_OBJECT

 public:
  explicit TSkNotebook(QWidget* parent);
  // Adds a page named `name` and brings it to the front; gives its index.
  int AddPage(const QString& name);
  QString PageName(int index) const { return names_.value(index); }
  QWidget* Page(int index) const { return widget(index); }

  // Presses on the notebook's pages (the window background) go here when the window moves.
  std::function<void()> OnBackgroundPress;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QStringList names_;
};

class TSkForm : public QWidget {
  Q_OBJECT
  // The frame's own colours and thickness, for skins: "TSkForm { qproperty-frameColor: #234; }".
  // An invalid body colour means the palette's window colour.
  Q_PROPERTY(QColor frameColor READ FrameColor WRITE SetFrameColor)
  Q_PROPERTY(QColor bodyColor READ BodyColor WRITE SetBodyColor)
  Q_PROPERTY(int frameWidth READ FrameWidth WRITE SetFrameWidth)

 public:
  explicit TSkForm(QWidget* owner = nullptr);
  ~TSkForm() override;

  // --- what a structure file's "form" section sets ---
  std::string Effect;  // show effect: "fade", "slide" (any other name plays no effect)
  bool EscClose = false;
  bool Moving = false;
  std::string StructFileName;
  std::string StartAction;
  bool HelpButton = false;
  bool DialogStyle = false;
  bool SizeAllowed = true;
  std::string HelpAction;
  QFont MessageFont;
  std::string MaxButtons;     // ";"-terminated speed-button names shown while maximized
  std::string NormalButtons;  // ... and while not
  TColor PageColor = 0;       // 0: no page colour

  // --- slots the engine in front fills ---
  std::function<void(const RHelpAction&)> OnFormAction;
  std::function<void(int width, int height)> OnSizeChanged;
  // The frame tells before its maximized state changes.
  std::function<void()> OnMaximizeChanging;
  // The frame tells after the user resized the window (not after maximize or restore).
  std::function<void()> OnUserResized;

  TSkHotKey HotKeys;

  // The notebook; nullptr until the first engine loads.
  TSkNotebook* Notebook() const { return notebook_; }
  // Creates the notebook filling the client area, with its first page "Default".
  TSkNotebook* CreateNotebook();
  // The area inside the frame, where the notebook lives.
  QWidget* ClientArea() const { return client_; }

  void SetCaption(const std::string& caption);
  std::string Caption() const;
  // Sizes the window so that its client area has this size.
  void SetClientSize(int width, int height);
  QSize ClientSize() const;

  void SetSizeAllowed(bool on);
  void SetDialogStyle(bool on);
  void SetHelpButton(bool on);
  // Without a caption bar and border (the default for structure-file windows).
  void SetHideCaption(bool on);
  bool HideCaption() const { return hideCaption_; }
  void SetMinimizeButton(bool on);
  void SetMaximizeButton(bool on);
  // Whether the user may resize the window by dragging its border.
  bool ResizeByBorder() const { return resizable_; }
  void SetResizeByBorder(bool on);
  // The theme object of the frame: a name that style sheets select on.
  void SetThemeObject(const std::string& name);

  void AddHotKey(const std::string& text);
  // Hot keys, then Escape with EscClose, then Ctrl+Alt+Q restart. Never consumes the key.
  void FormKeyDown(const QKeyEvent& event);
  void DragWindow();
  // Switches the frame's painting off while the window is rebuilt or laid out.
  void SetFramePainting(bool on);

  bool IsMaximized() const;
  void ToggleMaximize();
  void Minimize();

  // Shows the window modally; gives the modal result set before it closed (0 when closed
  // otherwise).
  int ShowModal();
  int ModalResult = 0;

  // The frame's help button was pressed (also reachable for tests).
  void HelpPressed(QPoint cursor);

  QColor FrameColor() const { return frameColor_; }
  void SetFrameColor(const QColor& color);
  QColor BodyColor() const { return bodyColor_; }
  void SetBodyColor(const QColor& color);
  int FrameWidth() const { return frameWidth_; }
  void SetFrameWidth(int width);

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  friend class TSkCaptionBar;  // its top band is the window's top border
  void UpdateFrame();
  void UpdateIcon();
  void LayoutFrame();
  void ReportClientSize(bool always);
  int BorderWidth() const;
  int CaptionHeight() const;
  QSize MinimumFrameSize() const;
  Qt::Edges ResizeEdgesAt(QPoint pos) const;
  void ShowBorderCursor(Qt::Edges edges);
  void RestoreCursor();
  void StartMove(QPoint pressGlobal);
  void StartResize(Qt::Edges edges, QPoint pressGlobal);
  void FinishUserResize();
  void InstallKeyPreview();
  void PlayShowEffect();
  void EndModalLoop();
  void RepolishFrame();

  TSkCaptionBar* caption_ = nullptr;
  QWidget* client_ = nullptr;
  TSkNotebook* notebook_ = nullptr;
  bool hideCaption_ = false;
  int paintingOff_ = 0;
  bool minimizeButton_ = true;
  bool maximizeButton_ = true;
  bool resizable_ = true;
  QColor frameColor_;
  QColor bodyColor_;
  int frameWidth_;

  // Moving and resizing by hand, where the platform cannot do it for us.
  bool moving_ = false;
  QPoint moveOffset_;
  bool resizing_ = false;
  Qt::Edges resizeEdges_;
  QRect resizeStart_;
  QPoint resizePressGlobal_;
  // A resize the platform runs reports no end; one that rests for a moment counts as done.
  bool userResizing_ = false;
  QElapsedTimer userResizeClock_;
  QTimer* userResizeRest_ = nullptr;
  QSize reportedClient_;

  bool borderCursor_ = false;
  bool hadCursor_ = false;
  QCursor savedCursor_;

  QPointer<QWindow> keyWindow_;
  QPointer<QAbstractAnimation> effect_;
  bool shownOnce_ = false;
  QEventLoop* modalLoop_ = nullptr;
  int* modalResultSink_ = nullptr;
};

// Asks the program to start itself anew once every window has closed and saved what it holds.
void RequestRestart();
bool RestartRequested();
