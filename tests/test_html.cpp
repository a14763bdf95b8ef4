// The HTML pane and the picture window, driven as the engine, the links and the user drive them.
#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QToolButton>
#include <gtest/gtest.h>

#include "archive/gPack.h"
#include "archive/gPackWriter.h"
#include "html/skHTML.h"
#include "html/uViewPic.h"
#include "platform/pfDisk.h"
#include "testSupport.h"
#include "util/cp1251.h"

using testing_support::W;
using testing_support::WriteFile;

namespace {

std::string Png(int width, int height, QColor color = Qt::red) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(color);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

std::string Page(const char* titleUtf8, const std::string& body) {
  return W("<html><head><title>") + W(titleUtf8) + "</title></head><body>" + body + "</body></html>";
}

// Records what the pane hands to the tree it keeps in step.
class FakeTree : public QWidget, public TSkControl, public TTreeSync {
 public:
  FakeTree() : TSkControl(this) {}
  void SelectByKey(const std::string& key) override { keys.push_back(key); }
  std::vector<std::string> keys;
};

class HtmlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    CloseArchive();
    platform::SetProgramFolder(dir.path());
    // Pages live in the archive; a few files lie only on the disk beside it.
    std::vector<TPackSource> files;
    for (int i = 0; i < 25; ++i)
      files.push_back(
          {"pages\\p" + std::to_string(i) + ".htm", Page("Стр", "<p>page " + std::to_string(i)), i % 2 == 1});
    std::string tall;
    for (int i = 0; i < 300; ++i) tall += "<p>line " + std::to_string(i) + "</p>";
    files.push_back({"pages\\tall.htm", Page("Длинная", tall)});
    files.push_back({"pages\\sub\\a.htm",
                     Page("Вложенная", "<a href=\"..\\b.htm#end\">back</a><img src=\"..\\pics\\dot.png\">")});
    files.push_back({"pages\\b.htm", Page("Страница Б", "<p>Б</p>" + tall + "<a name=\"end\">end</a>")});
    files.push_back({"pages\\pics\\dot.png", Png(8, 6)});
    files.push_back({"pages\\find.htm", Page("Поиск", W("<p>Гайка один, ГАЙКА два, гайка три.</p>"))});
    files.push_back({"pages\\utf.htm",
                     "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                     "charset=UTF-8\"><title>Ключ</title>"
                     "</head><body>ключ</body></html>"});
    files.push_back(
        {"pages\\wide.htm", Page("Широкая", "<table width=\"2000\"><tr><td>x</td></tr></table>")});
    const std::string archive = BuildArchive(files);
    WriteFile(dir, "interface.dat", archive);
    ASSERT_TRUE(OpenArchive(platform::FromNative(dir.filePath("interface.dat"))));
    WriteFile(dir, "disk.htm", Page("С диска", "<p>disk</p>"));
    pane = std::make_unique<TSkHtml>(nullptr);
    pane->resize(400, 300);
    pane->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    pane.reset();
    CloseArchive();
  }

  std::vector<std::string> Files() const {
    std::vector<std::string> out;
    for (const auto& e : pane->History()) out.push_back(e.file);
    return out;
  }

  QTemporaryDir dir;
  testing_support::DesktopScope desk;
  std::unique_ptr<TSkHtml> pane;
};

TEST_F(HtmlTest, HistoryKeepsTwentyPagesNewestFirst) {
  for (int i = 0; i < 25; ++i) pane->LoadPage("pages\\p" + std::to_string(i) + ".htm");
  const auto files = Files();
  ASSERT_EQ(files.size(), 20u);
  EXPECT_EQ(files.front(), "pages\\p24.htm");
  EXPECT_EQ(files.back(), "pages\\p5.htm");
  EXPECT_EQ(pane->HistoryIndex(), 0);
  EXPECT_EQ(pane->History()[0].title, W("Стр"));
}

