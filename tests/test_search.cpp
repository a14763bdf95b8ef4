// Full-text search, the title and current-page scopes, the results panel, and the thesaurus: the
// main window and the search window built from small structure files, pages on the disk.
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <random>

#include "app/uMain.h"
#include "app/uSearch.h"
#include "app/uTezaurus.h"
#include "archive/gPack.h"
#include "archive/gPackWriter.h"
#include "controls/skButton.h"
#include "controls/skEditBox.h"
#include "controls/skLabel.h"
#include "controls/skListBox.h"
#include "controls/skParPanel.h"
#include "controls/skRButton.h"
#include "controls/skTreeView.h"
#include "engine/skUseStract.h"
#include "html/skHTML.h"
#include "platform/pfDisk.h"
#include "platform/pfRegistry.h"
#include "testSupport.h"
#include "util/cp1251.h"

using testing_support::RunTool;
using testing_support::W;
using testing_support::WriteFile;

namespace {

constexpr const char* kSearchStruct =
    "[form]\ntype=form\nwidth=420\nheight=400\n"
    "[find_panel]\ntype=panel\nalign=top\nheight=120\n"
    "[edit_find]\ntype=edit_box\nmaster=find_panel\naction=find_slovo\n"
    "[but_find]\ntype=button\nmaster=find_panel\nleft=200\ncaption=Искать\naction=find_slovo\n"
    "[label_status]\ntype=label\nmaster=find_panel\ntop=40\n"
    "[progress]\ntype=progress_bar\nmaster=find_panel\ntop=60\n"
    "[radio_all]\ntype=r_button\nmaster=find_panel\ntop=80\ncheck=1\n"
    "[radio_chap]\ntype=r_button\nmaster=find_panel\ntop=80\nleft=100\n"
    "[radio_curent]\ntype=r_button\nmaster=find_panel\ntop=80\nleft=200\n"
    "[panel_results]\ntype=parent_panel\nalign=client\n"
    "[list_rez]\ntype=list_box\nmaster=panel_results\nalign=client\n";

constexpr const char* kShowStruct =
    "[form]\ntype=form\n"
    "[tree]\ntype=tree\nalign=left\nwidth=150\nload=contents.lst\naction=html_load*html_see\n"
    "[html_see]\ntype=html\nalign=client\nlink_tree=tree\n";

std::string Page(const char* title, const char* body) {
  return W(
      (std::string("<html><head><title>") + title + "</title></head><body>" + body + "</body></html>\r\n")
          .c_str());
}

class SearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    CloseArchive();
    platform::SetProgramFolder(dir.path());
    // The viewer works in its own folder, and the tree's keys are resolved from there.
    previousFolder = QDir::currentPath();
    QDir::setCurrent(dir.path());
    OpenArchive(platform::FromNative(dir.filePath("interface.dat")));  // none: files come from the disk
    previousRegistry = platform::SetRegistry(&registry);
    Text("struct_main.txt", "[form]\ntype=form\n");
    Text("struct_show.txt", kShowStruct);
    Text("struct_search.txt", kSearchStruct);
    Text("contents.lst",
         "Тормоза;pages\\brakes.htm\r\n\tЗадние колодки;pages\\rear.htm\r\nДвигатель;pages\\engine.htm\r\n");
    WriteFile(dir, "pages/brakes.htm", Page("Тормоза", "<p>Замените тормозные КОЛОДКИ попарно.</p>"));
    WriteFile(dir, "pages/engine.htm",
              Page("Двигатель", "<h1>Двигатель</h1><p>Колодки здесь ни при чём.</p>"));
    WriteFile(dir, "pages/rear.htm", Page("Задние", "<p>Барабаны и <b>колодки</b>.</p>"));
    WriteFile(dir, "pages/oil.htm", Page("Масло", "<p>Слейте масло.</p>"));
  }
  void TearDown() override {
    search.reset();
    main.reset();
    platform::SetRegistry(previousRegistry);
    QDir::setCurrent(previousFolder);
  }

  void Text(const QString& name, const char* utf8) { WriteFile(dir, name, W(utf8)); }

  // Moves the pages into the manual's archive, where the viewer finds them.
  void PackPages() {
    std::vector<TPackSource> files;
    QDir pages(dir.filePath("pages"));
    for (const QString& name : pages.entryList(QDir::Files)) {
      QFile f(pages.filePath(name));
      ASSERT_TRUE(f.open(QIODevice::ReadOnly));
      const QByteArray bytes = f.readAll();
      files.push_back({"pages\\" + name.toStdString(), bytes.toStdString()});
    }
    ASSERT_TRUE(pages.removeRecursively());
    WriteFile(dir, "interface.dat", BuildArchive(files));
    ASSERT_TRUE(OpenArchive(platform::FromNative(dir.filePath("interface.dat"))));
  }

  void Open() {
    main = std::make_unique<TfrmMain>();
    search = std::make_unique<TfrmSearch>();
    ASSERT_TRUE(main->SearchEngine);
  }

  TSkStract& Engine() { return *main->SearchEngine; }
  template <class T>
  T* Find(const char* name, TControlType type) {
    return Engine().Get<T>(name, type);
  }
  TSkHtml* Html() { return main->ReadingEngine()->Get<TSkHtml>("html_see", TControlType::Html); }
  TSkTree* Tree() { return main->ReadingEngine()->Get<TSkTree>("tree", TControlType::Tree); }
  TParentPanel* Panel() { return Find<TParentPanel>("panel_results", TControlType::ParentPanel); }
  std::string Status() {
    return cp1251::ToUtf8(Find<TSkLabel>("label_status", TControlType::Label)->Caption());
  }
  std::string ButtonCaption() {
    return cp1251::ToUtf8(Find<TSkButton>("but_find", TControlType::Button)->Caption());
  }
  void Scope(const char* name) { Find<TSkRadioButton>(name, TControlType::RButton)->setChecked(true); }

  void Search(const char* utf8) {
    Find<TSkEditBox>("edit_find", TControlType::EditBox)->setText(QString::fromUtf8(utf8));
    Engine().RunAction("find_slovo");
  }

  std::vector<std::string> Listed() {
    std::vector<std::string> out;
    auto* list = Find<TSkListBox>("list_rez", TControlType::ListBox);
    for (int i = 0; i < list->count(); ++i) out.push_back(list->item(i)->text().toStdString());
    return out;
  }

  void Click(int row) {
    auto* list = Find<TSkListBox>("list_rez", TControlType::ListBox);
    list->setCurrentRow(row);
    emit list->itemClicked(list->item(row));
  }

  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const auto& m : messages.desktop.messages) out.push_back(cp1251::ToUtf8(m.text));
    return out;
  }

  bool ScopesEnabled() {
    for (const char* name : {"radio_all", "radio_chap", "radio_curent"})
      if (!Find<TSkRadioButton>(name, TControlType::RButton)->isEnabled()) return false;
    return true;
  }

  QTemporaryDir dir;
  testing_support::DesktopScope messages;
  platform::MemoryRegistry registry;
  platform::Registry* previousRegistry = nullptr;
  QString previousFolder;
  std::unique_ptr<TfrmMain> main;
  std::unique_ptr<TfrmSearch> search;
};

