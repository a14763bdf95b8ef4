// The everyday controls driven directly, as the engine and the user drive them: value lists,
// number-mode edit boxes, limits, switches, show-and-hide in place, shares, link look, and a
// splitter dragged with the mouse.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "controls/skCheckBox.h"
#include "controls/skComboBox.h"
#include "controls/skEditBox.h"
#include "controls/skLabel.h"
#include "controls/skLayout.h"
#include "controls/skListBox.h"
#include "controls/skPanel.h"
#include "controls/skParPanel.h"
#include "controls/skProgressBar.h"
#include "controls/skRButton.h"
#include "controls/skScrollBox.h"
#include "controls/skSpeedButton.h"
#include "controls/skSpinEdit.h"
#include "controls/skSplitter.h"
#include "testSupport.h"
#include "util/cp1251.h"

using testing_support::DesktopScope;
using testing_support::W;
using testing_support::WriteFile;

namespace {

std::string Path1251(const QString& path) {
  return cp1251::FromQString(path);
}

TStrings Captions(const QListWidget& list) {
  TStrings out;
  for (int i = 0; i < list.count(); ++i) out.push_back(cp1251::FromQString(list.item(i)->text()));
  return out;
}

TStrings Captions(const QComboBox& combo) {
  TStrings out;
  for (int i = 0; i < combo.count(); ++i) out.push_back(cp1251::FromQString(combo.itemText(i)));
  return out;
}

// A key typed the way a keyboard types it: press, then release.
void Type(QWidget* w, Qt::Key key, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(w, &release);
}

void TypeDigits(QWidget* w, const char* digits) {
  for (const char* d = digits; *d; ++d)
    Type(w, static_cast<Qt::Key>(Qt::Key_0 + (*d - '0')), QString(QChar(*d)));
}

void Mouse(QWidget* w, QEvent::Type type, QPoint local, Qt::MouseButtons buttons = Qt::LeftButton) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(local), QPointF(w->mapToGlobal(local)), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &event);
}

// --- lines of list files ---

