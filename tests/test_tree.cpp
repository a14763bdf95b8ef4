// The content tree driven as the engine and the reader drive it: list files and their indentation,
// pictures, the history walked back and forth, next/previous buttons at the ends, the title
// search, and what clicks, double clicks, key releases and the mouse do.
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "controls/skSpeedButton.h"
#include "controls/skTreeView.h"
#include "testSupport.h"
#include "util/cp1251.h"

using testing_support::DesktopScope;
using testing_support::W;
using testing_support::WriteFile;

namespace {

// The tree as an outline: each entry's caption, its children in brackets.
std::string Outline(QTreeWidgetItem* parent) {
  std::string out;
  for (int i = 0; i < parent->childCount(); ++i) {
    QTreeWidgetItem* child = parent->child(i);
    if (i) out += " ";
    out += cp1251::FromQString(child->text(0));
    if (child->childCount()) out += "(" + Outline(child) + ")";
  }
  return out;
}

std::string Outline(const TSkTree& tree) {
  return Outline(tree.invisibleRootItem());
}

// A tree with one entry per caption, keys "<caption>.htm", and a click counter.
struct ClickedTree {
  TSkTree tree{nullptr};
  TStrings clicks;  // the click action each click would run; "-" when it runs none
  explicit ClickedTree(const TStrings& lines, const std::string& action = "html_load*html_see") {
    tree.Action = action;
    tree.LoadLines(lines);
    tree.OnClick = [this](TSkControl* sender) { clicks.push_back(sender->ClickedAction().value_or("-")); };
  }
};

TStrings FlatLines(int n) {
  TStrings lines;
  for (int i = 0; i < n; ++i) lines.push_back("e" + std::to_string(i) + ";e" + std::to_string(i) + ".htm");
  return lines;
}

void Key(QWidget* w, QEvent::Type type, Qt::Key key, bool autoRepeat = false) {
  QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
  QCoreApplication::sendEvent(w, &event);
}

void Mouse(QWidget* w, QEvent::Type type, QPoint at) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  const Qt::MouseButtons buttons = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &event);
}

std::string SaveBmp(const QTemporaryDir& dir, const QString& name, QRgb colour) {
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(colour);
  const QString path = dir.filePath(name);
  image.save(path, "BMP");
  return cp1251::FromQString(path);
}

// --- lines ---

TEST(TreeLines, IndentationCaptionKeyAndPicture) {
  struct Case {
    std::string line;
    int depth;
    std::string caption, key, picture;
  };
  const Case cases[] = {
      {"Brakes;brakes.htm;disc.bmp", 0, "Brakes", "brakes.htm", "disc.bmp"},
      {"\tPads; pads.htm ;", 1, "Pads", "pads.htm", ""},
      {" \t \tDeep;deep.htm", 4, "Deep", "deep.htm", ""},
      {"Only a caption", 0, "Only a caption", "", ""},
      {"  Two blanks;", 2, "Two blanks", "", ""},
      {";key.htm", 0, "", "key.htm", ""},
      {"a;b;c;d", 0, "a", "b", "c;d"},
      {"Caption ;k; Pic.BMP ", 0, "Caption ", "k", "Pic.BMP"},
      {W("\tТормоза;tormoza.htm"), 1, W("Тормоза"), "tormoza.htm", ""},
  };
  for (const Case& c : cases) {
    const TTreeLine l = ParseTreeLine(c.line);
    EXPECT_EQ(l.Depth, c.depth) << c.line;
    EXPECT_EQ(l.Caption, c.caption) << c.line;
    EXPECT_EQ(l.Key, c.key) << c.line;
    EXPECT_EQ(l.Picture, c.picture) << c.line;
  }
}

TEST(TreeLines, IndentationPlacesEntries) {
  struct Case {
    const char* what;
    TStrings lines;
    std::string outline;
  };
  const Case cases[] = {
      {"first line indented", {"\t\tA", "B"}, "A B"},
      {"depths 0 1 2 1 0", {"A", "\tB", "\t\tC", "\tD", "E"}, "A(B(C) D) E"},
      {"tab and blank are one level each", {"A", " B", "\tC", " \tD"}, "A(B C(D))"},
      {"back up several levels", {"A", " B", "  C", "   D", " E"}, "A(B(C(D)) E)"},
      {"too deep becomes a child", {"A", "\t\t\tB", "\tC"}, "A(B C)"},
      {"empty and blank lines make nothing", {"", "A", "  \t", "\tB", ""}, "A(B)"},
      {"no lines", {}, ""},
  };
  for (const Case& c : cases) {
    TSkTree tree(nullptr);
    tree.LoadLines(c.lines);
    EXPECT_EQ(Outline(tree), c.outline) << c.what;
  }
}