TEST_F(SearchTest, FullTextFindsEveryPageOnceSortedByTitleAndAClickOpensAndMarksTheQuery) {
  // The brakes page is listed twice and one listed page is missing: one result each, the scan goes
  // on past the missing page after its message.
  Text("file.ind",
       "pages\\brakes.htm#:#Тормоза\r\npages\\gone.htm#:#Пропавшая\r\npages\\engine.htm#:#Двигатель\r\n"
       "pages\\oil.htm#:#Масло\r\npages\\brakes.htm#:#Тормоза\r\npages\\rear.htm#:#Тормоза\r\n");
  PackPages();
  Open();
  Search("КОЛОДКИ");
  EXPECT_EQ(main->SearchResults, (TStrings{W("Двигатель=pages\\engine.htm"), W("Тормоза=pages\\brakes.htm"),
                                           W("Тормоза=pages\\rear.htm")}));
  EXPECT_EQ(Listed(), (std::vector<std::string>{"Двигатель", "Тормоза", "Тормоза"}));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("gone.htm"), std::string::npos);
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(ButtonCaption(), "Искать");
  EXPECT_TRUE(ScopesEnabled());
  EXPECT_FALSE(main->Searching);
  EXPECT_FALSE(Panel()->isHidden());
  EXPECT_EQ(main->QueryText, W("КОЛОДКИ"));

  Click(0);
  EXPECT_EQ(Html()->CurrentFile(), "pages\\engine.htm");
  EXPECT_EQ(cp1251::ToUtf8(Html()->SelectedText()), "Колодки");
  EXPECT_EQ(Tree()->SelectedKey(), "pages\\engine.htm");
  // Two equal titles open the page whose line sorts first.
  Click(2);
  EXPECT_EQ(Html()->CurrentFile(), "pages\\brakes.htm");
  EXPECT_EQ(cp1251::ToUtf8(Html()->SelectedText()), "КОЛОДКИ");
}