TEST(ListFileLines, SplitAtEveryKindOfLineBreak) {
  struct Case {
    std::string text;
    TStrings lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\rc", {"a", "b", "c"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"a\n\rb", {"a", "", "b"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
}

// --- list box ---

TEST(ListBox, LinesGiveCaptionsAndValues) {
  struct Case {
    std::string line, caption, value;
  };
  const Case cases[] = {
      {"Front axle#;#axle.htm", "Front axle", "axle.htm"},
      {"No value", "No value", ""},
      {"#;#only.htm", "", "only.htm"},
      {"a#;#b#;#c", "a", "b#;#c"},
      {"", "", ""},
      {W("Тормоза#;#brakes.htm"), W("Тормоза"), "brakes.htm"},
  };
  for (const Case& c : cases) {
    TSkListBox box(nullptr);
    box.LoadItems({c.line});
    ASSERT_EQ(box.count(), 1) << c.line;
    EXPECT_EQ(Captions(box), TStrings{c.caption}) << c.line;
    EXPECT_EQ(box.ValueOf(0), c.value) << c.line;
  }
}

TEST(ListBox, LoadingReplacesItemsAndBadIndexesGiveNoValue) {
  TSkListBox box(nullptr);
  box.AddItem("old", "old.htm");
  box.LoadItems({"one#;#1", "two#;#2"});
  EXPECT_EQ(Captions(box), (TStrings{"one", "two"}));
  EXPECT_EQ(box.ItemValues, (TStrings{"one#;#1", "two#;#2"}));
  EXPECT_EQ(box.ValueOf(1), "2");
  EXPECT_EQ(box.ValueOf(-1), "");
  EXPECT_EQ(box.ValueOf(2), "");
  box.ClearItems();
  EXPECT_EQ(box.count(), 0);
  EXPECT_TRUE(box.ItemValues.empty());
}

TEST(ListBox, FileFillsTheBoxAndAMissingOrEmptyFileKeepsItsItems) {
  DesktopScope scope;
  QTemporaryDir dir;
  const std::string list =
      Path1251(WriteFile(dir, "parts.lst", "Axle#;#axle.htm\r\nBrakes#;#brakes.htm\r\n"));
  const std::string empty = Path1251(WriteFile(dir, "empty.lst", ""));
  TSkListBox box(nullptr);
  box.LoadFile(list);
  EXPECT_EQ(Captions(box), (TStrings{"Axle", "Brakes"}));
  box.LoadFile(empty);
  box.LoadFile(Path1251(dir.filePath("missing.lst")));
  EXPECT_EQ(Captions(box), (TStrings{"Axle", "Brakes"}));
  EXPECT_EQ(scope.desktop.messages.size(), 1u);
}

TEST(ListBox, DoubleClickReachesTheEngineOnlyOnceEnabled) {
  TSkListBox box(nullptr);
  box.resize(200, 100);
  box.AddItem("a", "1");
  int clicks = 0;
  box.OnClick = [&](TSkControl*) { ++clicks; };
  Mouse(box.viewport(), QEvent::MouseButtonDblClick, QPoint(5, 5));
  EXPECT_EQ(clicks, 0);
  box.DoubleClickEnabled = true;
  Mouse(box.viewport(), QEvent::MouseButtonDblClick, QPoint(5, 5));
  EXPECT_EQ(clicks, 1);
}

// --- combo box ---

TEST(ComboBox, LinesGiveCaptionsAndValuesAndEmptyCaptionsAddNothing) {
  TSkComboBox box(nullptr);
  box.LoadItems({"Petrol;ptr", ";x", "Diesel", "Gas;a;b", ""});
  EXPECT_EQ(Captions(box), (TStrings{"Petrol", "Diesel", "Gas"}));
  EXPECT_EQ(box.ItemValues, (TStrings{"ptr", "", "a;b"}));
  // Loading adds to what is there.
  box.LoadItems({"More;m"});
  EXPECT_EQ(box.count(), 4);
}

TEST(ComboBox, SelectedValueFollowsTheSelection) {
  TSkComboBox box(nullptr);
  EXPECT_EQ(box.SelectedValue(), "");
  box.LoadItems({"Petrol;ptr", "Diesel;dsl"});
  // Filling selects nothing by itself.
  EXPECT_EQ(box.currentIndex(), -1);
  EXPECT_EQ(box.SelectedValue(), "");
  box.setCurrentIndex(1);
  EXPECT_EQ(box.SelectedValue(), "dsl");
}

TEST(ComboBox, FileReplacesItemsAndAMissingFileEmptiesTheBox) {
  DesktopScope scope;
  QTemporaryDir dir;
  const std::string list = Path1251(WriteFile(dir, "fuel.lst", "Petrol;ptr\n;x\nDiesel;dsl"));
  TSkComboBox box(nullptr);
  box.AddItem("old", "o");
  box.LoadFile(list);
  EXPECT_EQ(Captions(box), (TStrings{"Petrol", "Diesel"}));
  box.LoadFile(Path1251(dir.filePath("missing.lst")));
  EXPECT_EQ(box.count(), 0);
  EXPECT_TRUE(box.ItemValues.empty());
}

TEST(ComboBox, ReadOnlyOffersTheListOnly) {
  TSkComboBox box(nullptr);
  EXPECT_TRUE(box.isEditable());
  box.SetReadOnly(true);
  EXPECT_FALSE(box.isEditable());
  box.SetReadOnly(false);
  EXPECT_TRUE(box.isEditable());
}

TEST(ComboBox, WheelNeverChangesTheSelection) {
  TSkComboBox box(nullptr);
  box.SetReadOnly(true);
  box.LoadItems({"a;1", "b;2", "c;3"});
  box.setCurrentIndex(1);
  for (int delta : {120, -120}) {
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&box, &wheel);
    EXPECT_EQ(box.currentIndex(), 1);
    EXPECT_TRUE(wheel.isAccepted());
  }
}

// --- edit box ---

struct EditPair {
  QWidget parent;
  TSkEditBox* from = new TSkEditBox(&parent);
  TSkEditBox* to = new TSkEditBox(&parent);
  EditPair() {
    from->OnlyNumber = true;
    to->OnlyNumber = true;
    from->SetMinLink(to);
  }
};