TEST(TreeLines, TooDeepLineKeepsBothEntriesAndTheirKeys) {
  TSkTree tree(nullptr);
  tree.LoadLines({"Parent;parent.htm", "\t\tDeep;deep.htm"});
  QTreeWidgetItem* parent = tree.FindNode("parent.htm");
  QTreeWidgetItem* deep = tree.FindNode("deep.htm");
  ASSERT_TRUE(parent && deep);
  EXPECT_NE(parent, deep);
  EXPECT_EQ(deep->parent(), parent);
  tree.SelectEntry(parent);
  EXPECT_EQ(tree.SelectedKey(), "parent.htm");
}

TEST(TreeLines, LoadingReplacesEntriesAndAMissingFileLeavesTheTreeEmpty) {
  DesktopScope scope;
  QTemporaryDir dir;
  const std::string list = cp1251::FromQString(WriteFile(dir, "toc.lst", "A;a.htm\r\n\tB;b.htm\r\n"));
  TSkTree tree(nullptr);
  tree.LoadTree(list);
  EXPECT_EQ(Outline(tree), "A(B)");
  EXPECT_EQ(tree.ListFile(), list);
  tree.LoadTree(cp1251::FromQString(dir.filePath("missing.lst")));
  EXPECT_EQ(Outline(tree), "");
  EXPECT_EQ(tree.Records().size(), 0u);
  EXPECT_EQ(tree.FindNode("a.htm"), nullptr);
  EXPECT_EQ(scope.desktop.messages.size(), 1u);
}

TEST(TreeLines, FindNodeIgnoresLatinCaseAndTakesTheFirstEntry) {
  TSkTree tree(nullptr);
  tree.LoadLines({"First;Page.HTM", "Second;page.htm", "Third;third.htm"});
  QTreeWidgetItem* first = tree.topLevelItem(0);
  EXPECT_EQ(tree.FindNode("page.htm"), first);
  EXPECT_EQ(tree.FindNode("PAGE.htm"), first);
  EXPECT_EQ(tree.FindNode("absent.htm"), nullptr);
  TSkTree empty(nullptr);
  EXPECT_EQ(empty.FindNode("page.htm"), nullptr);
}

// --- pictures ---

TEST(TreePictures, OneImagePerNameAndAMissingOneReportedOnce) {
  DesktopScope scope;
  QTemporaryDir dir;
  const std::string red = SaveBmp(dir, "red.bmp", qRgb(255, 0, 0));
  const std::string blue = SaveBmp(dir, "blue.bmp", qRgb(0, 0, 255));
  const std::string missing = cp1251::FromQString(dir.filePath("gone.bmp"));
  TSkTree tree(nullptr);
  tree.LoadLines({"A;a;" + red, "B;b; " + cp1251::Upper(red) + " ", "C;c;" + blue, "D;d;" + missing,
                  "E;e;" + missing, "F;f"});
  EXPECT_EQ(tree.PictureCount(), 2);
  EXPECT_EQ(tree.EntryPicture(tree.topLevelItem(0)), 0);
  EXPECT_EQ(tree.EntryPicture(tree.topLevelItem(1)), 0);
  EXPECT_EQ(tree.EntryPicture(tree.topLevelItem(2)), 1);
  EXPECT_EQ(tree.EntryPicture(tree.topLevelItem(3)), -1);
  EXPECT_EQ(tree.EntryPicture(tree.topLevelItem(5)), -1);
  EXPECT_EQ(scope.desktop.messages.size(), 1u);
}

// --- clicks ---