TEST_F(SearchTest, TextRunsMatchOnlyAsTheSearchFoldsThem) {
  struct Case {
    const char* body;
    const char* query;
    bool match;
  } cases[] = {
      {"<p>Снимите ЖИДКОСТЬ</p>", "жидкость", true},
      {"<p>Ёмкость бачка</p>", "ёмкость", true},
      {"<p><b>Снимите</b> колодки</p>", "снимите колодки", false},
      {"<p>снимите\r\nколодки</p>", "снимитеколодки", true},
      {"<p>снимите\r\nколодки</p>", "снимите колодки", false},
      {"<p>снимите \r\n  колодки</p>", "снимите колодки", true},
      {"<p>два    пробела</p>", "два пробела", true},
      {"<p>два&nbsp;пробела</p>", "два пробела", false},
      {"<p>болт &amp; гайка</p>", "болт & гайка", true},
      {"<!-- колодки --><p>диск</p>", "колодки", false},
      {"<script>колодки</script><p>диск</p>", "колодки", false},
      {"<p>колодки <b", "колодки", true},
  };
  int n = 0;
  for (const Case& c : cases) {
    const QString name = QString("p%1.htm").arg(n++);
    WriteFile(dir, name, W(c.body));
    TPageScan scan(W(c.query));
    EXPECT_EQ(scan.ScanPage(name.toStdString()), c.match) << c.body << " / " << c.query;
  }
  EXPECT_TRUE(Messages().empty());
}

TEST(PageScan, RunMatchingAgreesWithFoldingTheWholeRun) {
  // Short runs and queries over the bytes that matter (the two cases of one letter, ё, blanks,
  // line breaks, tabs) against the plain rule: lower-case, squeeze, look for the query.
  const std::string alphabet = W("аАбЁё") + " \r\n\t";
  std::mt19937 random(7);
  const auto text = [&](std::size_t most) {
    std::string out(random() % (most + 1), ' ');
    for (char& c : out) c = alphabet[random() % alphabet.size()];
    return out;
  };
  for (int i = 0; i < 20000; ++i) {
    const std::string query = text(4);
    const std::string run = text(12);
    const bool expected =
        !query.empty() && cp1251::Lower(SqueezeSpaces(run)).find(cp1251::Lower(query)) != std::string::npos;
    ASSERT_EQ(TPageScan(query).RunMatches(run), expected)
        << "run \"" << testing::PrintToString(run) << "\" query " << testing::PrintToString(query);
  }
}

TEST_F(SearchTest, StopEndsTheScanAfterThePageInProgressAndShowsWhatWasFound) {
  std::string index;
  for (const char* page : {"brakes", "engine", "rear"})
    index += std::string("pages\\") + page + ".htm#:#" + page + "\r\n";
  WriteFile(dir, "file.ind", index);
  Open();
  std::string captionDuringScan;
  bool scopesDuringScan = true;
  // The Stop press arrives while the scan lets events run after its first page (the last line).
  QTimer::singleShot(0, search.get(), [&] {
    captionDuringScan = ButtonCaption();
    scopesDuringScan = ScopesEnabled();
    Engine().RunAction("find_slovo");
  });
  Search("колодки");
  EXPECT_EQ(captionDuringScan, "Стоп");
  EXPECT_FALSE(scopesDuringScan);
  EXPECT_EQ(main->SearchResults, TStrings{"rear=pages\\rear.htm"});
  EXPECT_EQ(Listed(), std::vector<std::string>{"rear"});
  EXPECT_EQ(ButtonCaption(), "Искать");
  EXPECT_TRUE(ScopesEnabled());
  EXPECT_FALSE(main->Searching);
}

