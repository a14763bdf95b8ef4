// The engine where a single dump cannot show it: several engines on one window, the main window's
// owner handlers, values kept between runs, the splash, modal windows, and lookups.
#include <QDir>
#include <QKeyEvent>
#include <QProgressBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/uMain.h"
#include "archive/gPack.h"
#include "controls/skCheckBox.h"
#include "controls/skComboBox.h"
#include "controls/skForm.h"
#include "controls/skParPanel.h"
#include "engine/skUseStract.h"
#include "platform/pfDisk.h"
#include "platform/pfRegistry.h"
#include "testSupport.h"
#include "util/cp1251.h"

using testing_support::W;
using testing_support::WriteFile;

namespace {

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    CloseArchive();
    platform::SetProgramFolder(dir.path());
    OpenArchive(platform::FromNative(dir.filePath("interface.dat")));  // none: files come from the disk
    previousRegistry = platform::SetRegistry(&registry);
  }
  void TearDown() override { platform::SetRegistry(previousRegistry); }

  // Writes a structure file given in UTF-8 as the manual's 1251.
  void Struct(const QString& name, const char* utf8) { WriteFile(dir, name, W(utf8)); }

  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const auto& m : messages.desktop.messages) out.push_back(cp1251::ToUtf8(m.text));
    return out;
  }

  void Press(TSkForm& window, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, key, mods);
    window.FormKeyDown(e);
  }

  QTemporaryDir dir;
  testing_support::DesktopScope messages;
  platform::MemoryRegistry registry;
  platform::Registry* previousRegistry = nullptr;
};

TEST_F(EngineTest, TwoEnginesShareAWindowEachWithItsOwnPageAndKeys) {
  Struct("a.txt",
         "[form]\ntype=form\ncolor=#FFFFFF\naction=test*start*a\n[keys]\ntype=hot_key\nk=F5*test*a*F5\n");
  Struct("b.txt", "[form]\ntype=form\n[keys]\ntype=hot_key\nk=F6*test*b*F6\nk2=F5*test*b*F5\n");
  TSkForm window;
  TSkStract first(&window, "a.txt");
  first.LoadStructure();
  TSkStract second(&window, "b.txt");
  second.LoadStructure();
  ASSERT_NE(window.Notebook(), nullptr);
  EXPECT_EQ(window.Notebook()->count(), 2);
  EXPECT_EQ(window.Notebook()->PageName(0), "Default");
  EXPECT_EQ(window.Notebook()->PageName(1), "p1");
  EXPECT_EQ(first.Page, 0);
  EXPECT_EQ(second.Page, 1);
  // The start action belongs to its own file: the second file, without one, runs none.
  EXPECT_EQ(Messages(), std::vector<std::string>{"start*a"});
  // The second engine's page takes the colour the first set on the window.
  EXPECT_EQ(second.PageWidget()->palette().color(QPalette::Window), QColor(Qt::white));

  messages.desktop.messages.clear();
  first.ShowPage();
  EXPECT_EQ(window.Notebook()->currentIndex(), 0);
  Press(window, Qt::Key_F5);
  Press(window, Qt::Key_F6);  // bound to the other page: nothing
  second.ShowPage();
  EXPECT_EQ(window.Notebook()->currentIndex(), 1);
  Press(window, Qt::Key_F6);
  Press(window, Qt::Key_F5);
  EXPECT_EQ(Messages(), (std::vector<std::string>{"a*F5", "b*F6", "b*F5"}));
}