TEST(EditBox, TypingIntoTheFirstBoxRaisesTheLinkedOne) {
  EditPair p;
  p.to->setText("10");
  TypeDigits(p.from, "50");
  EXPECT_EQ(p.from->Number(), 50);
  EXPECT_EQ(p.to->Number(), 50);
  EXPECT_EQ(p.to->Minimum, 50);
  // A larger number in the second box is left alone.
  p.to->setText("70");
  p.from->SetNumber(60);
  EXPECT_EQ(p.to->Number(), 70);
}

TEST(EditBox, AKeyReleasedBelowTheMinimumRestoresIt) {
  EditPair p;
  TypeDigits(p.from, "50");
  p.to->setText("7");
  Type(p.to, Qt::Key_Left);
  EXPECT_EQ(p.to->text(), "50");
}

TEST(EditBox, ChainPassesTheMinimumAlong) {
  QWidget parent;
  TSkEditBox a(&parent), b(&parent), c(&parent);
  for (TSkEditBox* box : {&a, &b, &c}) box->OnlyNumber = true;
  a.SetMinLink(&b);
  b.SetMinLink(&c);
  a.SetNumber(40);
  EXPECT_EQ(b.Number(), 40);
  EXPECT_EQ(c.Number(), 40);
}

TEST(EditBox, LinkedCircleSettlesInsteadOfLooping) {
  EditPair p;
  p.to->SetMinLink(p.from);
  p.to->SetNumber(30);
  EXPECT_EQ(p.from->Number(), 30);
  // Setting a number does not hold it to the minimum; releasing a key does.
  p.from->SetNumber(20);
  EXPECT_EQ(p.to->Number(), 30);
  Type(p.from, Qt::Key_Left);
  EXPECT_EQ(p.from->Number(), 30);
  TSkEditBox self(nullptr);
  self.OnlyNumber = true;
  self.SetMinLink(&self);
  self.SetNumber(5);
  EXPECT_EQ(self.Number(), 5);
}

TEST(EditBox, OnlyABoxInNumberModeCanBeLinked) {
  TSkEditBox a(nullptr), b(nullptr);
  a.OnlyNumber = true;
  a.SetMinLink(&b);
  EXPECT_EQ(a.MinLink(), nullptr);
  b.OnlyNumber = true;
  a.SetMinLink(&b);
  EXPECT_EQ(a.MinLink(), &b);
  a.SetMinLink(nullptr);
  EXPECT_EQ(a.MinLink(), nullptr);
}

TEST(EditBox, NumberModeTakesDigitsOnly) {
  struct Case {
    Qt::Key key;
    QString text;
    bool numberMode;
    QString after;  // typed into a box holding "12", cursor at the end
  };
  const Case cases[] = {
      {Qt::Key_7, "7", true, "127"},         {Qt::Key_A, "a", true, "12"},
      {Qt::Key_Minus, "-", true, "12"},      {Qt::Key_Space, " ", true, "12"},
      {Qt::Key_Backspace, "\b", true, "12"}, {Qt::Key_Backspace, "", true, "12"},
      {Qt::Key_A, "a", false, "12a"},        {Qt::Key_Backspace, "\b", false, "1"},
  };
  for (const Case& c : cases) {
    TSkEditBox box(nullptr);
    box.OnlyNumber = c.numberMode;
    box.setText("12");
    Type(&box, c.key, c.text);
    EXPECT_EQ(box.text(), c.after) << c.key << " number mode " << c.numberMode;
  }
}

TEST(EditBox, DeleteStillWorksInNumberMode) {
  TSkEditBox box(nullptr);
  box.OnlyNumber = true;
  box.setText("12");
  box.setCursorPosition(0);
  Type(&box, Qt::Key_Delete);
  EXPECT_EQ(box.text(), "2");
}

TEST(EditBox, NumberReadsOnlyIntegersInNumberMode) {
  struct Case {
    std::string text;
    bool numberMode;
    int number;
  };
  const Case cases[] = {
      {"", true, 0}, {"42", true, 42}, {"abc", true, 0}, {"42", false, 0}, {"99999999999", true, 0},
  };
  for (const Case& c : cases) {
    TSkEditBox box(nullptr);
    box.OnlyNumber = c.numberMode;
    box.SetText(c.text);
    EXPECT_EQ(box.Number(), c.number) << c.text;
  }
}