TEST_F(HtmlTest, LoadingAfterGoingBackDropsTheNewerPages) {
  for (int i = 0; i < 4; ++i) pane->LoadPage("pages\\p" + std::to_string(i) + ".htm");
  pane->SetHistoryIndex(2);
  EXPECT_EQ(pane->CurrentFile(), "pages\\p1.htm");
  pane->LoadPage("pages\\b.htm");
  EXPECT_EQ(Files(), (std::vector<std::string>{"pages\\b.htm", "pages\\p1.htm", "pages\\p0.htm"}));
  EXPECT_EQ(pane->HistoryIndex(), 0);
}

TEST_F(HtmlTest, GoingBackAndForwardRestoresWherePagesWereLeft) {
  pane->LoadPage("pages\\tall.htm");
  pane->SetDocPosition(700);
  const int leftAt = pane->DocPosition();
  ASSERT_GT(leftAt, 0);
  pane->LoadPage("pages\\b.htm");
  EXPECT_EQ(pane->DocPosition(), 0);
  pane->SetDocPosition(120);
  pane->SetHistoryIndex(1);
  EXPECT_EQ(pane->CurrentFile(), "pages\\tall.htm");
  EXPECT_EQ(pane->DocPosition(), leftAt);
  pane->SetHistoryIndex(0);
  EXPECT_EQ(pane->CurrentFile(), "pages\\b.htm");
  EXPECT_EQ(pane->DocPosition(), 120);
}

TEST_F(HtmlTest, HistoryIndexOutOfRangeOrCurrentChangesNothing) {
  pane->LoadPage("pages\\p1.htm");
  pane->LoadPage("pages\\p2.htm");
  int changes = 0;
  pane->OnHistoryChange = [&] { ++changes; };
  for (int index : {-1, 0, 2, 99}) pane->SetHistoryIndex(index);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(pane->CurrentFile(), "pages\\p2.htm");
  pane->SetHistoryIndex(1);
  EXPECT_EQ(changes, 1);
}

TEST_F(HtmlTest, MissingPageIsReportedAndChangesNothing) {
  pane->LoadPage("pages\\p1.htm");
  pane->SetDocPosition(3);
  try {
    pane->LoadPage("pages\\none.htm#x");
    FAIL() << "no error";
  } catch (const EHtmlError& e) {
    EXPECT_EQ(std::string(e.what()), W("Не найден файл: pages\\none.htm"));
  }
  EXPECT_EQ(pane->CurrentFile(), "pages\\p1.htm");
  EXPECT_EQ(Files().size(), 1u);
}

TEST_F(HtmlTest, NamesResolveBesideThePageThenFromTheProgramFolder) {
  pane->LoadPage("pages\\sub\\a.htm");
  EXPECT_EQ(pane->Title(), W("Вложенная"));
  // The picture "..\pics\dot.png" of a page in pages\sub\ is pages\pics\dot.png.
  const QImage picture =
      pane->PageResource(QTextDocument::ImageResource, "..\\pics\\dot.png").value<QImage>();
  EXPECT_EQ(picture.size(), QSize(8, 6));
  const QImage missing = pane->PageResource(QTextDocument::ImageResource, "nothing.png").value<QImage>();
  EXPECT_EQ(missing.size(), QSize(1, 1)) << "a missing picture takes no room";
  EXPECT_TRUE(desk.desktop.messages.empty());

  pane->LoadPage("..\\b.htm#end");  // beside the page shown
  EXPECT_EQ(pane->CurrentFile(), "pages\\b.htm");
  EXPECT_GT(pane->DocPosition(), 0) << "scrolled to the anchor";
  pane->LoadPage("disk.htm");  // not beside it: from the program folder, off the disk
  EXPECT_EQ(pane->CurrentFile(), "disk.htm");
  EXPECT_EQ(pane->Title(), W("С диска"));
  pane->LoadPage("PAGES/P3.HTM");
  EXPECT_EQ(pane->CurrentFile(), "PAGES\\P3.HTM");
}

TEST(HtmlNames, ResolveAgainstAFolderKeepsBackslashes) {
  const struct {
    const char* name;
    const char* folder;
    const char* expected;
  } cases[] = {
      {"a.htm", "pages\\", "pages\\a.htm"},
      {"..\\b.htm", "pages\\sub\\", "pages\\b.htm"},
      {"../pics/c.gif", "pages\\sub\\", "pages\\pics\\c.gif"},
      {".\\d.htm", "pages\\", "pages\\d.htm"},
      {"sub\\..\\e.htm", "", "e.htm"},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolveManualName(c.name, c.folder), c.expected) << c.name;
}