TEST_F(EngineTest, MainWindowSwitchesViewsAndHandsUnknownVerbsToAMessage) {
  Struct("struct_main.txt", "[form]\ntype=form\n[b]\ntype=button\n");
  Struct("struct_show.txt", "[form]\ntype=form\n[l]\ntype=label\n");
  Struct("struct_about.txt", "[form]\ntype=form\ncaption=О программе\n");
  TfrmMain main;
  TSkStract* menu = main.MainMenuEngine();
  TSkStract* reading = main.ReadingEngine();
  ASSERT_TRUE(menu && reading);
  EXPECT_EQ(main.Notebook()->currentIndex(), menu->Page);

  menu->RunAction("go_main");
  EXPECT_EQ(main.Notebook()->currentIndex(), reading->Page);
  EXPECT_TRUE(Messages().empty());
  reading->RunAction("go_main_menu");
  EXPECT_EQ(main.Notebook()->currentIndex(), menu->Page);

  menu->RunAction("GO_MAIN//test*in*reading//visible*l*0");
  EXPECT_EQ(main.Notebook()->currentIndex(), reading->Page);
  EXPECT_EQ(Messages(), std::vector<std::string>{"in*reading"});
  EXPECT_TRUE(reading->GetControl("l")->Widget()->isHidden());

  messages.desktop.messages.clear();
  menu->RunAction("about");
  reading->RunAction("bogus*a*B//test*x*y");
  EXPECT_EQ(Messages(), std::vector<std::string>{"bogus*a*B//test*x*y"});
}