TEST(EditBox, EnterGoesToTheEngineAndTheBoxStartsEmpty) {
  TSkEditBox box(nullptr);
  EXPECT_EQ(box.text(), "");
  std::vector<int> keys;
  box.OnKeyDown = [&](TSkControl*, int key) { keys.push_back(key); };
  Type(&box, Qt::Key_Return, "\r");
  Type(&box, Qt::Key_Enter, "\r");
  EXPECT_EQ(keys, (std::vector<int>{13, 13}));
}

// --- spin edit ---

TEST(SpinEdit, LimitsHoldTheValue) {
  TSkSpinEdit spin(nullptr);
  EXPECT_EQ(spin.LowLimit(), -1);
  EXPECT_EQ(spin.HighLimit(), 1000000);
  spin.SetLowLimit(5);
  EXPECT_EQ(spin.value(), 5);
  spin.SetHighLimit(10);
  struct Case {
    double set, shown;
  };
  const Case cases[] = {{11, 10}, {1e9, 10}, {-3, 5}, {7, 7}};
  for (const Case& c : cases) {
    spin.setValue(c.set);
    EXPECT_EQ(spin.value(), c.shown) << c.set;
  }
  spin.SetHighLimit(6);
  EXPECT_EQ(spin.value(), 6);
}

TEST(SpinEdit, CrossedLimitsSettleOnTheUpperOne) {
  TSkSpinEdit spin(nullptr);
  spin.SetLowLimit(10);
  spin.SetHighLimit(5);
  EXPECT_EQ(spin.value(), 5);
  spin.setValue(0);
  EXPECT_EQ(spin.value(), 5);
}

// --- speed buttons ---

TEST(SpeedButton, ToggleDownTwiceLeavesItUp) {
  TSkSpeedButton button(nullptr);
  button.ToggleDown();
  EXPECT_TRUE(button.Down());
  EXPECT_TRUE(button.DownState);
  button.ToggleDown();
  EXPECT_FALSE(button.Down());
  EXPECT_FALSE(button.DownState);
}

TEST(SpeedButton, AClickOutsideAGroupLeavesTheShownState) {
  TSkSpeedButton button(nullptr);
  int clicks = 0;
  button.OnClick = [&](TSkControl*) { ++clicks; };
  button.click();
  EXPECT_FALSE(button.Down());
  button.SetDown(true);
  button.click();
  EXPECT_TRUE(button.Down());
  EXPECT_EQ(clicks, 2);
}

TEST(SpeedButton, GroupActsAsOneSetOfSwitches) {
  QWidget parent, other;
  TSkSpeedButton a(&parent), b(&parent), c(&parent), elsewhere(&other);
  for (TSkSpeedButton* button : {&a, &b, &elsewhere}) button->SetGroupIndex(1);
  c.SetGroupIndex(2);
  elsewhere.SetDown(true);
  c.SetDown(true);
  a.click();
  EXPECT_TRUE(a.Down());
  b.click();
  EXPECT_TRUE(b.Down());
  EXPECT_FALSE(a.Down());
  // A down button stays down; other groups and other parents are not touched.
  b.click();
  EXPECT_TRUE(b.Down());
  EXPECT_TRUE(c.Down());
  EXPECT_TRUE(elsewhere.Down());
  a.SetDown(true);
  EXPECT_FALSE(b.Down());
  // DownState is the remembered state, untouched by clicks and partners.
  EXPECT_FALSE(a.DownState);
  EXPECT_FALSE(b.DownState);
}

TEST(SpeedButton, AButtonAloneInItsGroupToggles) {
  QWidget parent;
  TSkSpeedButton alone(&parent);
  alone.SetGroupIndex(-3);
  alone.click();
  EXPECT_TRUE(alone.Down());
  alone.click();
  EXPECT_FALSE(alone.Down());
}

// --- panels and splitters: hiding and showing in place ---

TEST(ShowOrHide, PanelComesBackWhereItWas) {
  QWidget parent;
  parent.resize(400, 300);
  TSkPanel panel(&parent);
  panel.setGeometry(30, 40, 100, 50);
  panel.ShowOrHide();
  EXPECT_TRUE(panel.isHidden());
  EXPECT_EQ(panel.SavedLeft, 30);
  EXPECT_EQ(panel.SavedTop, 40);
  panel.move(0, 0);
  panel.ShowOrHide();
  EXPECT_FALSE(panel.isHidden());
  EXPECT_EQ(panel.pos(), QPoint(30, 40));
}