TEST(TreeClick, ActionTakesTheSelectedKey) {
  struct Case {
    std::string action, line;
    std::optional<std::string> clicked;
    std::string history;
  };
  const Case cases[] = {
      {"html_load*html_see", "A;a.htm", "html_load*html_see*a.htm", "html_load*html_see*a.htm"},
      {"html_load*html_see*", "A;a.htm", "html_load*html_see*a.htm", "html_load*html_see*a.htm"},
      {"html_load*html_see*insert//tree_go*tree*insert", "A;a.htm",
       "html_load*html_see*a.htm//tree_go*tree*a.htm", "html_load*html_see*a.htm//tree_go*tree*a.htm"},
      {"html_load*html_see", "Heading", std::nullopt, ""},
      {"", "A;a.htm", "", ""},
  };
  for (const Case& c : cases) {
    TSkTree tree(nullptr);
    tree.Action = c.action;
    tree.LoadLines({c.line});
    EXPECT_EQ(tree.ClickedAction(), std::nullopt) << "nothing selected";
    tree.SelectEntry(tree.topLevelItem(0));
    EXPECT_EQ(tree.ClickedAction(), c.clicked) << c.action;
    EXPECT_EQ(tree.HistoryAction(), c.history) << c.action;
  }
}

TEST(TreeClick, KeyReleaseFiresOnceAndDoubleClickOnlyOpensOrCloses) {
  ClickedTree t({"A;a.htm", "\tB;b.htm", "C;c.htm"});
  t.tree.resize(200, 200);
  t.tree.show();
  t.tree.SetOpenBlock(true);
  QTreeWidgetItem* a = t.tree.topLevelItem(0);
  EXPECT_TRUE(a->isExpanded());
  EXPECT_FALSE(t.tree.visualItemRect(a->child(0)).isEmpty()) << "an open block shows its children";
  t.tree.SelectEntry(a);
  Key(&t.tree, QEvent::KeyRelease, Qt::Key_Down, true);
  EXPECT_TRUE(t.clicks.empty()) << "a repeated key has not been released yet";
  Key(&t.tree, QEvent::KeyRelease, Qt::Key_Down);
  EXPECT_EQ(t.clicks, TStrings{"html_load*html_see*a.htm"});
  const QPoint onA = t.tree.visualItemRect(a).center();
  Mouse(t.tree.viewport(), QEvent::MouseButtonDblClick, onA);
  EXPECT_FALSE(a->isExpanded()) << "an open block still closes on a double click";
  Mouse(t.tree.viewport(), QEvent::MouseButtonDblClick, onA);
  EXPECT_TRUE(a->isExpanded());
  EXPECT_EQ(t.clicks.size(), 1u) << "a double click runs no action of its own";
}

TEST(TreeClick, MouseClickSelectsAndRunsTheEntry) {
  ClickedTree t({"A;a.htm", "B;b.htm"});
  t.tree.resize(200, 200);
  t.tree.show();
  const QPoint onB = t.tree.visualItemRect(t.tree.topLevelItem(1)).center();
  Mouse(t.tree.viewport(), QEvent::MouseButtonPress, onB);
  Mouse(t.tree.viewport(), QEvent::MouseButtonRelease, onB);
  EXPECT_EQ(t.tree.SelectedKey(), "b.htm");
  EXPECT_EQ(t.clicks, TStrings{"html_load*html_see*b.htm"});
}

TEST(TreeLook, EntryUnderTheMouseIsHotUntilTheMouseLeaves) {
  TSkTree tree(nullptr);
  tree.LoadLines({"A;a", "B;b"});
  tree.resize(200, 200);
  tree.show();
  QTreeWidgetItem* b = tree.topLevelItem(1);
  Mouse(tree.viewport(), QEvent::MouseMove, tree.visualItemRect(b).center());
  EXPECT_EQ(tree.HotEntry(), b);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(tree.viewport(), &leave);
  EXPECT_EQ(tree.HotEntry(), nullptr);
  tree.LoadLines({"C;c"});
  EXPECT_EQ(tree.HotEntry(), nullptr);
}

TEST(TreeLook, SelectColourHoldsWithAndWithoutTheFocus) {
  TSkTree tree(nullptr);
  tree.SetSelectColor(0x00FF00);  // 00BBGGRR: green
  EXPECT_EQ(tree.palette().color(QPalette::Active, QPalette::Highlight), QColor(0, 255, 0));
  EXPECT_EQ(tree.palette().color(QPalette::Inactive, QPalette::Highlight), QColor(0, 255, 0));
}

// --- history ---