TEST_F(EngineTest, PositionIsSavedAndRestoredOnAVisibleScreen) {
  Struct("s.txt", "[form]\ntype=form\nreg_dat=Software\\Remont\\T\nsave_pos=1\n");
  struct Case {
    std::string stored;
    bool restoredExactly;
  } cases[] = {{"20;10;300;200;0", true}, {"-5000;-7000;300;200;0", false}};
  for (const Case& c : cases) {
    registry.values.clear();
    registry.Write("Software\\Remont\\T", "pos_frmTest", c.stored);
    TSkForm window;
    window.setObjectName("frmTest");
    {
      TSkStract engine(&window, "s.txt");
      engine.LoadStructure();
      const QRect r = window.geometry();
      EXPECT_EQ(r.size(), QSize(300, 200)) << c.stored;
      if (c.restoredExactly)
        EXPECT_EQ(r.topLeft(), QPoint(10, 20));
      else
        EXPECT_GE(r.left(), 0) << "kept on the screen";
      window.setGeometry(QRect(15, 25, 320, 240));
    }
    EXPECT_EQ(registry.Read("Software\\Remont\\T", "pos_frmTest").value_or(""), "25;15;320;240;0");
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(EngineTest, RegistryWithoutPathReportsOncePerCall) {
  Struct("s.txt", "[form]\ntype=form\n");
  TSkForm window;
  TSkStract engine(&window, "s.txt");
  engine.LoadStructure();
  engine.WriteReg("x", "1");
  EXPECT_EQ(engine.ReadReg("x"), "");
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_NE(Messages()[0].find("WriteReg. Укажите путь в реестре (reg_dat для form)"), std::string::npos);
  EXPECT_TRUE(registry.values.empty());
}

TEST_F(EngineTest, SplashBarStepsAndStartsOver) {
  QImage picture(40, 20, QImage::Format_RGB32);
  picture.fill(Qt::blue);
  picture.save(dir.filePath("splash.bmp"), "BMP");
  Struct("s.txt", "[form]\ntype=form\nsplash=splash.bmp*7*0*0*40*5\nsplash_close_auto=0\n");
  TSkForm window;
  TSkStract engine(&window, "s.txt");
  engine.LoadStructure();
  ASSERT_TRUE(engine.HasSplash());
  ASSERT_NE(engine.SplashBar(), nullptr);
  EXPECT_EQ(engine.SplashBar()->value(), engine.SplashBar()->maximum());  // left open, bar filled
  engine.SplashBar()->setValue(0);
  for (int i = 0; i < 14; ++i) engine.StepSplash();
  EXPECT_EQ(engine.SplashBar()->value(), 98);
  engine.StepSplash();
  EXPECT_EQ(engine.SplashBar()->value(), 7);
  engine.CloseSplash();
  EXPECT_FALSE(engine.HasSplash());
}

TEST_F(EngineTest, FormShowDestroysItsEngineWithItsWindow) {
  Struct("s.txt", "[form]\ntype=form\n[b]\ntype=button\naction=form_show*extra.txt\n");
  Struct("extra.txt", "[form]\ntype=form\nreg_dat=Software\\Remont\\X\nsave_pos=1\n[l]\ntype=label\n");
  const QStringList before = QDir(QDir::tempPath()).entryList({"BMA*"}, QDir::Files);
  {
    TSkForm window;
    TSkStract engine(&window, "s.txt");
    engine.LoadStructure();
    engine.RunAction("click_but*b");
  }
  // Its position was saved and its temporary copy of the structure file is gone.
  EXPECT_TRUE(registry.Read("Software\\Remont\\X", "pos_frmFORM").has_value());
  EXPECT_EQ(QDir(QDir::tempPath()).entryList({"BMA*"}, QDir::Files), before);
}

TEST_F(EngineTest, LookupsByNameAndByAction) {
  Struct("s.txt",
         "[form]\ntype=form\n[Go]\ntype=button\n[sp]\ntype=sp_button\naction=zoom*2\n"
         "[sp2]\ntype=sp_button\naction=ZOOM*1\n[c1]\ntype=combo_box\naction=print*x\n[c2]\ntype=combo_"
         "box\naction=zoom\n");
  TSkForm window;
  TSkStract engine(&window, "s.txt");
  engine.LoadStructure();
  EXPECT_NE(engine.Get<QWidget>("GO", TControlType::Button), nullptr);
  EXPECT_EQ(engine.GetComponent("sp", TControlType::Button), nullptr);
  EXPECT_NE(engine.GetControl("sp"), nullptr);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("GetComponent. Не найден контрол: sp"), std::string::npos);
  engine.ReportErrors = false;
  EXPECT_EQ(engine.GetControl("absent"), nullptr);
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_EQ(engine.FindComboByVerb("zoom")->Name, "c2");
  EXPECT_EQ(engine.FindSpButtonByAction("zoom", "")->Name, "sp");
  EXPECT_EQ(engine.FindSpButtonByAction("zoom", "1")->Name, "sp2");
  EXPECT_EQ(engine.FindSpButtonByAction("zoom", "3"), nullptr);

  delete engine.GetControl("Go")->Widget();  // a control freed elsewhere is never handed out again
  EXPECT_EQ(engine.GetControl("go"), nullptr);
}

TEST_F(EngineTest, ClicksPutTheControlsValueIntoTheAction) {
  Struct("s.txt",
         "[form]\ntype=form\n[a]\ntype=button\n[b]\ntype=button\n"
         "[chk]\ntype=check_box\nenable_control=a;missing;B\naction=test*chk\n"
         "[combo]\ntype=combo_box\naction=test*fixed\n");
  TSkForm window;
  TSkStract engine(&window, "s.txt");
  engine.LoadStructure();
  auto* chk = dynamic_cast<TSkCheckBox*>(engine.GetControl("chk"));
  ASSERT_NE(chk, nullptr);
  chk->setChecked(false);
  engine.DoClick(chk);
  EXPECT_FALSE(engine.GetControl("a")->Widget()->isEnabled());
  EXPECT_FALSE(engine.GetControl("b")->Widget()->isEnabled());
  const std::vector<std::string> m = Messages();
  ASSERT_EQ(m.size(), 3u);
  EXPECT_NE(m[0].find("GetControl. Не найден контрол: missing"), std::string::npos);
  EXPECT_NE(m[1].find("Проверте параметр enable_control для чекьокса chk"), std::string::npos);
  EXPECT_EQ(m[2], "chk*0");

  messages.desktop.messages.clear();
  auto* combo = dynamic_cast<TSkComboBox*>(engine.GetControl("combo"));
  combo->AddItem(W("Бензин"), "ptr");
  combo->setCurrentIndex(0);
  engine.DoClick(combo);
  EXPECT_EQ(Messages(), std::vector<std::string>{"fixed*"});  // no "insert": the action as written
}

TEST_F(EngineTest, BadNumbersStopTheLoadingAndTheActionString) {
  Struct("bad.txt", "[form]\ntype=form\n[b]\ntype=button\nwidth=wide\n[after]\ntype=button\n");
  TSkForm window;
  TSkStract engine(&window, "bad.txt");
  EXPECT_THROW(engine.LoadStructure(), EConvertError);
  EXPECT_EQ(engine.GetControl("after"), nullptr);
  EXPECT_THROW(engine.RunAction("test*a*b//form_close*x//test*c*d"), EConvertError);
}

}  // namespace
