// The authors' tool, run as the separate program it is.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "archive/gPackWriter.h"
#include "testSupport.h"
#include "util/cp1251.h"

using testing_support::RunTool;
using testing_support::ToolResult;
using testing_support::W;
using testing_support::WriteFile;

namespace {

std::string ReadAll(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return "<missing>";
  const QByteArray b = f.readAll();
  return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

class ToolArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    src = dir.filePath("src");
    WriteFile(dir, "src/Struct_Main.txt", "[form]\r\ntype=form\r\n");
    WriteFile(dir, QString::fromUtf8("src/Страницы/Тормоза.HTM"), W("<p>Тормозные колодки</p>"));
    WriteFile(dir, "src/pics/Disc.BMP", std::string("BM\0\x01\x02", 5));
    WriteFile(dir, "src/file.ind", "a\r\n");
  }

  QTemporaryDir dir;
  QString src;
};

TEST_F(ToolArchiveTest, PackListCatAndExtractRoundTrip) {
  const QString dat = dir.filePath("out/interface.dat");
  QDir().mkpath(dir.filePath("out"));
  ToolResult r = RunTool({"pack", dat, src, "--scramble", "TXT,.ind"});
  ASSERT_EQ(r.status, 0) << r.err;

  r = RunTool({"list", dat});
  ASSERT_EQ(r.status, 0) << r.err;
  // Names are relative, backslashed, lowered (Cyrillic too) and sorted; scrambling goes by extension.
  EXPECT_EQ(r.out,
            "file.ind\t3\t15\t1\n"
            "pics\\disc.bmp\t5\t18\t0\n"
            "struct_main.txt\t19\t23\t1\n"
            "страницы\\тормоза.htm\t24\t42\t0\n");

  r = RunTool({"cat", dat, "STRUCT_MAIN.TXT"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "[form]\r\ntype=form\r\n");  // unscrambled, byte for byte
  r = RunTool({"cat", dat, QString::fromUtf8("Страницы\\тормоза.htm")});
  EXPECT_EQ(r.out, W("<p>Тормозные колодки</p>"));

  const QString back = dir.filePath("back");
  r = RunTool({"extract", dat, back});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadAll(back + "/struct_main.txt"), "[form]\r\ntype=form\r\n");
  EXPECT_EQ(ReadAll(back + QString::fromUtf8("/страницы/тормоза.htm")), W("<p>Тормозные колодки</p>"));
  EXPECT_EQ(ReadAll(back + "/pics/disc.bmp"), std::string("BM\0\x01\x02", 5));
}

TEST_F(ToolArchiveTest, CatReadsTheFolderBesideTheArchiveAndFolders) {
  const QString dat = dir.filePath("src/interface.dat");
  ASSERT_EQ(RunTool({"pack", dat, dir.filePath("src/pics")}).status, 0);
  // Not in the archive: found on the disk beside it, whatever the case of the name.
  ToolResult r = RunTool({"cat", dat, "struct_main.TXT"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "[form]\r\ntype=form\r\n");
  r = RunTool({"cat", src, QString::fromUtf8("страницы/ТОРМОЗА.htm")});
  EXPECT_EQ(r.out, W("<p>Тормозные колодки</p>"));
  r = RunTool({"cat", src, "absent.htm"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("Не найден файл \r\nabsent.htm"), std::string::npos) << r.err;
}

TEST_F(ToolArchiveTest, PackRefusesWhatAnArchiveCannotHoldAndLeavesNoFile) {
  struct Case {
    QString file;
    const char* complaint;
  } cases[] = {
      {"src/struct_MAIN.txt", "fold to the same entry"},
      {QString::fromUtf8("src/中文.htm"), "Windows-1251"},
      {"src/" + QString(250, 'x') + "/a.htm", "255"},
  };
  for (const Case& c : cases) {
    QTemporaryDir scratch;
    const QString copy = scratch.filePath("src");
    QDir().mkpath(copy);
    QFile::copy(src + "/Struct_Main.txt", copy + "/Struct_Main.txt");
    const QString extra = scratch.filePath(c.file);
    QDir().mkpath(QFileInfo(extra).absolutePath());
    QFile f(extra);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << extra.toStdString();
    f.close();
    const QString dat = scratch.filePath("x.dat");
    const ToolResult r = RunTool({"pack", dat, copy});
    EXPECT_EQ(r.status, 1) << c.complaint;
    EXPECT_NE(r.err.find(c.complaint), std::string::npos) << r.err;
    EXPECT_FALSE(QFile::exists(dat)) << c.complaint;
  }
}

TEST_F(ToolArchiveTest, DamagedArchivesAreReportedNotCrashedOn) {
  std::string good = BuildArchive({{"a.txt", "abc"}, {"b.txt", "defg"}});
  std::string badSignature = good;
  badSignature[1] = 'Q';
  std::string badEntry = good;
  badEntry[good.size() - 5] = 0x7F;  // b.txt's offset now points far beyond the file
  std::string traversal = BuildArchive({{"..\\..\\evil.txt", "x"}, {"ok.txt", "y"}});

  const QString sig = WriteFile(dir, "sig.dat", badSignature);
  ToolResult r = RunTool({"list", sig});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Неверная сигнатура архива"), std::string::npos) << r.err;

  const QString cut = WriteFile(dir, "cut.dat", good.substr(0, good.size() - 4));
  EXPECT_EQ(RunTool({"list", cut}).status, 1);
  EXPECT_EQ(RunTool({"list", dir.filePath("absent.dat")}).status, 1);

  const QString entry = WriteFile(dir, "entry.dat", badEntry);
  r = RunTool({"extract", entry, dir.filePath("x1")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(ReadAll(dir.filePath("x1/a.txt")), "abc");  // what can be read still is
  EXPECT_NE(r.err.find("b.txt"), std::string::npos);

  const QString evil = WriteFile(dir, "evil.dat", traversal);
  r = RunTool({"extract", evil, dir.filePath("x2")});
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(QFile::exists(dir.filePath("evil.txt")));
  EXPECT_FALSE(QFile::exists(dir.filePath("../evil.txt")));
  EXPECT_EQ(ReadAll(dir.filePath("x2/ok.txt")), "y");

  EXPECT_EQ(RunTool({"nonsense"}).status, 1);
  EXPECT_EQ(RunTool({"pack", "only-one-argument"}).status, 1);
}

}  // namespace