TEST(ShowOrHide, SplitterHiddenOtherwiseReturnsToTheLastStoredPlace) {
  QWidget parent;
  parent.resize(400, 300);
  TSkSplitter splitter(&parent);
  splitter.Align = TAlign::None;
  splitter.move(50, 60);
  splitter.hide();
  splitter.ShowOrHide();
  EXPECT_FALSE(splitter.isHidden());
  EXPECT_EQ(splitter.pos(), QPoint(0, 0));
  splitter.move(70, 80);
  splitter.ShowOrHide();
  splitter.move(1, 1);
  splitter.hide();
  splitter.ShowOrHide();
  EXPECT_EQ(splitter.pos(), QPoint(70, 80));
}

// --- centring ---

TEST(Centering, UsesTheParentsOuterSizeAndTruncates) {
  struct Case {
    QSize parent, panel;
    bool horz, vert;
    QPoint at;
  };
  const Case cases[] = {
      {{300, 200}, {100, 50}, true, false, {100, 7}},
      {{301, 201}, {100, 50}, true, true, {100, 75}},
      {{300, 200}, {100, 50}, false, true, {9, 75}},
      {{50, 50}, {101, 60}, true, true, {-25, -5}},
  };
  for (const Case& c : cases) {
    QWidget parent;
    parent.resize(c.parent);
    TSkPanel panel(&parent);
    panel.setGeometry(QRect(QPoint(9, 7), c.panel));
    panel.SetCenterHorz(c.horz);
    panel.SetCenterVert(c.vert);
    EXPECT_EQ(panel.pos(), c.at) << c.parent.width() << "x" << c.parent.height();
  }
}

TEST(Centering, ParentPanelRecentersWhenAsked) {
  QWidget parent;
  parent.resize(300, 200);
  TParentPanel panel(&parent);
  panel.SetCenterHorz(true);
  EXPECT_EQ(panel.x(), 100);
  parent.resize(500, 200);
  panel.Recenter();
  EXPECT_EQ(panel.x(), 200);
}

// --- parent panel shares ---

TEST(ParentPanel, SizeTextsGiveSharesOrPixels) {
  struct Case {
    int client;
    std::string text;
    int size;
    int share;
  };
  const Case cases[] = {
      {775, "50%", 350, 50},   {99, "50%", 0, 50},      {800, "120", 120, 0},
      {800, "100%", 800, 100}, {800, " 25 %", 200, 25}, {800, "$10", 16, 0},
  };
  for (const Case& c : cases) {
    QWidget parent;
    parent.resize(c.client, c.client);
    TParentPanel w(&parent), h(&parent);
    w.SetWidthText(c.text);
    h.SetHeightText(c.text);
    EXPECT_EQ(w.width(), c.size) << c.text << " of " << c.client;
    EXPECT_EQ(w.WidthShare, c.share) << c.text;
    EXPECT_EQ(w.height(), 50) << c.text;
    EXPECT_EQ(h.height(), c.size) << c.text << " of " << c.client;
    EXPECT_EQ(h.HeightShare, c.share) << c.text;
    EXPECT_EQ(h.width(), 100) << c.text;
  }
}

TEST(ParentPanel, JunkSizeTextsAreConversionErrors) {
  QWidget parent;
  parent.resize(400, 400);
  TParentPanel panel(&parent);
  for (const char* text : {"abc", "x%", "%", "", "12px"}) {
    EXPECT_THROW(panel.SetWidthText(text), EConvertError) << text;
    EXPECT_THROW(panel.SetHeightText(text), EConvertError) << text;
  }
  EXPECT_EQ(panel.size(), QSize(100, 50));
}

TEST(ParentPanel, SharesFollowTheParentAndKeepAbsurdValuesInBounds) {
  QWidget parent;
  parent.resize(775, 400);
  TParentPanel panel(&parent);
  panel.SetWidthText("50%");
  parent.resize(1000, 400);
  panel.ApplyShares();
  EXPECT_EQ(panel.width(), 500);
  panel.SetWidthText("2000000000%");
  EXPECT_GE(panel.width(), 0);
  panel.SetWidthText("-50%");
  EXPECT_EQ(panel.width(), 0);
}