TEST(HtmlCharset, PagesAre1251UnlessTheyDeclareAnother) {
  const struct {
    std::string page;
    std::string charset;
  } cases[] = {
      {"<html><head><title>x</title></head>", ""},
      {"<META http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">", "windows-1251"},
      {"<meta charset='UTF-8'>", "utf-8"},
      {"<meta name=\"x\"><meta charset = koi8-r >", "koi8-r"},
      {"\xEF\xBB\xBF<p>", "utf-8"},
      {"<p>charset=utf-8 in the text</p>", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(DeclaredCharset(c.page), c.charset) << c.page;
  EXPECT_EQ(DecodePage(W("<p>Гайка</p>")), QString::fromUtf8("<p>Гайка</p>"));
  EXPECT_EQ(DecodePage("<meta charset=utf-8><p>Гайка</p>"),
            QString::fromUtf8("<meta charset=utf-8><p>Гайка</p>"));
  // A charset Qt cannot read falls back to the manual's own.
  EXPECT_EQ(DecodePage(W("<meta charset=x-unknown>Гайка")),
            QString::fromUtf8("<meta charset=x-unknown>Гайка"));
}

TEST_F(HtmlTest, AUtf8PageKeepsItsLetters) {
  pane->LoadPage("pages\\utf.htm");
  EXPECT_EQ(pane->Title(), W("Ключ"));
}

TEST_F(HtmlTest, FindStepsThroughMatchesAndWrapsToTheTop) {
  pane->LoadPage("pages\\find.htm");
  std::vector<int> starts;
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(pane->FindText(W("гайка")));
    starts.push_back(pane->Viewer()->textCursor().selectionStart());
    EXPECT_EQ(cp1251::Lower(pane->SelectedText()), W("гайка"));
  }
  EXPECT_LT(starts[0], starts[1]);
  EXPECT_LT(starts[1], starts[2]);
  EXPECT_EQ(starts[3], starts[0]) << "after the last match the first comes again";

  const int before = pane->Viewer()->textCursor().position();
  EXPECT_FALSE(pane->FindText(W("шайба")));
  EXPECT_FALSE(pane->FindText(""));
  EXPECT_EQ(pane->Viewer()->textCursor().position(), before);
  EXPECT_EQ(cp1251::Lower(pane->SelectedText()), W("гайка")) << "selection kept";
}

TEST_F(HtmlTest, BarsShowExactlyWhenAllowedAndNeeded) {
  pane->LoadPage("pages\\p1.htm");
  EXPECT_TRUE(pane->HorzBar()->isHidden());
  EXPECT_TRUE(pane->VertBar()->isHidden());
  pane->LoadPage("pages\\wide.htm");
  EXPECT_FALSE(pane->HorzBar()->isHidden());
  EXPECT_TRUE(pane->VertBar()->isHidden());
  pane->SetHorzBarAllowed(false);
  EXPECT_TRUE(pane->HorzBar()->isHidden());
  pane->LoadPage("pages\\tall.htm");
  EXPECT_FALSE(pane->VertBar()->isHidden());
  pane->SetDocPosition(250);
  EXPECT_EQ(pane->VertBar()->value(), 250);
  pane->VertBar()->setValue(40);  // the user moves our bar: the page follows
  EXPECT_EQ(pane->DocPosition(), 40);
  pane->SetVertBarAllowed(false);
  EXPECT_TRUE(pane->VertBar()->isHidden());
}

TEST_F(HtmlTest, DragScrollMovesByATenthOfTheDistance) {
  pane->LoadPage("pages\\wide.htm");
  pane->SetHorzPosition(100);
  pane->SetDragScroll(true);
  QWidget* port = pane->Viewer()->viewport();
  const auto send = [&](QEvent::Type type, QPoint at) {
    QMouseEvent e(type, at, port->mapToGlobal(at), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(port, &e);
  };
  send(QEvent::MouseButtonPress, {100, 50});
  send(QEvent::MouseMove, {150, 50});
  EXPECT_EQ(pane->HorzPosition(), 95);
  send(QEvent::MouseMove, {150, 50});
  EXPECT_EQ(pane->HorzPosition(), 90) << "the start stays put";
  send(QEvent::MouseMove, {109, 50});
  EXPECT_EQ(pane->HorzPosition(), 90);
  send(QEvent::MouseButtonRelease, {109, 50});
  send(QEvent::MouseMove, {200, 50});
  EXPECT_EQ(pane->HorzPosition(), 90) << "nothing moves after the button came up";
}

TEST_F(HtmlTest, LinksGoWhereTheirKindSays) {
  const struct {
    const char* link;
    const char* prefix;
    bool openPictures;
    bool handled;
    std::vector<std::string> commands;
    std::vector<std::string> shell;
    std::vector<std::string> tree;
  } cases[] = {
      {"http://x.ru/a.htm", "", true, true, {}, {"open http://x.ru/a.htm"}, {}},
      {"HTTP://X.RU/page.htm", "", true, true, {}, {"open HTTP://X.RU/page.htm"}, {}},
      {"https://x.ru/", "", true, true, {}, {"open https://x.ru/"}, {}},
      {"mailto:a@b.ru", "", true, true, {}, {"open mailto:a@b.ru"}, {}},
      {"ftp://x.ru/f", "", true, true, {}, {"open ftp://x.ru/f"}, {}},
      {"$html_load*html*b.htm", "", true, false, {"html_load*html*b.htm"}, {}, {}},
      {"$go", "pre", true, false, {"pre*go"}, {}, {}},
      {"film.SWF", "", true, false, {"swf*pages\\film.SWF"}, {}, {}},
      {"B.htm#part.jpg", "", true, false, {}, {}, {"pages\\b.htm"}},
      {"..\\p3.html", "", true, false, {}, {}, {"p3.html"}},
      {"doc.pdf#page=2", "", true, false, {}, {"open " + ProgramDir() + "pages\\doc.pdf"}, {}},
      {"#top", "", true, false, {}, {}, {}},
      {"pic.JPG", "", false, true, {"pic.JPG"}, {}, {}},
      {"pic.png", "side", false, true, {"side*pic.png"}, {}, {}},
  };
  FakeTree tree;
  pane->SetLinkedTree(&tree);
  pane->LoadPage("pages\\p1.htm");
  for (const auto& c : cases) {
    std::vector<std::string> commands;
    pane->OnAction = [&](const RHelpAction& a) { commands.push_back(a.Action); };
    pane->Action = c.prefix;
    pane->OpenPictures = c.openPictures;
    desk.desktop.shellRuns.clear();
    tree.keys.clear();
    bool handled = !c.handled;
    pane->HotSpotClick(c.link, handled);
    EXPECT_EQ(handled, c.handled) << c.link;
    EXPECT_EQ(commands, c.commands) << c.link;
    EXPECT_EQ(desk.desktop.shellRuns, c.shell) << c.link;
    EXPECT_EQ(tree.keys, c.tree) << c.link;
  }
}

TEST_F(HtmlTest, AClickOnAPageLinkLoadsItAndTheTreeFollows) {
  FakeTree tree;
  pane->SetLinkedTree(&tree);
  pane->LoadPage("pages\\sub\\a.htm");
  QWidget* port = pane->Viewer()->viewport();
  QTextCursor onLink(pane->Viewer()->document());
  onLink.setPosition(1);
  const QPoint at = pane->Viewer()->cursorRect(onLink).center();
  QMouseEvent press(QEvent::MouseButtonPress, at, port->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, port->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(port, &press);
  QApplication::sendEvent(port, &release);
  EXPECT_EQ(pane->CurrentFile(), "pages\\b.htm");
  EXPECT_EQ(tree.keys, (std::vector<std::string>{"pages\\b.htm"}));
  EXPECT_EQ(Files().size(), 2u);
}

TEST_F(HtmlTest, TextLoadsAddNoHistory) {
  pane->LoadPage("pages\\p1.htm");
  pane->LoadText("<p>text</p>");
  pane->ShowCentered("<b>x</b>", "");
  EXPECT_EQ(Files().size(), 1u);
  EXPECT_EQ(pane->CurrentFile(), "");
  EXPECT_EQ(pane->LoadPicture("pages\\sub\\a.htm", "..\\pics\\dot.png"), "pages\\pics\\dot.png");
  EXPECT_EQ(pane->Viewer()->document()->toPlainText().trimmed().size(), 1) << "one picture";
}

TEST_F(HtmlTest, SelectAllSelectsNothingWhileDragScrolling) {
  pane->LoadPage("pages\\find.htm");
  pane->SetDragScroll(true);
  pane->SelectAll();
  EXPECT_EQ(pane->SelectedText(), "");
  pane->SetDragScroll(false);
  pane->SelectAll();
  EXPECT_NE(pane->SelectedText().find(W("Гайка один")), std::string::npos);
}

TEST_F(HtmlTest, PrintingWithoutAPrinterWritesAPdf) {
  pane->LoadPage("pages\\tall.htm");
  const std::string pdf = platform::FromNative(dir.filePath("page.pdf"));
  ASSERT_TRUE(PrintHtmlToPdf(*pane, pdf));
  QFile f(dir.filePath("page.pdf"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_TRUE(f.read(5).startsWith("%PDF"));
  PrintHtml(*pane);  // nobody at the screen: returns at once
}

class ViewPicTest : public HtmlTest {};

TEST_F(ViewPicTest, ASmallPictureGetsTheSmallestWindowAndItsCaption) {
  std::vector<TPackSource> files{{"pics\\small.png", Png(20, 10)},
                                 {"pics\\small.cap", W("Колесо\r\nвторая строка\r\n")},
                                 {"pics\\mid.png", Png(420, 300)}};
  WriteFile(dir, "interface.dat", BuildArchive(files));
  ASSERT_TRUE(OpenArchive(platform::FromNative(dir.filePath("interface.dat"))));
  TfrmViewPic* small = ShowPicture("pages\\page.htm", "..\\pics\\small.png");
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(small->PictureName(), "pics\\small.png");
  EXPECT_EQ(small->Caption(), W("Колесо"));
  EXPECT_EQ(small->size(), QSize(250, 200));
  EXPECT_FALSE(small->FullScreen());
  small->close();

  TfrmViewPic* mid = ShowPicture("", "pics\\mid.png");
  ASSERT_NE(mid, nullptr);
  EXPECT_EQ(mid->Caption(), W("Увеличенное изображение"));
  EXPECT_GT(mid->width(), 420);
  EXPECT_GT(mid->height(), 300);
  EXPECT_TRUE(mid->Pane()->HorzBar()->isHidden()) << "the whole picture shows";
  EXPECT_TRUE(mid->Pane()->VertBar()->isHidden());
  mid->close();
}

TEST_F(ViewPicTest, APictureLargerThanTheScreenOpensFullScreen) {
  WriteFile(dir, "huge.png", Png(3000, 2500));
  TfrmViewPic* window = ShowPicture("", "huge.png");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->FullScreen());
  EXPECT_EQ(window->FullScreenButton()->toolTip(), QString::fromUtf8("Свернуть в окно"));
  window->ToggleFullScreen();
  EXPECT_FALSE(window->FullScreen());
  EXPECT_EQ(window->FullScreenButton()->toolTip(), QString::fromUtf8("Развернуть на весь экран"));
  EXPECT_TRUE(window->Pane()->DragScroll());
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QPointer<TfrmViewPic> alive(window);
  window->FormKeyDown(esc);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(alive.isNull()) << "Escape closes and the window goes";
}

TEST_F(HtmlTest, APictureLinkOpensTheViewerBesideThePage) {
  pane->LoadPage("pages\\sub\\a.htm");
  bool handled = false;
  pane->HotSpotClick("..\\pics\\dot.png", handled);
  EXPECT_TRUE(handled);
  TfrmViewPic* shown = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* v = dynamic_cast<TfrmViewPic*>(w); v && v->isVisible()) shown = v;
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->PictureName(), "pages\\pics\\dot.png");
  shown->close();
}

}  // namespace
