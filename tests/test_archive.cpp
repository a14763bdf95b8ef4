#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

#include "archive/gPack.h"
#include "archive/gPackWriter.h"
#include "platform/pfDisk.h"
#include "testSupport.h"
#include "util/cp1251.h"
#include "util/uUtils.h"

using testing_support::DesktopScope;
using testing_support::W;
using testing_support::WriteFile;

namespace {

// An archive written byte by byte from the format, independent of our writer: so the reader is
// checked against the format itself, not against the writer's reading of it.
struct RawEntry {
  std::string name;
  std::int32_t size;
  std::int32_t offset;
  std::uint8_t flag;
};

void Put32(std::string& s, std::int32_t v) {
  for (int i = 0; i < 4; ++i)
    s.push_back(static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF));
}

std::string RawArchive(const std::string& data, const std::vector<RawEntry>& entries,
                       std::optional<std::int32_t> directoryOffset = std::nullopt) {
  std::string s = "BMA";
  Put32(s, 0x11223344);  // reserved bytes are read and ignored
  const std::int32_t dir = static_cast<std::int32_t>(15 + data.size());
  Put32(s, directoryOffset.value_or(dir));
  Put32(s, 0x55667788);
  s += data;
  for (const RawEntry& e : entries) {
    s.push_back(static_cast<char>(e.name.size()));
    s += e.name;
    Put32(s, e.size);
    Put32(s, e.offset);
    s.push_back(static_cast<char>(e.flag));
  }
  return s;
}

class ArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    platform::SetProgramFolder(dir.path());
  }
  void TearDown() override { CloseArchive(); }

  bool Open(const std::string& bytes, const QString& name = "interface.dat") {
    const QString path = WriteFile(dir, name, bytes);
    return OpenArchive(platform::FromNative(path));
  }

  std::string Load(const std::string& name) {
    std::string s = "left over";
    LoadPackFile(s, name);
    return s;
  }

  QTemporaryDir dir;
  DesktopScope messages;
};

TEST(ArchiveWriter, RefusesWhatTheFormatCannotHold) {
  EXPECT_NO_THROW(BuildArchive({{std::string(255, 'a'), "x"}}));
  EXPECT_THROW(BuildArchive({{std::string(256, 'a'), "x"}}), std::length_error);
}

TEST_F(ArchiveTest, ReadsEntriesWrittenFromTheFormatAlone) {
  // Data: "hello" at 15, scrambled "abc" at 20, "xyz" with flag 2 at 23.
  std::string scrambled = "abc";
  for (char& c : scrambled) c = static_cast<char>(static_cast<unsigned char>(c) ^ kArchiveKey);
  const std::string data = "hello" + scrambled + "xyz";
  ASSERT_TRUE(Open(RawArchive(data, {{"a.txt", 5, 15, 0}, {"b.txt", 3, 20, 1}, {"c.txt", 3, 23, 2}})));
  EXPECT_EQ(Load("a.txt"), "hello");
  EXPECT_EQ(Load("b.txt"), "abc");
  EXPECT_EQ(Load("c.txt"), "xyz");  // any flag but 1 is stored as is
  EXPECT_TRUE(messages.desktop.messages.empty());
}

TEST_F(ArchiveTest, LookupRules) {
  const std::string cyr = W("страница\\тормоза.htm");
  ASSERT_TRUE(Open(BuildArchive({{"dup.txt", "first"},
                                 {"dup.txt", "second"},
                                 {"struct_main.txt", "main"},
                                 {cyr, "brakes"},
                                 {"Upper.txt", "never found"}})));
  struct Case {
    std::string request;
    std::string expected;
  } cases[] = {
      {"dup.txt", "second"},                                 // the later entry of a name wins
      {"STRUCT_Main.TXT", "main"},                           // requests are lowered
      {W("СТРАНИЦА\\Тормоза.HTM"), "brakes"},                // Cyrillic is lowered too
      {ProgramDir() + "struct_main.txt", "main"},            // an absolute name inside the archive folder
      {ProgramDir() + W("страница/тормоза.htm"), "brakes"},  // ... written natively
  };
  for (const Case& c : cases) EXPECT_EQ(Load(c.request), c.expected) << cp1251::ToUtf8(c.request);
  EXPECT_EQ(FindEntry("Upper.txt"), -1);  // stored capitals can never match a lowered request
  EXPECT_TRUE(messages.desktop.messages.empty());
}

