#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "platform/pfDisk.h"
#include "testSupport.h"
#include "util/cp1251.h"
#include "util/skUtils.h"
#include "util/uUtils.h"

using testing_support::DesktopScope;
using testing_support::W;
using testing_support::WriteFile;

namespace {

// Failure messages show 1251 text as the UTF-8 a terminal can print.
std::string U(const std::string& text) {
  return cp1251::ToUtf8(text);
}

// --- string cutting ---

TEST(SplitFirst, CutsAtTheFirstExactSeparator) {
  struct Case {
    std::string var, separator, head, rest;
  } cases[] = {
      {"html_load*page//html_back", "//", "html_load*page", "html_back"},
      {"html_load*page", "//", "html_load*page", ""},  // no separator: all of it, variable emptied
      {"", "*", "", ""},
      {"a*", "*", "a", ""},
      {"*a", "*", "", "a"},
      {"a**b", "*", "a", "*b"},  // two in a row: the next cut gives an empty field
      {"aXb", "x", "aXb", ""},   // letter case matters
      {"abc", "", "abc", ""},
  };
  for (Case c : cases) {
    std::string var = c.var;
    EXPECT_EQ(SplitFirst(var, c.separator), c.head) << c.var << " / " << c.separator;
    EXPECT_EQ(var, c.rest) << c.var << " / " << c.separator;
  }
}

TEST(SplitFirst, RepeatedCallsWalkAList) {
  std::string var = "a*b**c";
  std::vector<std::string> fields;
  while (!var.empty()) fields.push_back(SplitFirst(var, "*"));
  EXPECT_EQ(fields, (std::vector<std::string>{"a", "b", "", "c"}));
}

TEST(TakeChars, TakesAtMostTheCharactersThereAre) {
  struct Case {
    std::size_t n;
    std::string var, head, rest;
  } cases[] = {
      {3, "abcdef", "abc", "def"}, {3, "abc", "abc", ""}, {10, "abc", "abc", ""},
      {0, "abc", "", "abc"},       {2, "", "", ""},
  };
  for (Case c : cases) {
    std::string var = c.var;
    EXPECT_EQ(TakeChars(c.n, var), c.head) << c.var << " " << c.n;
    EXPECT_EQ(var, c.rest) << c.var << " " << c.n;
  }
}

TEST(GetStarField, NthFieldOrEmpty) {
  struct Case {
    std::string text;
    int n;
    std::string field;
  } cases[] = {
      {"html_load*html_see*page.htm", 1, "html_load"},
      {"html_load*html_see*page.htm", 2, "html_see"},
      {"html_load*html_see*page.htm", 3, "page.htm"},
      {"html_load*html_see*page.htm", 4, ""},
      {"html_load*html_see*page.htm", 0, ""},
      {"html_load*html_see*page.htm", -1, ""},
      {"a**c", 2, ""},
      {"a**c", 3, "c"},
      {"a*", 2, ""},
      {"", 1, ""},
      {"a*b", INT_MAX, ""},  // must end at once, not walk two thousand million empty fields
  };
  for (const Case& c : cases) EXPECT_EQ(GetStarField(c.text, c.n), c.field) << c.text << " " << c.n;
}

TEST(ReplaceAll, EveryExactOccurrence) {
  struct Case {
    std::string text, find, replacement, result;
  } cases[] = {
      {"a/b/c", "/", "\\", "a\\b\\c"},
      {"Insert insert", "insert", "X", "Insert X"},  // letter case matters
      {"aaa", "aa", "b", "ba"},                      // matches do not overlap
      {"ab", "a", "aa", "aab"},                      // a replacement holding the text is not searched again
      {"abc", "b", "", "ac"},
      {"abc", "", "x", "abc"},  // nothing to find: unchanged, and no endless loop
      {"", "a", "b", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReplaceAll(c.text, c.find, c.replacement), c.result) << c.text << " " << c.find;
}

// --- action strings ---

TEST(GetArg, OpenFileAsksTheUserWithTheLoweredExtension) {
  DesktopScope scope;
  const TStrings args = {"html_see", "OPEN_FILE(.TXT)", "Open_File(.Jpg)tail", "open_file",
                         "open_filex(.txt)"};

  scope.desktop.pickAnswer = "/home/user/Notes.TXT";
  EXPECT_EQ(GetArg(args, 1), "/home/user/Notes.TXT");
  EXPECT_EQ(scope.desktop.lastPickFilter, "*.txt");

  scope.desktop.pickAnswer.clear();  // the user cancels
  EXPECT_EQ(GetArg(args, 1), "");

  EXPECT_EQ(GetArg(args, 2), "");
  EXPECT_EQ(scope.desktop.lastPickFilter, "*.jpg");
  EXPECT_EQ(GetArg(args, 3), "");
  EXPECT_EQ(scope.desktop.lastPickFilter, "*");
}

TEST(GetArg, OtherArgumentsComeBackAsWrittenWithoutADialog) {
  DesktopScope scope;
  const TStrings args = {"Html_See", W("Страница.HTM"), "open_filex(.txt)", ""};
  struct Case {
    int index;
    std::string arg;
  } cases[] = {{0, "Html_See"}, {1, W("Страница.HTM")}, {2, "open_filex(.txt)"}, {3, ""}, {4, ""}, {-1, ""}};
  for (const Case& c : cases) EXPECT_EQ(GetArg(args, c.index), c.arg) << c.index;
  EXPECT_EQ(scope.desktop.lastPickFilter, "");
  EXPECT_EQ(GetArg({}, 0), "");
}

TEST(InsertValue, ReplacesOrAppends) {
  struct Case {
    std::string action, value;
    bool append;
    std::string result;
  } cases[] = {
      {"html_load*html_see*insert", "p.htm", false, "html_load*html_see*p.htm"},
      {"html_load*html_see*insert", "p.htm", true, "html_load*html_see*p.htm"},
      {"html_load*html_see", "p.htm", true, "html_load*html_see*p.htm"},
      {"html_load*html_see*", "p.htm", true, "html_load*html_see*p.htm"},  // no second "*"
      {"html_load*html_see", "p.htm", false, "html_load*html_see"},
      {"a*insert//b*insert", "v", true, "a*v//b*v"},
      {"a*INSERT", "v", true, "a*INSERT*v"},  // only "insert" as written is a place holder
      {"", "v", true, ""},
      {"", "v", false, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(InsertValue(c.action, c.value, c.append), c.result) << c.action << " " << c.append;
}

// --- value parsers ---

TEST(StrToBoolDef, FourWordsElseTheDefault) {
  struct Case {
    std::string text;
    int result;  // -1: the default
  } cases[] = {
      {"true", 1},   {" TRUE ", 1}, {"\tTrue\r\n", 1}, {"1", 1},      {" 1", 1},   {"false", 0},
      {"False", 0},  {"0", 0},      {"yes", -1},       {"", -1},      {"   ", -1}, {"2", -1},
      {"true1", -1}, {"t", -1},     {"01", -1},        {W("да"), -1},
  };
  for (const Case& c : cases) {
    for (const bool def : {false, true}) {
      const bool expected = c.result < 0 ? def : c.result == 1;
      EXPECT_EQ(StrToBoolDef(c.text, def), expected) << U(c.text) << " default " << def;
    }
  }
}

TEST(BoolToText, OneOrZero) {
  EXPECT_EQ(BoolToText(true), "1");
  EXPECT_EQ(BoolToText(false), "0");
  EXPECT_TRUE(StrToBoolDef(BoolToText(true), false));
  EXPECT_FALSE(StrToBoolDef(BoolToText(false), true));
}

TEST(ParseColor, HtmlDollarAndBareForms) {
  struct Case {
    std::string text;
    TColor color;
  } cases[] = {
      {"#FF0000", 0x0000FF},  // red: HTML writes it first, the colour value last
      {"$0000FF", 0x0000FF},   {"0000FF", 0x0000FF},      {"#00FF00", 0x00FF00},
      {"#ff8000", 0x0080FF},   {"#123", 0x123},  // too short to regroup: read as it is
      {"#12345", 0x12345},                       // five characters are still too short
      {"#0000FFAA", 0xFF0000},                   // characters after the sixth are dropped
      {"$FFFFFF", 0xFFFFFF},   {"$FFFFFFFF", 0xFFFFFFFF}, {"0", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseColor(c.text), c.color) << c.text;
}

TEST(ParseColor, TextThatIsNotHexadecimalIsAConversionError) {
  for (const std::string text : {"clRed", "#GG0000", "red", "", "#", "$", "$1FFFFFFFF", "$12 34", "#-12"}) {
    EXPECT_THROW(ParseColor(text), EConvertError) << text;
  }
  try {
    ParseColor("clRed");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'$clRed' is not a valid integer value");
  }
}

TEST(ParseAlign, NamesIgnoringCase) {
  struct Case {
    std::string text;
    TAlign align;
  } cases[] = {
      {"none", TAlign::None},     {"top", TAlign::Top},     {"Bottom", TAlign::Bottom},
      {"LEFT", TAlign::Left},     {"right", TAlign::Right}, {"Client", TAlign::Client},
      {"custom", TAlign::Custom}, {"center", TAlign::None}, {"", TAlign::None},
      {" client", TAlign::None},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseAlign(c.text), c.align) << c.text;
}

TEST(ParseTextAlign, NamesIgnoringCaseElseCentred) {
  struct Case {
    std::string text;
    TTextAlign align;
  } cases[] = {
      {"center", TTextAlign::Center}, {"LEFT", TTextAlign::Left}, {"Right", TTextAlign::Right},
      {"middle", TTextAlign::Center}, {"", TTextAlign::Center},   {"justify", TTextAlign::Center},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseTextAlign(c.text), c.align) << c.text;
}

TEST(IsEven, NegativesToo) {
  struct Case {
    long long value;
    bool even;
  } cases[] = {{0, true}, {1, false}, {2, true}, {-1, false}, {-2, true}, {-3, false}, {LLONG_MIN, true}};
  for (const Case& c : cases) EXPECT_EQ(IsEven(c.value), c.even) << c.value;
}

TEST(StrToInt, DecimalAndDollarHexadecimal) {
  struct Case {
    std::string text;
    int value;
  } cases[] = {
      {"12", 12},
      {"-7", -7},
      {"+7", 7},
      {" 12 ", 12},
      {"007", 7},
      {"$FF", 255},
      {"$ff", 255},
      {"0x10", 16},
      {"-$10", -16},
      {"$FFFFFFFF", -1},  // hexadecimal fills all 32 bits, as colours need
      {"$7FFFFFFF", INT_MAX},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
    EXPECT_EQ(StrToIntDef(c.text, 99), c.value) << c.text;
  }
}

TEST(StrToInt, TextThatIsNotANumber) {
  for (const std::string text : {"", " ", "-", "$", "0x", "12a", "1 2", "--1", "1.5", "2147483648",
                                 "-2147483649", "$1FFFFFFFF", "99999999999999999999999", "abc", "$G"}) {
    EXPECT_THROW(StrToInt(text), EConvertError) << text;
    EXPECT_EQ(StrToIntDef(text, 99), 99) << text;
  }
  try {
    StrToInt("12a");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'12a' is not a valid integer value");
  }
}

// --- text shaping ---

TEST(ShortenCaption, CutsAtTheLastBlankOfWhatIsKept) {
  struct Case {
    std::string text;
    std::size_t limit;
    std::string result;
  } cases[] = {
      {"abc def ghijk", 8, "abc..."},  // keeps "abc def", the blank at 4 ends it
      {"abc def ghijk", 0, "abc def ghijk"},
      {"abc def ghijk", 14, "abc def ghijk"},
      {"abc def ghijk", 13, "abc def..."},  // exactly as long as the limit is shortened too
      {"abcd", 4, "abc"},                   // no blank: no "..."
      {"abcdefgh", 5, "abcd"},
      {" abcdef", 5, "..."},
      {"ab cd", 5, "ab..."},
      {"a", 1, ""},
      {"", 3, ""},
      {W("Тормоз передний"), 10, W("Тормоз...")},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ShortenCaption(c.text, c.limit), c.result) << U(c.text) << " " << c.limit;
}

TEST(SqueezeSpaces, DropsLineBreaksAndRepeatedBlanks) {
  struct Case {
    std::string text, result;
  } cases[] = {
      {"a  b", "a b"},      {"a\r\nb", "ab"},  // a word broken at the line end is joined
      {"a \r\n b", "a b"},  {"a \r\n\r\n   b", "a b"},
      {" a", " a"},         {"  a", " a"},
      {"a\t\tb", "a\t\tb"}, {"a \t b", "a \t b"},  // a tab ends a run of blanks
      {"\r\n", ""},         {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(SqueezeSpaces(c.text), c.result) << c.text;
}

TEST(FindInList, FirstLineHoldingTheTextIgnoringCase) {
  const TStrings lines = {W("Двигатель"), W("Тормоза передние"), W("ТОРМОЗА задние"), W("Подвеска")};
  struct Case {
    std::string text;
    int start;
    bool atStart;
    int index;
  } cases[] = {
      {W("тормоза"), 0, false, 1},
      {W("тормоза"), 2, false, 2},
      {W("тормоза"), 3, false, -1},
      {W("задние"), 0, false, 2},
      {W("задние"), 0, true, -1},
      {W("ПОДВ"), 0, true, 3},
      {W("Двигатель"), -5, false, 0},
      {W("подвеска"), 4, false, -1},
      {W("подвеска"), 99, false, -1},
      {"", 0, false, -1},  // an empty text names no line
      {"", 0, true, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FindInList(lines, c.text, c.start, nullptr, c.atStart), c.index)
        << U(c.text) << " from " << c.start << (c.atStart ? " at start" : "");
}

TEST(FindInList, ProgressIsTheNextLineAfterEachLineTested) {
  const TStrings lines = {"one", "two", "three", "four"};
  std::vector<int> progress;
  const auto record = [&](int i) { progress.push_back(i); };

  EXPECT_EQ(FindInList(lines, "THREE", 1, record, false), 2);
  EXPECT_EQ(progress, (std::vector<int>{2, 3}));

  progress.clear();
  EXPECT_EQ(FindInList(lines, "five", 0, record, false), -1);
  EXPECT_EQ(progress, (std::vector<int>{1, 2, 3, 4}));

  progress.clear();
  EXPECT_EQ(FindInList(lines, "one", 4, record, false), -1);
  EXPECT_TRUE(progress.empty());
}

// --- paths and folders ---

// The program's folder is set for each test and given back afterwards, as other tests move it.
class ProgramFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::SetProgramFolder("/opt/remont"); }
  void TearDown() override { platform::SetProgramFolder(saved_); }

 private:
  QString saved_ = platform::ProgramFolder();
};

TEST_F(ProgramFolderTest, ProgramDirEndsWithASeparator) {
  EXPECT_EQ(ProgramDir(), "/opt/remont/");
}

TEST_F(ProgramFolderTest, ProgramPath) {
  struct Case {
    std::string path, result;
  } cases[] = {
      {"interface.dat", "/opt/remont/interface.dat"},
      {"\\help\\page.htm", "/opt/remont/help\\page.htm"},  // one leading backslash goes
      {"C:\\other\\a.txt", "C:\\other\\a.txt"},
      {"/usr/share/a.txt", "/usr/share/a.txt"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ProgramPath(c.path), c.result) << c.path;
}

TEST_F(ProgramFolderTest, StripProgramDirOnlyFromPathsInsideIt) {
  struct Case {
    std::string path, result;
  } cases[] = {
      {"/opt/remont/html/a.htm", "html/a.htm"},
      {"/OPT/Remont\\html\\a.htm", "html\\a.htm"},  // case and separator as the names of the manual
      {"/opt/remont/", ""},
      {"/opt/remont", "/opt/remont"},
      {"/opt/remontX/a.htm", "/opt/remontX/a.htm"},
      {"/usr/share/doc/a.htm", "/usr/share/doc/a.htm"},
      // A colon alone no longer says the path is inside: cutting twelve characters would be garbage.
      {"C:\\Program Files\\x.htm", "C:\\Program Files\\x.htm"},
      {"html\\a.htm", "html\\a.htm"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(StripProgramDir(c.path), c.result) << c.path;
}

TEST_F(ProgramFolderTest, ResolvePath) {
  struct Case {
    std::string path, base, result;
  } cases[] = {
      // Windows-style bases stay Windows-style.
      {"..\\x\\y.htm", "C:\\a\\b\\", "C:\\a\\x\\y.htm"},
      {"../x/y.htm", "C:\\a\\b\\", "C:\\a\\x\\y.htm"},
      {"x/y.htm", "C:\\a\\b\\", "C:\\a\\b\\x\\y.htm"},
      {"..\\..\\x", "C:\\a\\b\\", "C:\\x"},
      {"..\\..\\..\\..\\x", "C:\\a\\b\\", "C:\\x"},  // nothing above the root
      {"D:\\z.htm", "C:\\a\\b\\", "D:\\z.htm"},
      {"x.htm", "C:\\a\\b", "C:\\a\\b\\x.htm"},  // a base without its separator is still a folder
      {"..\\..\\x", "\\\\srv\\share\\d\\", "\\\\srv\\share\\x"},
      // Native bases give native paths.
      {"..\\z\\w.htm", "/x/y/", "/x/z/w.htm"},
      {"p\\Q.htm", "/x/y/", "/x/y/p/Q.htm"},
      {"..\\..\\..\\f", "/x/y/", "/f"},
      {"..\\f", "/", "/f"},
      {"/abs/f", "/x/y/", "/abs/f"},
      // ".." takes back the part before it; "." stays where it is.
      {"sub\\..\\x", "/x/y/", "/x/y/x"},
      {".\\x", "/x/y/", "/x/y/x"},
      {"a\\.\\b\\..\\c", "/x/y/", "/x/y/a/c"},
      {"sub\\", "/x/y/", "/x/y/sub/"},
      {"..\\", "/x/y/", "/x/"},
      {"..", "/x/y/", "/x/"},
      {"a..\\b", "/x/y/", "/x/y/a../b"},  // only a whole part ".." climbs
      // No base: the program's folder.
      {"..\\f.txt", "", "/opt/f.txt"},
      {"f.txt", "", "/opt/remont/f.txt"},
      // A relative base keeps what it cannot climb.
      {"..\\..\\x", "html\\", "..\\x"},
      {"", "/x/y/", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ResolvePath(c.path, c.base), c.result) << c.path << " on " << c.base;
}

TEST(Slashes, IncludeAndExcludeOneTrailingSeparator) {
  struct Case {
    std::string path, included, excluded;
  } cases[] = {
      {"", "", ""},
      {"C:\\a", "C:\\a\\", "C:\\a"},
      {"C:\\a\\", "C:\\a\\", "C:\\a"},
      {"/x", "/x/", "/x"},
      {"/x/", "/x/", "/x"},
      {"rel", "rel\\", "rel"},
      {"a\\/", "a\\/", "a\\"},  // only one goes
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IncludeSlash(c.path), c.included) << c.path;
    EXPECT_EQ(ExcludeSlash(c.path), c.excluded) << c.path;
  }
}

TEST(SystemFolders, ExistAndEndWithASeparator) {
  for (const std::string& dir : {TempDir(), WindowsDir()}) {
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/') << dir;
    EXPECT_TRUE(QFileInfo(platform::NativePath(dir)).isDir()) << dir;
  }
}

TEST(TempFileName, NewEmptyUniqueFilesWithThePrefix) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QDir().mkpath(dir.filePath("Sub"));
  WriteFile(dir, "Sub/bma", "");  // a name that matches the prefix in another case must not change it
  const std::string folder = platform::FromNative(dir.path()) + "\\SUB\\";  // written as the data would
  const std::string expectedStart = platform::FromNative(dir.path()) + "/Sub/BMA";

  std::set<std::string> names;
  for (int i = 0; i < 5; ++i) {
    const std::string name = TempFileName(folder, "BMA");
    ASSERT_EQ(name.substr(0, expectedStart.size()), expectedStart) << name;
    const QFileInfo info(platform::NativePath(name));
    EXPECT_TRUE(info.isFile()) << name;
    EXPECT_TRUE(info.isAbsolute()) << name;
    EXPECT_EQ(info.size(), 0) << name;
    names.insert(name);
  }
  EXPECT_EQ(names.size(), 5u);
}

TEST(TempFileName, NoFolderGivesNoName) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  EXPECT_EQ(TempFileName(platform::FromNative(dir.filePath("missing")), "BMA"), "");
}

TEST(LongPathName, EachPartInItsRealCase) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  WriteFile(dir, QString::fromUtf8("Real/Кабина.HTM"), "x");
  const std::string root = platform::FromNative(dir.path());
  struct Case {
    std::string path, result;
  } cases[] = {
      {root + W("\\REAL\\кабина.htm"), root + W("/Real/Кабина.HTM")},
      {root + "/real/", root + "/Real"},  // a trailing separator is not kept
      {root + "\\real\\missing\\X.txt", root + "/Real/missing/X.txt"},
      {root + "\\missing\\..\\real\\x.txt", root + "/Real/x.txt"},  // climbing first, then the lookup
      {"/", "/"},
      {"C:\\Windows\\..\\Temp\\", "C:\\Temp"},  // no drives here: only tidied
      {"C:\\", "C:\\"},
      {"c:", "c:\\"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(LongPathName(c.path), c.result) << U(c.path);
}

TEST(LongPathName, RelativeNamesStartAtTheCurrentFolder) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  WriteFile(dir, "Pages/Index.htm", "x");
  const QString saved = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  const std::string result = LongPathName("pages\\INDEX.HTM");
  QDir::setCurrent(saved);
  EXPECT_EQ(result, platform::FromNative(QDir(dir.path()).canonicalPath()) + "/Pages/Index.htm");
}

// --- system services and HTML text ---

TEST(NoPrinter, ShowsTheMessageOnlyWhenThereIsNoPrinter) {
  struct Case {
    bool printer;
    std::string message;
    bool result;
    std::size_t shown;
  } cases[] = {
      {true, W("Принтер не установлен"), false, 0},
      {false, W("Принтер не установлен"), true, 1},
      {false, "", true, 0},  // no message: true without a word
  };
  for (const Case& c : cases) {
    DesktopScope scope;
    scope.desktop.printer = c.printer;
    EXPECT_EQ(NoPrinter(c.message), c.result) << c.printer;
    ASSERT_EQ(scope.desktop.messages.size(), c.shown) << c.printer;
    if (c.shown) {
      EXPECT_EQ(scope.desktop.messages[0].text, c.message);
    }
  }
}

TEST(SystemServices, GoThroughTheDesktopService) {
  DesktopScope scope;
  ShellRun("manual.pdf", "", "open");
  SetWallpaper("/tmp/w.bmp", true);
  scope.desktop.pickAnswer = "/home/a.txt";
  EXPECT_EQ(PickFile("*.txt"), "/home/a.txt");
  EXPECT_EQ(scope.desktop.lastPickFilter, "*.txt");
  EXPECT_EQ(scope.desktop.shellRuns,
            (std::vector<std::string>{"open manual.pdf", "wallpaper /tmp/w.bmp tile"}));
}

TEST(BitmapToJpeg, NoPictureGivesNothing) {
  EXPECT_TRUE(BitmapToJpeg(QImage(), 80).empty());
  QImage red(16, 16, QImage::Format_RGB32);
  red.fill(Qt::red);
  for (const int quality : {1, 80, 100, 0, 500}) {
    const std::string jpeg = BitmapToJpeg(red, quality);
    QImage back;
    ASSERT_TRUE(
        back.loadFromData(reinterpret_cast<const uchar*>(jpeg.data()), static_cast<int>(jpeg.size()), "JPEG"))
        << quality;
    EXPECT_EQ(back.size(), red.size());
    EXPECT_GT(qRed(back.pixel(8, 8)), 200) << quality;
  }
}

TEST(HtmlText, HeaderOnTopFooterBelow) {
  TStrings lines = {"<p>x</p>"};
  HtmlHeader(lines, "bgcolor=\"#FFFFFF\"");
  HtmlFooter(lines);
  EXPECT_EQ(lines, (TStrings{"<html>", "<head></head>", "<body bgcolor=\"#FFFFFF\">", "<p>x</p>", "</body>",
                             "</html>"}));
  TStrings empty;
  HtmlHeader(empty, "");
  EXPECT_EQ(empty, (TStrings{"<html>", "<head></head>", "<body >"}));
}

}  // namespace