TEST_F(SearchTest, ClosingTheMainWindowDuringAScanEndsItWithoutReadingTheRest) {
  WriteFile(dir, "file.ind", "pages\\brakes.htm#:#a\r\npages\\engine.htm#:#b\r\npages\\rear.htm#:#c\r\n");
  PackPages();  // a closed archive would answer every later page with a missing-file message
  Open();
  main->ReadingEngine()->RunAction("go_find");
  QTimer::singleShot(0, main.get(), [&] { main->close(); });
  Search("колодки");
  EXPECT_FALSE(main->Searching);
  EXPECT_FALSE(search->isVisible());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SearchTest, TitleScopeSearchesTheContentsTreeWithoutReadingPages) {
  Text("file.ind", "pages\\oil.htm#:#Масло\r\n");
  Open();
  Scope("radio_chap");
  Search("КОЛОДКИ");
  EXPECT_EQ(main->SearchResults, TStrings{W("Задние колодки=pages\\rear.htm")});
  Search("А");  // every entry: sorted
  EXPECT_EQ(Listed(), (std::vector<std::string>{"Двигатель", "Задние колодки", "Тормоза"}));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SearchTest, CurrentPageScopeMarksTheTextOrSaysItIsMissingWithThePanelHidden) {
  Open();
  Html()->LoadPage("pages\\engine.htm");
  Scope("radio_curent");
  Search("ни при");
  EXPECT_EQ(cp1251::ToUtf8(Html()->SelectedText()), "ни при");
  EXPECT_EQ(Status(), "");
  Search("тормоз");
  EXPECT_EQ(Status(), "Текст не найден");
  EXPECT_TRUE(Panel()->isHidden());
  EXPECT_TRUE(ScopesEnabled());
}

TEST_F(SearchTest, EmptyQueryAsksForTextAndKeepsTheLastResults) {
  Text("file.ind", "pages\\oil.htm#:#Масло\r\n");
  Open();
  Search("масло");
  ASSERT_EQ(main->SearchResults.size(), 1u);
  Search("");
  EXPECT_EQ(Status(), "Введите текст");
  EXPECT_EQ(main->SearchResults.size(), 1u);
  EXPECT_EQ(Listed(), std::vector<std::string>{"Масло"});
}

TEST_F(SearchTest, ResultsPanelShrinksAndGrowsTheWindowAndReturnsWithTheWindow) {
  Text("file.ind", "pages\\oil.htm#:#Масло\r\n");
  Open();
  main->ReadingEngine()->RunAction("go_find");
  ASSERT_TRUE(search->isVisible());
  // No results yet: the panel is hidden and the window is shorter by it, and not sizeable.
  EXPECT_TRUE(Panel()->isHidden());
  const int shortHeight = search->height();
  EXPECT_GT(main->SavedPanelHeight, 0);
  EXPECT_FALSE(search->ResizeByBorder());

  Search("масло");
  EXPECT_FALSE(Panel()->isHidden());
  EXPECT_EQ(search->height(), shortHeight + main->SavedPanelHeight);
  EXPECT_TRUE(search->ResizeByBorder());

  // Closed and opened again: the old results are shown again.
  search->close();
  Find<TSkListBox>("list_rez", TControlType::ListBox)->clear();
  main->ReadingEngine()->RunAction("go_find");
  EXPECT_EQ(Listed(), std::vector<std::string>{"Масло"});
  EXPECT_EQ(search->height(), shortHeight + main->SavedPanelHeight);

  Search("нет такого");
  EXPECT_EQ(Status(), "Текст не найден");
  EXPECT_TRUE(Panel()->isHidden());
  EXPECT_EQ(search->height(), shortHeight);
}