TEST(TreeHistory, KeepsTheLastTwentyAndWalksThemWithoutRecording) {
  ClickedTree t(FlatLines(25));
  for (int i = 0; i < 25; ++i) t.tree.SelectEntry(t.tree.topLevelItem(i));
  ASSERT_EQ(t.tree.HistoryCount(), TSkTree::kHistoryMax);
  EXPECT_EQ(t.tree.HistoryActionAt(0), "html_load*html_see*e24.htm");
  EXPECT_EQ(t.tree.HistoryActionAt(19), "html_load*html_see*e5.htm");
  EXPECT_EQ(t.tree.HistoryActionAt(20), "");
  EXPECT_EQ(t.tree.HistoryActionAt(-1), "");
  EXPECT_EQ(t.tree.HistoryCaptions().front(), "e24");
  EXPECT_EQ(t.tree.HistoryCaptions().back(), "e5");

  for (int i = 0; i < 19; ++i) t.tree.GoHistory(t.tree.HistoryPos() + 1);
  EXPECT_EQ(t.tree.HistoryPos(), 19);
  EXPECT_EQ(t.tree.SelectedKey(), "e5.htm");
  EXPECT_EQ(t.clicks.size(), 19u);
  EXPECT_EQ(t.clicks.back(), "html_load*html_see*e5.htm");
  t.tree.GoHistory(t.tree.HistoryPos() + 1);
  EXPECT_EQ(t.tree.HistoryPos(), 19) << "past the oldest nothing happens";
  EXPECT_EQ(t.clicks.size(), 19u);
  EXPECT_EQ(t.tree.HistoryActionAt(0), "html_load*html_see*e24.htm") << "walking records nothing";

  t.tree.GoHistory(t.tree.HistoryPos() - 1);
  EXPECT_EQ(t.tree.SelectedKey(), "e6.htm");
  t.tree.SelectEntry(t.tree.topLevelItem(0));
  EXPECT_EQ(t.tree.HistoryPos(), 0);
  EXPECT_EQ(t.tree.HistoryActionAt(0), "html_load*html_see*e0.htm");
  EXPECT_EQ(t.tree.HistoryCount(), TSkTree::kHistoryMax);
}

TEST(TreeHistory, GoingToAnEntryThatIsGoneOnlyMovesThePosition) {
  ClickedTree t(FlatLines(3));
  for (int i = 0; i < 3; ++i) t.tree.SelectEntry(t.tree.topLevelItem(i));
  t.tree.LoadLines({"other;other.htm"});
  EXPECT_EQ(t.tree.HistoryCount(), 3) << "loading keeps the history";
  t.tree.GoHistory(1);
  EXPECT_EQ(t.tree.HistoryPos(), 1);
  EXPECT_EQ(t.tree.Selected(), nullptr);
  EXPECT_TRUE(t.clicks.empty());
  t.tree.GoHistory(7);
  EXPECT_EQ(t.tree.HistoryPos(), 1);
}

TEST(TreeHistory, TemplateWithoutInsertStillTellsEntriesApart) {
  ClickedTree t({"Heading", "A;a.htm", "B;b.htm"}, "html_load*html_see");
  t.tree.SelectEntry(t.tree.topLevelItem(2));
  t.tree.SelectEntry(t.tree.topLevelItem(1));
  t.tree.SelectEntry(t.tree.topLevelItem(0));  // no key: not recorded
  ASSERT_EQ(t.tree.HistoryCount(), 2);
  EXPECT_EQ(t.tree.HistoryActionAt(1), "html_load*html_see*b.htm");
  t.tree.GoHistory(1);
  EXPECT_EQ(t.tree.SelectedKey(), "b.htm");
  EXPECT_EQ(t.clicks, TStrings{"html_load*html_see*b.htm"});
}

TEST(TreeHistory, SyncToSelectsAndRecordsWithoutRunningTheAction) {
  ClickedTree t({"A;a.htm", "\tB;b.htm"});
  t.tree.SyncTo("B.HTM");
  EXPECT_EQ(t.tree.SelectedKey(), "b.htm");
  EXPECT_TRUE(t.tree.topLevelItem(0)->isExpanded()) << "the entry is brought into view";
  EXPECT_EQ(t.tree.HistoryCount(), 1);
  t.tree.SyncTo("b.htm");
  EXPECT_EQ(t.tree.HistoryCount(), 1) << "the same page again changes nothing";
  TTreeSync& asPaneSeesIt = t.tree;
  asPaneSeesIt.SelectByKey("A.htm");
  EXPECT_EQ(t.tree.SelectedKey(), "a.htm");
  EXPECT_EQ(t.tree.HistoryCount(), 2);
  t.tree.SyncTo("elsewhere.htm");
  EXPECT_EQ(t.tree.Selected(), nullptr);
  EXPECT_TRUE(t.clicks.empty());
}