TEST_F(ArchiveTest, FilesMissingFromTheArchiveComeFromTheDisk) {
  ASSERT_TRUE(Open(BuildArchive({{"Upper.txt", "in archive"}})));
  WriteFile(dir, "Upper.txt", "on disk");
  WriteFile(dir, "Pages/Engine.HTM", "engine page");
  WriteFile(dir, "../outside.txt", "climbed");
  EXPECT_EQ(Load("Upper.txt"), "on disk");
  EXPECT_EQ(Load("pages\\engine.htm"), "engine page");  // the disk is searched without regard to case
  EXPECT_EQ(Load("pages/ENGINE.htm"), "engine page");
  EXPECT_EQ(Load("..\\outside.txt"), "climbed");
  EXPECT_TRUE(messages.desktop.messages.empty());
  EXPECT_TRUE(PackFileExists("upper.txt"));
  EXPECT_TRUE(PackFileExists("PAGES\\engine.htm"));
  EXPECT_FALSE(PackFileExists("nothing.htm"));
}

TEST_F(ArchiveTest, MissingFileGivesTheMessageAndAnEmptyStream) {
  ASSERT_TRUE(Open(BuildArchive({{"a.txt", "a"}})));
  EXPECT_EQ(Load("Pages\\Absent.htm"), "");
  ASSERT_EQ(messages.desktop.messages.size(), 1u);
  EXPECT_EQ(messages.desktop.messages[0].text, W("Не найден файл \r\nPages\\Absent.htm"));
  EXPECT_EQ(Load(""), "");  // an empty name is no request at all
  EXPECT_EQ(messages.desktop.messages.size(), 1u);
}

TEST_F(ArchiveTest, EmptyArchiveOpensWithoutEntries) {
  ASSERT_TRUE(Open(""));
  EXPECT_TRUE(ArchiveIsOpen());
  EXPECT_TRUE(ArchiveDirectory().empty());
  EXPECT_EQ(FindEntry("a.txt"), -1);
}

TEST_F(ArchiveTest, WrongSignatureIsShownOnceThenTheDiskServes) {
  std::string bytes = BuildArchive({{"a.txt", "archived"}});
  bytes[0] = 'X';
  WriteFile(dir, "a.txt", "from disk");
  EXPECT_FALSE(Open(bytes));
  ASSERT_EQ(messages.desktop.messages.size(), 1u);
  EXPECT_EQ(messages.desktop.messages[0].text, W("Неверная сигнатура архива"));
  EXPECT_FALSE(ArchiveIsOpen());
  EXPECT_EQ(Load("a.txt"), "from disk");
  EXPECT_EQ(messages.desktop.messages.size(), 1u);
}

TEST_F(ArchiveTest, DamagedDirectoriesCloseTheArchiveSilently) {
  const std::string good = BuildArchive({{"a.txt", "abc"}});
  const std::string cases[] = {
      "BM",                                               // shorter than a signature
      good.substr(0, 10),                                 // header cut short
      good.substr(0, good.size() - 3),                    // last entry cut short
      RawArchive("abc", {}),                              // directory offset at the end: no entry to read
      RawArchive("abc", {{"a.txt", 3, 15, 0}}, 1 << 30),  // directory offset beyond the file
      RawArchive("abc", {{"a.txt", 3, 15, 0}}, -20),      // negative directory offset
  };
  for (const std::string& bytes : cases) {
    messages.desktop.messages.clear();
    EXPECT_FALSE(Open(bytes)) << bytes.size();
    EXPECT_FALSE(ArchiveIsOpen());
  }
  // Only the one that lacks a signature says so; the others fail without a word.
  messages.desktop.messages.clear();
  Open("BM");
  EXPECT_EQ(messages.desktop.messages.size(), 1u);
}

