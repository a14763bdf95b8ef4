#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "controls/skForm.h"
#include "controls/skSkin.h"
#include "controls/uFORM.h"
#include "testSupport.h"
#include "util/cp1251.h"

namespace {

using testing_support::W;

// Key presses reach a window the way the platform delivers them: to its platform window, which
// hands them on to the focused control.
void Press(TSkForm& form, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           const QString& text = {}) {
  form.winId();
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QCoreApplication::sendEvent(form.windowHandle(), &press);
}

void Mouse(QWidget* target, QEvent::Type type, QPoint local, QPoint global, Qt::MouseButtons buttons) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, local, global, button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

bool WaitFor(const std::function<bool()>& done, int ms = 3000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

bool ButtonShown(const TSkForm& form, const char* name) {
  const auto* button = form.findChild<QToolButton*>(QLatin1String(name));
  return button && !button->isHidden();
}

struct ActionLog {
  std::vector<std::string> actions;
  std::function<void(const RHelpAction&)> Slot() {
    return [this](const RHelpAction& a) { actions.push_back(a.Action); };
  }
};

TEST(SkForm, CaptionButtonsFollowTheSwitches) {
  struct Case {
    const char* what;
    std::function<void(TSkForm&)> set;
    bool help, minimize, maximize, resizable, escClose;
  };
  const Case cases[] = {
      {"new window", [](TSkForm&) {}, false, true, true, true, false},
      {"dialog", [](TSkForm& f) { f.SetDialogStyle(true); }, false, false, false, false, true},
      {"dialog undone",
       [](TSkForm& f) {
         f.SetDialogStyle(true);
         f.SetDialogStyle(false);
       },
       false, true, true, true, false},
      {"dialog undone gives maximize back even without size",
       [](TSkForm& f) {
         f.SetSizeAllowed(false);
         f.SetDialogStyle(false);
       },
       false, true, true, true, false},
      {"size off", [](TSkForm& f) { f.SetSizeAllowed(false); }, false, true, false, false, false},
      {"size off and on",
       [](TSkForm& f) {
         f.SetSizeAllowed(false);
         f.SetSizeAllowed(true);
       },
       false, true, true, true, false},
      {"help", [](TSkForm& f) { f.SetHelpButton(true); }, true, true, true, true, false},
      {"help on and off",
       [](TSkForm& f) {
         f.SetHelpButton(true);
         f.SetHelpButton(false);
       },
       false, true, true, true, false},
      {"dialog with help",
       [](TSkForm& f) {
         f.SetDialogStyle(true);
         f.SetHelpButton(true);
       },
       true, false, false, false, true},
  };
  for (const Case& c : cases) {
    TSkForm form;
    c.set(form);
    EXPECT_EQ(ButtonShown(form, "captionHelp"), c.help) << c.what;
    EXPECT_EQ(ButtonShown(form, "captionMinimize"), c.minimize) << c.what;
    EXPECT_EQ(ButtonShown(form, "captionMaximize"), c.maximize) << c.what;
    EXPECT_TRUE(ButtonShown(form, "captionClose")) << c.what;
    EXPECT_EQ(form.ResizeByBorder(), c.resizable) << c.what;
    EXPECT_EQ(form.EscClose, c.escClose) << c.what;
  }
}

TEST(SkForm, ClientSizeIsTheAreaInsideTheFrame) {
  for (const bool hidden : {false, true}) {
    TSkForm form;
    form.SetHideCaption(hidden);
    QSize reported;
    form.OnSizeChanged = [&](int w, int h) { reported = QSize(w, h); };
    form.SetClientSize(400, 300);
    EXPECT_EQ(form.ClientSize(), QSize(400, 300)) << hidden;
    if (hidden) {
      EXPECT_EQ(form.size(), QSize(400, 300));
      EXPECT_TRUE(form.findChild<QWidget*>(QStringLiteral("captionBar"))->isHidden());
    } else {
      EXPECT_GT(form.width(), 400);
      EXPECT_GT(form.height(), 300 + 20);
    }
    TSkNotebook* notebook = form.CreateNotebook();
    form.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(reported, QSize(400, 300)) << hidden;
    EXPECT_EQ(form.ClientArea()->size(), QSize(400, 300)) << hidden;
    EXPECT_EQ(notebook->size(), QSize(400, 300)) << hidden;
  }
}

TEST(SkForm, NotebookStartsWithDefaultAndNumbersLaterPages) {
  TSkForm form;
  EXPECT_EQ(form.Notebook(), nullptr);
  TSkNotebook* notebook = form.CreateNotebook();
  ASSERT_EQ(notebook, form.Notebook());
  EXPECT_EQ(form.CreateNotebook(), notebook);  // one notebook per window
  EXPECT_EQ(notebook->count(), 1);
  EXPECT_EQ(notebook->PageName(0), QStringLiteral("Default"));
  EXPECT_EQ(notebook->currentIndex(), 0);
  EXPECT_EQ(notebook->AddPage(QStringLiteral("p1")), 1);
  EXPECT_EQ(notebook->PageName(1), QStringLiteral("p1"));
  EXPECT_EQ(notebook->currentIndex(), 1);
  EXPECT_EQ(notebook->currentWidget(), notebook->Page(1));
  EXPECT_EQ(notebook->PageName(7), QString());
}

TEST(SkForm, HotKeysBelongToThePageCurrentWhenRegistered) {
  TSkForm form;
  form.AddHotKey("F7*every page");  // before any notebook: a key of every page
  TSkNotebook* notebook = form.CreateNotebook();
  form.AddHotKey("F5*menu");
  notebook->AddPage(QStringLiteral("p1"));
  form.AddHotKey("F6*reading");
  form.AddHotKey("F5*reading f5");
  ActionLog log;
  form.OnFormAction = log.Slot();
  // A focused edit passes function keys on to its parents; the window still sees each press once.
  auto* edit = new QLineEdit(notebook->Page(1));
  form.show();
  edit->setFocus();

  struct Case {
    int page;
    int key;
    std::vector<std::string> fired;
  };
  const Case cases[] = {
      {0, Qt::Key_F5, {"menu"}},
      {0, Qt::Key_F6, {}},
      {1, Qt::Key_F6, {"reading"}},
      {1, Qt::Key_F5, {"reading f5"}},
      {0, Qt::Key_F7, {"every page"}},
      {1, Qt::Key_F7, {"every page"}},
      {1, Qt::Key_F8, {}},
  };
  for (const Case& c : cases) {
    notebook->setCurrentIndex(c.page);
    if (c.page == 1) edit->setFocus();
    log.actions.clear();
    Press(form, c.key);
    EXPECT_EQ(log.actions, c.fired) << "page " << c.page << " key " << std::hex << c.key;
  }
}

TEST(SkForm, FirstRegistrationOfACombinationWins) {
  TSkForm form;
  form.AddHotKey("^F*first//second command");
  form.AddHotKey("Ctrl+F*second");
  ActionLog log;
  form.OnFormAction = log.Slot();
  Press(form, Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(log.actions, std::vector<std::string>{"first//second command"});
}

TEST(SkForm, EscapeWithEscCloseFiresTheHotKeyThenCloses) {
  for (const bool escClose : {true, false}) {
    TSkForm form;
    form.EscClose = escClose;
    form.AddHotKey("Esc*on escape");
    bool visibleWhenFired = false;
    form.OnFormAction = [&](const RHelpAction& a) {
      EXPECT_EQ(a.Action, "on escape");
      visibleWhenFired = form.isVisible();
    };
    form.show();
    Press(form, Qt::Key_Escape);
    EXPECT_TRUE(visibleWhenFired) << escClose;
    EXPECT_EQ(form.isHidden(), escClose);
  }
}

TEST(SkForm, ControlsStillGetTheKeyAfterTheWindowSawIt) {
  TSkForm form;
  form.CreateNotebook();
  auto* edit = new QLineEdit(form.Notebook()->Page(0));
  form.AddHotKey("A*letter");
  QString textWhenFired = QStringLiteral("not fired");
  form.OnFormAction = [&](const RHelpAction&) { textWhenFired = edit->text(); };
  form.show();
  edit->setFocus();
  Press(form, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
  EXPECT_EQ(textWhenFired, QString());
  EXPECT_EQ(edit->text(), QStringLiteral("a"));
}

TEST(SkForm, RestartKeyWantsExactlyCtrlAndAlt) {
  testing_support::DesktopScope desktop;
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
  };
  const Case cases[] = {
      {Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier},
      {Qt::Key_Q, Qt::ControlModifier},
      {Qt::Key_Q, Qt::AltModifier},
      {Qt::Key_W, Qt::ControlModifier | Qt::AltModifier},
  };
  const bool before = RestartRequested();
  for (const Case& c : cases) {
    TSkForm form;
    form.show();
    Press(form, c.key, c.modifiers);
    EXPECT_TRUE(form.isVisible()) << std::hex << c.key << " " << c.modifiers;
  }
  EXPECT_EQ(RestartRequested(), before);
  EXPECT_TRUE(desktop.desktop.quitCodes.empty());
}

TEST(SkForm, RestartKeyEndsTheProgramTheOrdinaryWayAndAsksForANewCopy) {
  testing_support::DesktopScope desktop;
  TSkForm form;
  form.show();
  // A Cyrillic layout gives "Й" on the Q key; it is the same key.
  Press(form, 0x0419, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_TRUE(RestartRequested());
  // Not an exit on the spot: the desktop closes the windows (which save) and then ends the loop.
  EXPECT_EQ(desktop.desktop.quitCodes, std::vector<int>{0});
}

TEST(SkForm, HelpButtonFiresItsActionAtTheCursor) {
  struct Case {
    bool helpButton;
    bool handler;
    bool fires;
  };
  for (const Case c : {Case{true, true, true}, Case{true, false, false}, Case{false, true, false}}) {
    TSkForm form;
    form.SetHelpButton(c.helpButton);
    form.HelpAction = "help_show*brakes";
    std::vector<RHelpAction> fired;
    if (c.handler) form.OnFormAction = [&](const RHelpAction& a) { fired.push_back(a); };
    form.HelpPressed(QPoint(123, 45));
    ASSERT_EQ(fired.size(), c.fires ? 1u : 0u) << c.helpButton << c.handler;
    if (!c.fires) continue;
    EXPECT_EQ(fired[0].Action, "help_show*brakes");
    EXPECT_EQ(fired[0].Height, 0);
    EXPECT_EQ(fired[0].X, 123);
    EXPECT_EQ(fired[0].Y, 45);
  }
}

TEST(SkForm, PressingTheCaptionHelpButtonUsesTheCursorPosition) {
  TSkForm form;
  form.SetHelpButton(true);
  form.HelpAction = "help";
  std::vector<RHelpAction> fired;
  form.OnFormAction = [&](const RHelpAction& a) { fired.push_back(a); };
  form.show();
  form.findChild<QToolButton*>(QStringLiteral("captionHelp"))->click();
  ASSERT_EQ(fired.size(), 1u);
  EXPECT_EQ(QPoint(fired[0].X, fired[0].Y), QCursor::pos());
}

// Someone at the screen: modal windows are waited for.
struct InteractiveDesktop : platform::RecordingDesktop {
  bool Interactive() override { return true; }
};

TEST(SkForm, ShowModalGivesTheResultSetBeforeClosing) {
  InteractiveDesktop desktop;
  platform::ScopedDesktop scope(&desktop);
  struct Case {
    const char* what;
    std::function<void(TSkForm&)> end;
    int expected;
  };
  const Case cases[] = {
      {"result then close",
       [](TSkForm& f) {
         f.ModalResult = 7;
         f.close();
       },
       7},
      {"closed without a result", [](TSkForm& f) { f.close(); }, 0},
      {"hidden",
       [](TSkForm& f) {
         f.ModalResult = 2;
         f.hide();
       },
       2},
  };
  for (const Case& c : cases) {
    TSkForm form;
    form.ModalResult = 5;  // a result from an earlier run does not count
    QTimer::singleShot(0, &form, [&] { c.end(form); });
    EXPECT_EQ(form.ShowModal(), c.expected) << c.what;
    EXPECT_EQ(form.windowModality(), Qt::NonModal) << c.what;
  }
}

TEST(SkForm, ShowModalSurvivesTheWindowBeingFreed) {
  InteractiveDesktop desktop;
  platform::ScopedDesktop scope(&desktop);
  auto* form = new TSkForm;
  QTimer::singleShot(0, [form] {
    form->ModalResult = 3;
    delete form;
  });
  EXPECT_EQ(form->ShowModal(), 3);
}

TEST(SkForm, ShowModalWithNobodyAtTheScreenShowsWithoutWaiting) {
  testing_support::DesktopScope desktop;
  TSkForm form;
  form.ModalResult = 4;
  EXPECT_EQ(form.ShowModal(), 0);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.windowModality(), Qt::NonModal);
}

TEST(SkForm, FramePaintingSwitchNests) {
  struct Case {
    std::vector<bool> calls;
    bool updates;
  };
  const Case cases[] = {
      {{false}, false},
      {{false, true}, true},
      {{false, false, true}, false},
      {{false, false, true, true}, true},
      {{true, true, false}, false},  // surplus "on" calls are not banked
  };
  for (const Case& c : cases) {
    TSkForm form;
    for (const bool on : c.calls) form.SetFramePainting(on);
    EXPECT_EQ(form.updatesEnabled(), c.updates) << c.calls.size();
  }
}

TEST(SkForm, MaximizeIsAnnouncedBeforeItHappens) {
  TSkForm form;
  std::vector<bool> maximizedWhenTold;
  form.OnMaximizeChanging = [&] { maximizedWhenTold.push_back(form.IsMaximized()); };
  form.show();
  form.ToggleMaximize();
  EXPECT_TRUE(WaitFor([&] { return form.IsMaximized(); }));
  EXPECT_TRUE(WaitFor([&] { return form.ClientSize().width() == form.width(); }));  // no border now

  QWidget* bar = form.findChild<QWidget*>(QStringLiteral("captionBar"));
  Mouse(bar, QEvent::MouseButtonDblClick, QPoint(50, 10), bar->mapToGlobal(QPoint(50, 10)), Qt::LeftButton);
  EXPECT_FALSE(form.IsMaximized());
  EXPECT_EQ(maximizedWhenTold, (std::vector<bool>{false, true}));

  form.SetDialogStyle(true);  // no maximize button: a double click does nothing
  Mouse(bar, QEvent::MouseButtonDblClick, QPoint(50, 10), bar->mapToGlobal(QPoint(50, 10)), Qt::LeftButton);
  EXPECT_FALSE(form.IsMaximized());
  EXPECT_EQ(maximizedWhenTold.size(), 2u);
}

TEST(SkForm, BackgroundDragMovesTheWindowOnlyWhenMovingAndNotMaximized) {
  struct Case {
    bool moving;
    bool maximized;
    bool moves;
  };
  for (const Case c : {Case{true, false, true}, Case{false, false, false}, Case{true, true, false}}) {
    TSkForm form;
    form.Moving = c.moving;
    TSkNotebook* notebook = form.CreateNotebook();
    notebook->OnBackgroundPress = [&] { form.DragWindow(); };
    form.SetClientSize(300, 200);
    form.show();
    if (c.maximized) form.ToggleMaximize();
    QCoreApplication::processEvents();
    const QPoint start = form.pos();
    QWidget* page = notebook->Page(0);
    const QPoint pressAt = page->mapToGlobal(QPoint(20, 20));
    QCursor::setPos(pressAt);
    Mouse(page, QEvent::MouseButtonPress, QPoint(20, 20), pressAt, Qt::LeftButton);
    Mouse(&form, QEvent::MouseMove, form.mapFromGlobal(pressAt + QPoint(30, 25)), pressAt + QPoint(30, 25),
          Qt::LeftButton);
    Mouse(&form, QEvent::MouseButtonRelease, form.mapFromGlobal(pressAt + QPoint(30, 25)),
          pressAt + QPoint(30, 25), Qt::NoButton);
    EXPECT_EQ(form.pos(), c.moves ? start + QPoint(30, 25) : start) << c.moving << c.maximized;
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  }
}

TEST(SkForm, CaptionBarMovesTheWindowAndItsTopBandResizesIt) {
  TSkForm form;
  form.SetClientSize(300, 200);
  form.show();
  QCoreApplication::processEvents();
  QWidget* bar = form.findChild<QWidget*>(QStringLiteral("captionBar"));
  const QPoint start = form.pos();
  const QSize size = form.size();

  const QPoint grip(100, 18);
  const QPoint g = bar->mapToGlobal(grip);
  Mouse(bar, QEvent::MouseButtonPress, grip, g, Qt::LeftButton);
  Mouse(bar, QEvent::MouseMove, grip + QPoint(10, 0), g + QPoint(10, 0), Qt::LeftButton);
  Mouse(&form, QEvent::MouseMove, form.mapFromGlobal(g + QPoint(40, 30)), g + QPoint(40, 30), Qt::LeftButton);
  Mouse(&form, QEvent::MouseButtonRelease, form.mapFromGlobal(g + QPoint(40, 30)), g + QPoint(40, 30),
        Qt::NoButton);
  EXPECT_EQ(form.pos(), start + QPoint(40, 30));
  EXPECT_EQ(form.size(), size);

  const QPoint band(150, 1);
  const QPoint b = bar->mapToGlobal(band);
  Mouse(bar, QEvent::MouseButtonPress, band, b, Qt::LeftButton);
  Mouse(&form, QEvent::MouseMove, form.mapFromGlobal(b - QPoint(0, 20)), b - QPoint(0, 20), Qt::LeftButton);
  Mouse(&form, QEvent::MouseButtonRelease, form.mapFromGlobal(b - QPoint(0, 20)), b - QPoint(0, 20),
        Qt::NoButton);
  EXPECT_EQ(form.geometry().top(), start.y() + 30 - 20);
  EXPECT_EQ(form.ClientSize(), QSize(300, 220));
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST(SkForm, ResizingByTheBorderReportsTheNewClientSizeAndTheUserResize) {
  TSkForm form;
  form.SetClientSize(300, 200);
  form.show();
  QCoreApplication::processEvents();
  QSize reported;
  int userResizes = 0;
  form.OnSizeChanged = [&](int w, int h) { reported = QSize(w, h); };
  form.OnUserResized = [&] { ++userResizes; };

  const QPoint edge(form.width() - 1, form.height() / 2);
  const QPoint global = form.mapToGlobal(edge);
  Mouse(&form, QEvent::MouseButtonPress, edge, global, Qt::LeftButton);
  Mouse(&form, QEvent::MouseMove, edge + QPoint(50, 0), global + QPoint(50, 0), Qt::LeftButton);
  EXPECT_EQ(reported, QSize(350, 200));
  EXPECT_EQ(userResizes, 0);  // still dragging
  Mouse(&form, QEvent::MouseButtonRelease, edge + QPoint(50, 0), global + QPoint(50, 0), Qt::NoButton);
  EXPECT_EQ(userResizes, 1);
  EXPECT_EQ(form.ClientSize(), QSize(350, 200));

  form.ToggleMaximize();
  WaitFor([&] { return form.IsMaximized(); });
  EXPECT_EQ(userResizes, 1);

  TSkForm dialog;
  dialog.SetDialogStyle(true);
  dialog.SetClientSize(300, 200);
  dialog.show();
  const QPoint dialogEdge(dialog.width() - 1, dialog.height() / 2);
  Mouse(&dialog, QEvent::MouseButtonPress, dialogEdge, dialog.mapToGlobal(dialogEdge), Qt::LeftButton);
  Mouse(&dialog, QEvent::MouseMove, dialogEdge + QPoint(50, 0),
        dialog.mapToGlobal(dialogEdge) + QPoint(50, 0), Qt::LeftButton);
  Mouse(&dialog, QEvent::MouseButtonRelease, dialogEdge, dialog.mapToGlobal(dialogEdge), Qt::NoButton);
  EXPECT_EQ(dialog.ClientSize(), QSize(300, 200));
}

TEST(SkForm, ShowEffectsEndWithTheWindowWholeAndInPlace) {
  struct Case {
    const char* effect;
    bool slides;
  };
  for (const Case c : {Case{"slide", true}, Case{"SLIDE", true}, Case{"fade", false}, Case{"Blinds", false},
                       Case{"", false}}) {
    TSkForm form;
    form.Effect = c.effect;
    form.move(200, 150);
    form.show();
    EXPECT_EQ(form.pos().y() < 150, c.slides) << c.effect;
    EXPECT_TRUE(WaitFor([&] { return form.windowOpacity() == 1.0 && form.pos() == QPoint(200, 150); }))
        << c.effect;
  }
}

TEST(SkForm, GenericWindowHasItsDesignedSizeAndStartsCentred) {
  TfrmFORM form(nullptr);
  EXPECT_EQ(form.size(), QSize(783, 540));
  form.show();
  const QRect screen = form.screen()->availableGeometry();
  EXPECT_LE((form.geometry().center() - screen.center()).manhattanLength(), 2);
}

TEST(SkForm, SkinStylesTheFrameOverTheBuiltInLook) {
  TSkForm form;
  AExEngine skin;
  skin.FileName = "green.qss";
  skin.StyleSheet = QStringLiteral(
      "QToolButton#captionClose { color: #00ff00; }\n"
      "#captionBar[theme=\"night\"] QLabel#captionTitle { color: #123456; }");
  ApplySkin(&form, &skin);
  form.show();
  auto* close = form.findChild<QToolButton*>(QStringLiteral("captionClose"));
  auto* minimize = form.findChild<QToolButton*>(QStringLiteral("captionMinimize"));
  auto* title = form.findChild<QLabel*>(QStringLiteral("captionTitle"));
  EXPECT_EQ(close->palette().color(close->foregroundRole()), QColor(0, 255, 0));
  // What the skin leaves alone keeps the built-in look.
  EXPECT_EQ(minimize->palette().color(minimize->foregroundRole()), QColor(0xe8, 0xee, 0xf7));
  EXPECT_EQ(title->palette().color(title->foregroundRole()), QColor(255, 255, 255));

  form.SetThemeObject("night");
  EXPECT_EQ(ThemeObject(&form), "night");
  EXPECT_EQ(title->palette().color(title->foregroundRole()), QColor(0x12, 0x34, 0x56));
}

TEST(SkSkin, ThemeObjectSelectsRulesAndCanBeCleared) {
  QWidget host;
  host.setStyleSheet(QStringLiteral("QLabel[theme=\"warn\"] { color: #ff0000; }"));
  auto* label = new QLabel(&host);
  label->ensurePolished();
  const QColor plain = label->palette().color(QPalette::WindowText);
  SetThemeObject(label, "warn");
  EXPECT_EQ(ThemeObject(label), "warn");
  EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  SetThemeObject(label, "");
  EXPECT_EQ(ThemeObject(label), "");
  EXPECT_FALSE(label->property("theme").isValid());
  EXPECT_EQ(label->palette().color(QPalette::WindowText), plain);
  SetThemeObject(nullptr, "x");
  EXPECT_EQ(ThemeObject(nullptr), "");
}

TEST(SkSkin, EachFileNameLoadsOnceWhateverItsFolderAndLatinCase) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string sheet = W("/* синяя тема */ QLabel { color: blue; }");
  for (const char* name : {"Blue.qss", "sub/BLUE.QSS", "Синий.qss", "СИНИЙ.qss"})
    testing_support::WriteFile(dir, QString::fromUtf8(name), sheet);
  const std::string root = cp1251::FromQString(dir.path()) + "/";

  TSkSkin skins;
  struct Step {
    std::string path;
    bool added;
  };
  const Step steps[] = {
      {"", false},
      {root + "Blue.qss", true},
      {root + "sub/BLUE.QSS", false},
      {root + "blue.qss", false},
      {root + W("Синий.qss"), true},
      {root + W("СИНИЙ.qss"), true},  // only Latin letters compare without case
  };
  for (const Step& s : steps) EXPECT_EQ(skins.AddSkin(s.path), s.added) << s.path;
  ASSERT_EQ(skins.Skins().size(), 3u);
  EXPECT_EQ(skins.Skins()[0]->FileName, "Blue.qss");
  EXPECT_EQ(skins.Skins()[0]->StyleSheet, QString::fromUtf8("/* синяя тема */ QLabel { color: blue; }"));

  struct Lookup {
    std::string name;
    const AExEngine* found;
  };
  const Lookup lookups[] = {
      {"BLUE.qss", skins.Skins()[0].get()},
      {"C:\\skins\\blue.QSS", skins.Skins()[0].get()},
      {"other/dir/Blue.qss", skins.Skins()[0].get()},
      {"blue", nullptr},
      {"green.qss", nullptr},
      {W("синий.qss"), nullptr},
      {W("СИНИЙ.qss"), skins.Skins()[2].get()},
      {"", nullptr},
  };
  for (const Lookup& l : lookups) EXPECT_EQ(skins.FindSkin(l.name), l.found) << l.name;
}

TEST(SkSkin, AMissingSkinFileIsReportedOnceAndNotTriedAgain) {
  testing_support::DesktopScope desktop;
  QTemporaryDir dir;
  const std::string path = cp1251::FromQString(dir.path()) + "/absent.qss";
  TSkSkin skins;
  EXPECT_TRUE(skins.AddSkin(path));
  EXPECT_FALSE(skins.AddSkin(path));
  EXPECT_EQ(desktop.desktop.messages.size(), 1u);
  ASSERT_NE(skins.FindSkin("absent.qss"), nullptr);
  EXPECT_TRUE(skins.FindSkin("absent.qss")->StyleSheet.isEmpty());
}

}  // namespace