TEST_F(SearchTest, AnEmptyPageListReadsNothingAndFindsNothing) {
  Text("file.ind", "");
  Open();
  Search("колодки");
  EXPECT_TRUE(main->SearchResults.empty());
  EXPECT_EQ(Status(), "Текст не найден");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SearchTest, OtherVerbsAreShownWholeAndAMissingResultPageKeepsThePane) {
  Text("file.ind", "pages\\oil.htm#:#Масло\r\n");
  Open();
  Engine().RunAction("bogus*a//find_slovo");
  EXPECT_EQ(Messages(), std::vector<std::string>{"bogus*a//find_slovo"});

  Search("масло");
  Html()->LoadPage("pages\\engine.htm");
  QFile::remove(dir.filePath("pages/oil.htm"));
  messages.desktop.messages.clear();
  Click(0);
  EXPECT_EQ(Html()->CurrentFile(), "pages\\engine.htm");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("oil.htm"), std::string::npos);
}

TEST_F(SearchTest, ThesaurusStepsThroughRepeatedFindsAndReportsWhatItCannotFind) {
  Text("glossary.htm", "<p>Суппорт: корпус.</p><p>Второй суппорт.</p>");
  Text("struct_tesaurus.txt",
       "[form]\ntype=form\n[edit_find]\ntype=edit_box\naction=find_tez\n[label_status]\ntype=label\n"
       "[html_see]\ntype=html\nload=glossary.htm\n");
  Open();
  TfrmTesaurus window(main.get());
  TSkStract engine(&window, "struct_tesaurus.txt");
  engine.LoadStructure();
  engine.OnCommand = [this](const RHelpAction& a) { main->ThesaurusAction(a); };
  main->ThesaurusEngine = &engine;
  auto* edit = engine.Get<TSkEditBox>("edit_find", TControlType::EditBox);
  auto* html = engine.Get<TSkHtml>("html_see", TControlType::Html);
  auto* status = engine.Get<TSkLabel>("label_status", TControlType::Label);

  edit->setText(QStringLiteral("суппорт"));
  engine.RunAction("find_tez");
  EXPECT_EQ(cp1251::ToUtf8(html->SelectedText()), "Суппорт");
  const int first = html->Viewer()->textCursor().position();
  engine.RunAction("find_tez");
  EXPECT_EQ(cp1251::ToUtf8(html->SelectedText()), "суппорт");
  EXPECT_GT(html->Viewer()->textCursor().position(), first);
  engine.RunAction("find_tez");  // wraps to the top
  EXPECT_EQ(html->Viewer()->textCursor().position(), first);

  edit->setText(QStringLiteral("шкворень"));
  engine.RunAction("find_tez");
  EXPECT_EQ(cp1251::ToUtf8(status->Caption()), "Текст не найден");
  edit->clear();
  engine.RunAction("find_tez");
  EXPECT_EQ(cp1251::ToUtf8(status->Caption()), "Введите текст");
  engine.RunAction("find_slovo");
  EXPECT_EQ(Messages(), std::vector<std::string>{"find_slovo"});
  main->ThesaurusEngine = nullptr;
}

TEST_F(SearchTest, ToolPrintsTheResultLinesInListOrder) {
  Text("file.ind",
       "pages\\brakes.htm#:#Тормоза\r\npages\\engine.htm#:#Двигатель\r\npages\\oil.htm#:#Масло\r\n");
  const auto full = RunTool({"search", dir.path(), QStringLiteral("колодки")});
  ASSERT_EQ(full.status, 0) << full.err;
  EXPECT_EQ(full.out, "Двигатель=pages\\engine.htm\nТормоза=pages\\brakes.htm\n");

  const auto titles = RunTool({"search", dir.path(), QStringLiteral("А"), "--titles", "contents.lst"});
  ASSERT_EQ(titles.status, 0) << titles.err;
  EXPECT_EQ(titles.out,
            "Двигатель=pages\\engine.htm\nЗадние колодки=pages\\rear.htm\nТормоза=pages\\brakes.htm\n");

  const auto usage = RunTool({"search", dir.path()});
  EXPECT_EQ(usage.status, 1);
  EXPECT_NE(usage.err.find("usage"), std::string::npos);

  QFile::remove(dir.filePath("file.ind"));
  const auto noList = RunTool({"search", dir.path(), QStringLiteral("колодки")});
  EXPECT_EQ(noList.status, 1);
  EXPECT_NE(noList.err.find("no file.ind"), std::string::npos) << noList.err;
  EXPECT_EQ(noList.out, "");
}

}  // namespace