// --- label ---

TEST(Label, UrlStyleLooksLikeALinkAndBackToPlainText) {
  QWidget parent;
  TSkLabel label(&parent);
  QFont bold = label.font();
  bold.setBold(true);
  bold.setItalic(true);
  label.setFont(bold);
  label.SetUrlStyle(true);
  EXPECT_TRUE(label.font().underline());
  EXPECT_FALSE(label.font().bold());
  EXPECT_FALSE(label.font().italic());
  EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
  label.SetUrlStyle(false);
  EXPECT_FALSE(label.font().underline());
  EXPECT_EQ(label.palette().color(QPalette::WindowText), QApplication::palette().color(QPalette::WindowText));
  EXPECT_FALSE(label.testAttribute(Qt::WA_SetCursor));
}

TEST(Label, ALeftClickRunsTheActionOnlyWhenThereIsOne) {
  QWidget parent;
  TSkLabel label(&parent);
  label.resize(80, 20);
  int clicks = 0, drags = 0;
  label.OnClick = [&](TSkControl*) { ++clicks; };
  label.OnDragWindow = [&] { ++drags; };
  Mouse(&label, QEvent::MouseButtonPress, QPoint(5, 5));
  Mouse(&label, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::NoButton);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(drags, 1);
  label.Action = "html_load*html_see*page.htm";
  Mouse(&label, QEvent::MouseButtonPress, QPoint(5, 5));
  Mouse(&label, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::NoButton);
  EXPECT_EQ(clicks, 1);
  // Released outside the label: no click.
  Mouse(&label, QEvent::MouseButtonPress, QPoint(5, 5));
  Mouse(&label, QEvent::MouseButtonRelease, QPoint(200, 5), Qt::NoButton);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(drags, 1);
}

TEST(Label, AutoSizeFitsTheCaption) {
  TSkLabel fresh(nullptr);
  fresh.resize(10, 10);
  fresh.SetCaption("a caption");
  EXPECT_EQ(fresh.size(), fresh.sizeHint());  // a label fits its caption unless told otherwise

  TSkLabel label(nullptr);
  label.SetAutoSize(false);
  label.resize(10, 10);
  label.SetCaption("a fairly long caption");
  EXPECT_EQ(label.size(), QSize(10, 10));
  label.SetAutoSize(true);
  EXPECT_EQ(label.size(), label.sizeHint());
  EXPECT_GT(label.width(), 10);
}

// --- splitter dragged with the mouse ---

struct SplitCase {
  TAlign align;
  QPoint drag;
  int neighbourSize;  // along the dragged axis
};

class SplitterDrag : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitterDrag, ResizesTheNeighbourOnItsSide) {
  const SplitCase c = GetParam();
  QWidget parent;
  parent.resize(400, 300);
  TSkPanel neighbour(&parent), rest(&parent);
  neighbour.Align = c.align;
  neighbour.resize(100, 100);
  TSkSplitter splitter(&parent);
  splitter.Align = c.align;
  splitter.resize(3, 3);
  rest.Align = TAlign::Client;
  TLayoutHost::Of(&parent)->Realign();
  const bool horizontal = c.align == TAlign::Left || c.align == TAlign::Right;
  ASSERT_EQ(splitter.Neighbour(), &neighbour);

  Mouse(&splitter, QEvent::MouseButtonPress, QPoint(1, 1));
  Mouse(&splitter, QEvent::MouseMove, QPoint(1, 1) + c.drag);
  Mouse(&splitter, QEvent::MouseButtonRelease, QPoint(1, 1) + c.drag, Qt::NoButton);

  EXPECT_EQ(horizontal ? neighbour.width() : neighbour.height(), c.neighbourSize);
  // The layout moved the splitter and the rest along.
  const int total = horizontal ? 400 : 300;
  EXPECT_EQ(horizontal ? rest.width() : rest.height(), total - c.neighbourSize - 3);
}