// --- next and previous ---

TEST(TreeNavigation, ButtonsFollowTheEndsOfTheVisibleEntries) {
  ClickedTree t({"A;a.htm", "\tHidden;hidden.htm", "B;b.htm", "C;c.htm"});
  TSkSpeedButton next(nullptr), prev(nullptr);
  t.tree.SetNextButton(&next);
  t.tree.SetPrevButton(&prev);
  EXPECT_TRUE(next.isEnabled() && prev.isEnabled()) << "nothing selected keeps the buttons";

  struct Step {
    const char* what;
    std::function<void(TSkTree&)> act;
    std::string selected;
    bool nextOn, prevOn;
  };
  const Step steps[] = {
      {"first entry", [](TSkTree& tr) { tr.SelectEntry(tr.topLevelItem(0)); }, "a.htm", true, false},
      {"next skips a closed branch", [](TSkTree& tr) { tr.SelectNext(); }, "b.htm", true, true},
      {"last entry", [](TSkTree& tr) { tr.SelectNext(); }, "c.htm", false, true},
      {"no next after the last", [](TSkTree& tr) { tr.SelectNext(); }, "c.htm", false, true},
      {"back", [](TSkTree& tr) { tr.SelectPrev(); }, "b.htm", true, true},
      {"back to the first", [](TSkTree& tr) { tr.SelectPrev(); }, "a.htm", true, false},
      {"no previous before the first", [](TSkTree& tr) { tr.SelectPrev(); }, "a.htm", true, false},
      {"nothing selected", [](TSkTree& tr) { tr.SelectEntry(nullptr); }, "", true, false},
  };
  for (const Step& s : steps) {
    s.act(t.tree);
    EXPECT_EQ(t.tree.SelectedKey(), s.selected) << s.what;
    EXPECT_EQ(next.isEnabled(), s.nextOn) << s.what;
    EXPECT_EQ(prev.isEnabled(), s.prevOn) << s.what;
  }
  EXPECT_EQ(t.clicks, (TStrings{"html_load*html_see*b.htm", "html_load*html_see*c.htm",
                                "html_load*html_see*b.htm", "html_load*html_see*a.htm"}));
}

TEST(TreeNavigation, ShowOrHideComesBackInPlace) {
  QWidget parent;
  TSkTree tree(&parent);
  tree.setGeometry(30, 40, 100, 100);
  parent.show();
  tree.ShowOrHide();
  EXPECT_TRUE(tree.isHidden());
  tree.move(0, 0);
  tree.ShowOrHide();
  EXPECT_FALSE(tree.isHidden());
  EXPECT_EQ(tree.pos(), QPoint(30, 40));
}

// --- title search ---

TEST(TreeSearch, CaptionsFoundWhateverTheirCapitals) {
  TSkTree tree(nullptr);
  tree.LoadLines({W("Тормозная система;brakes.htm"), W("\tДиски ТОРМОЗОВ;discs.htm"),
                  W("Двигатель;engine.htm"), W("Тормозная система;brakes.htm")});
  struct Case {
    std::string query;
    TStrings found;
  };
  const Case cases[] = {
      {W("ТОРМОЗ"),
       {W("Тормозная система=brakes.htm"), W("Диски ТОРМОЗОВ=discs.htm"), W("Тормозная система=brakes.htm")}},
      {W("двигатель"), {W("Двигатель=engine.htm")}},
      {W("колесо"), {}},
      {"", {}},
  };
  for (const Case& c : cases) {
    TStrings results{"kept=before.htm"};
    tree.SearchTitles(c.query, results);
    TStrings expected{"kept=before.htm"};
    expected.insert(expected.end(), c.found.begin(), c.found.end());
    EXPECT_EQ(results, expected) << cp1251::ToUtf8(c.query);
  }
}

}  // namespace
