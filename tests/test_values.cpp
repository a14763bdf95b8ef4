// Value forms of structure-file keys and the reading of structure files themselves.
#include <gtest/gtest.h>

#include "engine/skIni.h"
#include "engine/skValues.h"
#include "testSupport.h"
#include "util/cp1251.h"

using testing_support::W;

namespace {

TEST(FontValue, FieldsChangeOnlyWhatTheyGive) {
  struct Case {
    const char* value;
    const char* expected;  // NAME*SIZE*#RRGGBB*STYLES after applying to Arial*10*#102030*u
  } cases[] = {
      {"Verdana*12", "Verdana*12*#102030*u"},       // name and size only: colour and style kept
      {"Verdana*12**ib", "Verdana*12*#102030*bi"},  // an empty colour field keeps the colour
      {"**#FF0000", "Arial*10*#FF0000*u"},          // colour only
      {"***", "Arial*10*#102030*u"},                // an empty styles field keeps the style
      {"***x", "Arial*10*#102030*"},                // a styles field without b, i or u clears it
      {"*8*$0000FF*BUI", "Arial*8*#FF0000*biu"},    // "$" colours are blue first; letters any case
  };
  for (const Case& c : cases) {
    QFont font("Arial");
    font.setPointSize(10);
    font.setUnderline(true);
    QColor color = ToQColor(ParseColor("#102030"));
    ApplyFontValue(font, color, c.value);
    EXPECT_EQ(FontText(font, color), c.expected) << c.value;
  }
  QFont font;
  QColor color;
  EXPECT_THROW(ApplyFontValue(font, color, "Arial*big"), EConvertError);
  EXPECT_THROW(ApplyFontValue(font, color, "Arial*10*red"), EConvertError);
}

TEST(AnchorValue, FieldsAreDistancesOrStars) {
  const TAnchorValue a = ParseAnchor("10 * 5 *");
  EXPECT_EQ(a.left, 10);
  EXPECT_FALSE(a.top.has_value());
  EXPECT_EQ(a.right, 5);
  EXPECT_FALSE(a.bottom.has_value());
  const TAnchorValue all = ParseAnchor("* * * *");
  EXPECT_FALSE(all.left || all.top || all.right || all.bottom);
  for (const char* bad : {"10 20 30", "10  20 30 40", "a * * *", ""})
    EXPECT_THROW(ParseAnchor(bad), EConvertError) << '"' << bad << '"';
}

TEST(CursorValue, NamesAndNumbers) {
  struct Case {
    const char* value;
    int number;
  } cases[] = {{"crDefault", 0}, {"CRHANDPOINT", -21}, {"crSizeAll", -22}, {"-21", -21}, {"143", 143}};
  for (const Case& c : cases) EXPECT_EQ(ParseCursor(c.value), c.number) << c.value;
  EXPECT_THROW(ParseCursor("crPointer"), EConvertError);
  EXPECT_EQ(CursorFor(-21).shape(), Qt::PointingHandCursor);
  EXPECT_EQ(CursorFor(144).shape(), Qt::ClosedHandCursor);
}

TEST(IniReader, ReadsStructureFilesAsTheOriginalReaderDid) {
  const std::string longValue(3000, 'x');
  const TIniFile ini(
      W("; comment\r\n[Form]\r\nType = form \r\nCaption=\"  В кавычках  \"\r\n"
        "quoted='a'\r\nhalf=\"a\r\n;key=ignored\r\nno equals sign\r\n\r\n[Кнопка]\nTYPE=button\n"
        "long=") +
      longValue + "\n[form]\ntype=none\n");
  ASSERT_EQ(ini.Sections().size(), 3u);  // repeats are kept for the loader to judge
  EXPECT_EQ(ini.ReadString("FORM", "type"), "form");
  EXPECT_EQ(ini.ReadString("form", "CAPTION"), W("  В кавычках  "));
  EXPECT_EQ(ini.ReadString("form", "quoted"), "a");
  EXPECT_EQ(ini.ReadString("form", "half"), "\"a");
  EXPECT_FALSE(ini.HasKey("form", "key"));
  EXPECT_EQ(ini.ReadSection("form"), (std::vector<std::string>{"Type", "Caption", "quoted", "half"}));
  EXPECT_EQ(ini.ReadString(W("КНОПКА"), "type"), "button");  // section names ignore Cyrillic case too
  EXPECT_EQ(ini.ReadString(W("кнопка"), "long").size(), TIniFile::kMaxValue);
  EXPECT_EQ(ini.ReadString("absent", "type", "def"), "def");
  EXPECT_EQ(ini.Sections()[1].line, 10);
}

}  // namespace