INSTANTIATE_TEST_SUITE_P(
    Sides, SplitterDrag,
    ::testing::Values(SplitCase{TAlign::Left, {50, 0}, 150}, SplitCase{TAlign::Left, {-90, 0}, 30},
                      SplitCase{TAlign::Left, {900, 0}, 397}, SplitCase{TAlign::Right, {-50, 0}, 150},
                      SplitCase{TAlign::Right, {20, 7}, 80}, SplitCase{TAlign::Top, {0, 40}, 140},
                      SplitCase{TAlign::Bottom, {0, -40}, 140}, SplitCase{TAlign::Bottom, {0, 500}, 30}));

TEST(Splitter, WithoutANeighbourADragChangesNothing) {
  QWidget parent;
  parent.resize(400, 300);
  TSkSplitter splitter(&parent);
  TLayoutHost::Of(&parent)->Realign();
  EXPECT_EQ(splitter.Neighbour(), nullptr);
  Mouse(&splitter, QEvent::MouseButtonPress, QPoint(1, 1));
  Mouse(&splitter, QEvent::MouseMove, QPoint(60, 1));
  EXPECT_EQ(splitter.geometry(), QRect(0, 0, 3, 300));
}

// --- check box ---

TEST(CheckBox, EnableControlPiecesAreLowerCasedAndAppended) {
  struct Case {
    std::string text;
    TStrings names;
  };
  const Case cases[] = {
      {"Edit1;Edit2", {"edit1", "edit2"}},
      {"a;;b", {"a", "", "b"}},
      {"a;", {"a"}},
      {";", {""}},
      {"", {}},
      {W("Поле;ПОИСК"), {W("поле"), W("поиск")}},
  };
  for (const Case& c : cases) {
    TSkCheckBox box(nullptr);
    box.SetEnableControls(c.text);
    EXPECT_EQ(box.EnableControls, c.names) << c.text;
  }
  TSkCheckBox box(nullptr);
  box.SetEnableControls("a");
  box.SetEnableControls("B");
  EXPECT_EQ(box.EnableControls, (TStrings{"a", "b"}));
}

TEST(CheckBox, CaptionStartsAsTheSectionNameAndOnlyUserClicksFire) {
  TSkCheckBox box(nullptr);
  box.Prepare(W("Флажок"));
  EXPECT_EQ(box.Caption(), W("Флажок"));
  int clicks = 0;
  box.OnClick = [&](TSkControl*) { ++clicks; };
  box.setChecked(true);
  EXPECT_EQ(clicks, 0);
  box.click();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(box.isChecked());
}

// --- radio button ---

TEST(RadioButton, StartsWithoutCaptionAndCanBeCleared) {
  QWidget parent;
  TSkRadioButton a(&parent), b(&parent);
  EXPECT_EQ(a.Caption(), "");
  a.SetChecked(true);
  b.SetChecked(true);
  EXPECT_FALSE(a.isChecked());
  b.SetChecked(false);
  EXPECT_FALSE(b.isChecked());
  a.SetChecked(true);
  EXPECT_TRUE(a.isChecked());
}

// --- progress bar ---

TEST(ProgressBar, AChangedValueLetsPendingEventsRun) {
  TSkProgressBar bar(nullptr);
  bool ran = false;
  QObject context;
  QMetaObject::invokeMethod(
      &context, [&] { ran = true; }, Qt::QueuedConnection);
  bar.setValue(0);
  EXPECT_FALSE(ran);
  bar.setValue(5);
  EXPECT_TRUE(ran);
}

// --- scroll box ---

TEST(ScrollBox, InnerAreaHoldsFreelyPlacedChildrenOnly) {
  TSkScrollBox box(nullptr);
  box.resize(200, 100);
  QWidget* inner = box.ChildHost();
  ASSERT_NE(inner, &box);
  TSkPanel placed(inner);
  placed.setGeometry(500, 400, 50, 20);
  EXPECT_GE(inner->width(), 550);
  EXPECT_GE(inner->height(), 420);
  placed.setGeometry(0, 0, 10, 10);
  TSkPanel filler(inner);
  filler.Align = TAlign::Client;
  filler.resize(2000, 2000);
  EXPECT_EQ(inner->size(), box.viewport()->size());
}

}  // namespace