TEST_F(ArchiveTest, DamagedEntriesReadAsMissingNeverAsGarbage) {
  const std::string data = "0123456789";
  ASSERT_TRUE(Open(RawArchive(data, {{"past_end.txt", 5, 1 << 30, 0},
                                     {"too_long.txt", 1 << 30, 15, 0},
                                     {"neg_size.txt", -5, 15, 0},
                                     {"neg_offset.txt", 5, -100, 1},
                                     {"straddles.txt", 50, 20, 0},
                                     {"fine.txt", 4, 17, 0}})));
  for (const char* name :
       {"past_end.txt", "too_long.txt", "neg_size.txt", "neg_offset.txt", "straddles.txt"}) {
    messages.desktop.messages.clear();
    EXPECT_EQ(Load(name), "") << name;
    ASSERT_EQ(messages.desktop.messages.size(), 1u) << name;
    EXPECT_EQ(messages.desktop.messages[0].text, W("Не найден файл \r\n") + name);
  }
  EXPECT_EQ(Load("fine.txt"), "2345");
  WriteFile(dir, "past_end.txt", "disk copy");
  EXPECT_EQ(Load("past_end.txt"), "disk copy");  // a damaged entry falls back to the disk like a missing one
}

TEST_F(ArchiveTest, ReopeningAndClosingKeepsTheFolder) {
  ASSERT_TRUE(Open(BuildArchive({{"a.txt", "one"}}), "sub/first.dat"));
  EXPECT_EQ(ArchiveFolder(), platform::FromNative(dir.path()) + "/sub/");
  ASSERT_TRUE(Open(BuildArchive({{"b.txt", "two"}}), "sub/second.dat"));
  EXPECT_EQ(FindEntry("a.txt"), -1);  // the first archive is closed
  EXPECT_EQ(Load("b.txt"), "two");
  CloseArchive();
  WriteFile(dir, "sub/c.txt", "beside");
  EXPECT_EQ(Load("c.txt"), "beside");  // after closing, files are still looked for beside the archive
  EXPECT_FALSE(OpenArchive(platform::FromNative(dir.filePath("none.dat"))));
}

TEST_F(ArchiveTest, PicturesComeAsBmpOrJpeg) {
  QImage image(8, 6, QImage::Format_RGB32);
  image.fill(Qt::red);
  auto encode = [&](const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  };
  ASSERT_TRUE(Open(BuildArchive(
      {{"pic.bmp", encode("BMP"), true}, {"pic.jpg", encode("JPEG")}, {"bad.jpg", "nonsense"}})));
  const QImage bmp = LoadPackBitmap("PIC.BMP");
  EXPECT_EQ(bmp.size(), QSize(8, 6));
  EXPECT_EQ(bmp.pixelColor(3, 3), QColor(Qt::red));
  EXPECT_EQ(LoadPackBitmap("pic.jpg").size(), QSize(8, 6));
  EXPECT_THROW(LoadPackBitmap("bad.jpg"), EPictureError);
  EXPECT_THROW(LoadPackBitmap("absent.jpg"), EPictureError);
}

TEST_F(ArchiveTest, ExtractToTempWritesAFreshBmaFile) {
  ASSERT_TRUE(Open(BuildArchive({{"struct_main.txt", "[form]\r\ntype=form\r\n", true}})));
  const std::string first = ExtractToTemp("struct_main.txt");
  const std::string second = ExtractToTemp("struct_main.txt");
  EXPECT_NE(first, second);
  const QFileInfo info(platform::NativePath(first));
  EXPECT_TRUE(info.fileName().startsWith("BMA"));
  std::string bytes;
  ASSERT_TRUE(platform::ReadDiskFile(first, bytes));
  EXPECT_EQ(bytes, "[form]\r\ntype=form\r\n");
  QFile::remove(platform::NativePath(first));
  QFile::remove(platform::NativePath(second));
}

}  // namespace
