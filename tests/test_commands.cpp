#include <QKeyEvent>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "commands/skCommand.h"
#include "commands/skGlobal.h"
#include "commands/skHotKey.h"
#include "testSupport.h"

namespace {

using testing_support::W;

// --- action strings ---

struct ParsedCommand {
  std::string verb;
  std::vector<std::string> args;
  std::string argText;
  std::string rest;
  std::string text;  // CommandText
};

struct ParseCase {
  const char* name;
  std::string action;
  std::vector<ParsedCommand> expected;
};

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, GivesTheseCommands) {
  const ParseCase& c = GetParam();
  const TSkCommand parsed(c.action);
  ASSERT_EQ(parsed.Count(), static_cast<int>(c.expected.size()));
  for (int i = 0; i < parsed.Count(); ++i) {
    SCOPED_TRACE(i);
    const RCommand& got = parsed.Commands()[static_cast<std::size_t>(i)];
    const ParsedCommand& want = c.expected[static_cast<std::size_t>(i)];
    EXPECT_EQ(got.Verb, want.verb);
    EXPECT_EQ(got.Args, want.args);
    EXPECT_EQ(got.ArgText, want.argText);
    EXPECT_EQ(got.Rest(), want.rest);
    EXPECT_EQ(parsed.CommandText(i), want.text);
  }
}

INSTANTIATE_TEST_SUITE_P(
    ActionStrings, ParseTest,
    ::testing::Values(
        ParseCase{"Empty", "", {}}, ParseCase{"OnlySeparators", "//////", {}},
        ParseCase{"OneArgument", "click_but*ok", {{"click_but", {"ok"}, "ok", "", "click_but*ok"}}},
        ParseCase{"NoArguments", "html_back", {{"html_back", {}, "", "", "html_back"}}},
        ParseCase{"VerbLoweredArgumentsKept",
                  "Html_Load*Html_See*Page.HTM",
                  {{"html_load",
                    {"Html_See", "Page.HTM"},
                    "Html_See*Page.HTM",
                    "",
                    "html_load*Html_See*Page.HTM"}}},
        ParseCase{"CyrillicVerbLowered",
                  W("ПЕРЕЙТИ*Страница"),
                  {{W("перейти"), {W("Страница")}, W("Страница"), "", W("перейти*Страница")}}},
        ParseCase{"TwoCommands",
                  "html_load*html_see*a.htm//tree_go*tree*a.htm",
                  {{"html_load",
                    {"html_see", "a.htm"},
                    "html_see*a.htm",
                    "tree_go*tree*a.htm",
                    "html_load*html_see*a.htm"},
                   {"tree_go", {"tree", "a.htm"}, "tree*a.htm", "", "tree_go*tree*a.htm"}}},
        ParseCase{"EmptyArgumentDropped", "v*a**b", {{"v", {"a", "b"}, "a**b", "", "v*a*b"}}},
        ParseCase{"TrailingStar", "v*", {{"v", {}, "", "", "v"}}},
        ParseCase{"TrailingStarAfterArgument", "v*a*", {{"v", {"a"}, "a*", "", "v*a"}}},
        ParseCase{"LeadingAndTrailingSeparator", "//v*a//", {{"v", {"a"}, "a", "", "v*a"}}},
        ParseCase{"CommandWithoutVerbSkipped",
                  "a*1//*x*y//b",
                  {{"a", {"1"}, "1", "*x*y//b", "a*1"}, {"b", {}, "", "", "b"}}},
        ParseCase{"DoubledSeparatorSkipped", "a////b", {{"a", {}, "", "//b", "a"}, {"b", {}, "", "", "b"}}},
        ParseCase{"WholeActionAsArgument",
                  "menu_del_favore*tree_go*Tree*Page.htm",
                  {{"menu_del_favore",
                    {"tree_go", "Tree", "Page.htm"},
                    "tree_go*Tree*Page.htm",
                    "",
                    "menu_del_favore*tree_go*Tree*Page.htm"}}},
        ParseCase{"SingleSlashIsText", "a/b*c/d", {{"a/b", {"c/d"}, "c/d", "", "a/b*c/d"}}},
        ParseCase{"BlanksKept", " v * a ", {{" v ", {" a "}, " a ", "", " v * a "}}},
        ParseCase{"TripleSlash", "a///b", {{"a", {}, "", "/b", "a"}, {"/b", {}, "", "", "/b"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Command, CommandTextOfNoCommandIsEmpty) {
  const TSkCommand none("");
  EXPECT_EQ(none.CommandText(0), "");
  const TSkCommand one("a*b");
  EXPECT_EQ(one.CommandText(-1), "");
  EXPECT_EQ(one.CommandText(1), "");
}

TEST(Command, RestOutlivesTheParserAndSurvivesCopies) {
  RCommand first;
  {
    const TSkCommand parsed("a*1//b*2//c");
    first = parsed.Commands()[0];
  }
  const RCommand copy = first;
  EXPECT_EQ(copy.Rest(), "b*2//c");
  EXPECT_EQ(TSkCommand(std::string(copy.Rest())).Count(), 2);
}

// A long chain must not cost the square of its length: every entry's rest is the tail of it.
TEST(Command, LongChainsParseInLinearSpace) {
  std::string action;
  const int commands = 200000;
  for (int i = 0; i < commands; ++i) action += "v*a*b//";
  const TSkCommand parsed(action);
  ASSERT_EQ(parsed.Count(), commands);
  EXPECT_EQ(parsed.Commands().front().Rest().size(), action.size() - 7);
  EXPECT_EQ(parsed.Commands().back().Rest(), "");

  std::string manyArgs = "v";
  for (int i = 0; i < commands; ++i) manyArgs += "*x";
  const TSkCommand wide(manyArgs);
  ASSERT_EQ(wide.Count(), 1);
  EXPECT_EQ(wide.Commands()[0].Args.size(), static_cast<std::size_t>(commands));
}

TEST(Command, MenuItemCarriesItsStrings) {
  TSkItem item;
  item.setText(QStringLiteral("Open"));
  item.Action = "html_load*html_see*a.htm";
  item.FavoriteTarget = "tree_go*tree*a.htm";
  EXPECT_EQ(qobject_cast<TSkItem*>(static_cast<QAction*>(&item)), &item);
  EXPECT_EQ(item.Action, "html_load*html_see*a.htm");
}

// --- key texts ---

struct KeyTextCase {
  std::string text;
  TShortCut expected;
};

class KeyTextTest : public ::testing::TestWithParam<KeyTextCase> {};

TEST_P(KeyTextTest, ReadsAs) {
  EXPECT_EQ(TextToShortCut(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    KeyTexts, KeyTextTest,
    ::testing::Values(KeyTextCase{"Ctrl+F", 0x4046}, KeyTextCase{"ctrl+f", 0x4046},
                      KeyTextCase{"CTRL+f", 0x4046}, KeyTextCase{"^F", 0x4046}, KeyTextCase{"^f", 0x4046},
                      KeyTextCase{"Alt+Shift+F", 0xA046}, KeyTextCase{"Shift+Alt+F", 0xA046},
                      KeyTextCase{"Shift+Ctrl+Alt+Q", 0xE051}, KeyTextCase{"alt+^shift+q", 0xE051},
                      KeyTextCase{"Ctrl+Ctrl+F", 0x4046}, KeyTextCase{"F1", 0x70}, KeyTextCase{"F12", 0x7B},
                      KeyTextCase{"f24", 0x87}, KeyTextCase{"Shift+F5", 0x2074}, KeyTextCase{"F25", 0},
                      KeyTextCase{"F01", 0}, KeyTextCase{"F", 0x46}, KeyTextCase{"a", 0x41},
                      KeyTextCase{"7", 0x37}, KeyTextCase{"BkSp", 0x08}, KeyTextCase{"Tab", 0x09},
                      KeyTextCase{"enter", 0x0D}, KeyTextCase{"Esc", 0x1B}, KeyTextCase{"Space", 0x20},
                      KeyTextCase{"PgUp", 0x21}, KeyTextCase{"PgDn", 0x22}, KeyTextCase{"End", 0x23},
                      KeyTextCase{"Home", 0x24}, KeyTextCase{"Left", 0x25}, KeyTextCase{"Up", 0x26},
                      KeyTextCase{"Right", 0x27}, KeyTextCase{"Down", 0x28}, KeyTextCase{"Ins", 0x2D},
                      KeyTextCase{"Del", 0x2E},
                      // names of the layout
                      KeyTextCase{"Backspace", 0x08}, KeyTextCase{"Page Down", 0x22},
                      KeyTextCase{"Num +", 0x6B}, KeyTextCase{"Ctrl+Num *", 0x406A},
                      KeyTextCase{"num 0", 0x60}, KeyTextCase{"Num /", 0x6F}, KeyTextCase{"/", 0xBF},
                      KeyTextCase{";", 0xBA}, KeyTextCase{"=", 0xBB}, KeyTextCase{"Ctrl+,", 0x40BC},
                      KeyTextCase{"-", 0xBD}, KeyTextCase{".", 0xBE}, KeyTextCase{"`", 0xC0},
                      KeyTextCase{"[", 0xDB}, KeyTextCase{"\\", 0xDC}, KeyTextCase{"]", 0xDD},
                      KeyTextCase{"'", 0xDE}, KeyTextCase{"Shift", 0x10}, KeyTextCase{"Scroll Lock", 0x91},
                      // names no key has, and modifiers alone
                      KeyTextCase{"", 0}, KeyTextCase{"Ctrl+", 0}, KeyTextCase{"Shift+Alt+", 0},
                      KeyTextCase{"^", 0}, KeyTextCase{"Ctrl++", 0}, KeyTextCase{"Ctrl+F ", 0},
                      KeyTextCase{"FF", 0}, KeyTextCase{"master_section", 0}, KeyTextCase{W("Ф"), 0},
                      KeyTextCase{W("Ctrl+Я"), 0}, KeyTextCase{"Ctrl-F", 0}));

TEST(KeyText, NamesReadBackAsTheSameCombination) {
  for (const TShortCut sc : {0x4046, 0xE051, 0x70, 0x2087, 0x08, 0x2E, 0x6B, 0x40BF, 0xDE}) {
    const std::string text = ShortCutToText(sc);
    EXPECT_FALSE(text.empty()) << sc;
    EXPECT_EQ(TextToShortCut(text), sc) << text;
  }
  EXPECT_EQ(ShortCutToText(0xC046), "Ctrl+Alt+F");
  EXPECT_EQ(ShortCutToText(0x2009), "Shift+Tab");
  EXPECT_EQ(ShortCutToText(0), "");
  EXPECT_EQ(ShortCutToText(0x4007), "");
}

// --- key presses from Qt ---

struct KeyPressCase {
  const char* name;
  TKeyPress press;
  TShortCut expected;
};

class KeyPressTest : public ::testing::TestWithParam<KeyPressCase> {};

TEST_P(KeyPressTest, GivesCombination) {
  EXPECT_EQ(PressedShortCut(GetParam().press), GetParam().expected);
}

constexpr auto kNone = Qt::NoModifier;
constexpr auto kShift = Qt::ShiftModifier;
constexpr auto kCtrl = Qt::ControlModifier;
constexpr auto kAlt = Qt::AltModifier;
constexpr auto kPad = Qt::KeypadModifier;

INSTANTIATE_TEST_SUITE_P(
    QtKeys, KeyPressTest,
    ::testing::Values(
        KeyPressCase{"Letter", {Qt::Key_F, kNone}, 0x46},
        KeyPressCase{"CtrlLetter", {Qt::Key_F, kCtrl}, 0x4046},
        KeyPressCase{"AllModifiers", {Qt::Key_Q, kCtrl | kAlt | kShift}, 0xE051},
        KeyPressCase{"Digit", {Qt::Key_5, kNone}, 0x35}, KeyPressCase{"F1", {Qt::Key_F1, kNone}, 0x70},
        KeyPressCase{"F12", {Qt::Key_F12, kNone}, 0x7B}, KeyPressCase{"F24", {Qt::Key_F24, kNone}, 0x87},
        KeyPressCase{"F25HasNoCode", {Qt::Key_F25, kNone}, 0},
        KeyPressCase{"Escape", {Qt::Key_Escape, kNone}, 0x1B},
        KeyPressCase{"Return", {Qt::Key_Return, kNone}, 0x0D},
        KeyPressCase{"KeypadEnter", {Qt::Key_Enter, kPad}, 0x0D},
        KeyPressCase{"Backspace", {Qt::Key_Backspace, kNone}, 0x08},
        KeyPressCase{"ShiftTab", {Qt::Key_Backtab, kShift}, 0x2009},
        KeyPressCase{"PageUp", {Qt::Key_PageUp, kNone}, 0x21},
        KeyPressCase{"PageDown", {Qt::Key_PageDown, kNone}, 0x22},
        KeyPressCase{"Home", {Qt::Key_Home, kNone}, 0x24}, KeyPressCase{"End", {Qt::Key_End, kNone}, 0x23},
        KeyPressCase{"Left", {Qt::Key_Left, kNone}, 0x25},
        KeyPressCase{"AltDown", {Qt::Key_Down, kAlt}, 0x8028},
        KeyPressCase{"Insert", {Qt::Key_Insert, kNone}, 0x2D},
        KeyPressCase{"Delete", {Qt::Key_Delete, kNone}, 0x2E},
        KeyPressCase{"Space", {Qt::Key_Space, kNone}, 0x20},
        KeyPressCase{"KeypadDigit", {Qt::Key_7, kPad}, 0x67},
        KeyPressCase{"KeypadPlus", {Qt::Key_Plus, kPad}, 0x6B},
        KeyPressCase{"KeypadMinus", {Qt::Key_Minus, kPad}, 0x6D},
        KeyPressCase{"KeypadStar", {Qt::Key_Asterisk, kPad}, 0x6A},
        KeyPressCase{"KeypadSlash", {Qt::Key_Slash, kPad}, 0x6F},
        KeyPressCase{"KeypadDecimal", {Qt::Key_Comma, kPad}, 0x6E},
        KeyPressCase{"KeypadHomeNumLockOff", {Qt::Key_Home, kPad}, 0x24},
        KeyPressCase{"Semicolon", {Qt::Key_Semicolon, kNone}, 0xBA},
        KeyPressCase{"Equal", {Qt::Key_Equal, kNone}, 0xBB},
        KeyPressCase{"CtrlComma", {Qt::Key_Comma, kCtrl}, 0x40BC},
        KeyPressCase{"Minus", {Qt::Key_Minus, kNone}, 0xBD},
        KeyPressCase{"Period", {Qt::Key_Period, kNone}, 0xBE},
        KeyPressCase{"Slash", {Qt::Key_Slash, kNone}, 0xBF},
        KeyPressCase{"Grave", {Qt::Key_QuoteLeft, kNone}, 0xC0},
        KeyPressCase{"BracketLeft", {Qt::Key_BracketLeft, kNone}, 0xDB},
        KeyPressCase{"Backslash", {Qt::Key_Backslash, kNone}, 0xDC},
        KeyPressCase{"BracketRight", {Qt::Key_BracketRight, kNone}, 0xDD},
        KeyPressCase{"Apostrophe", {Qt::Key_Apostrophe, kNone}, 0xDE},
        // Shifted symbols are the key they sit on, as on Windows.
        KeyPressCase{"ShiftOne", {Qt::Key_Exclam, kShift}, 0x2031},
        KeyPressCase{"ShiftEqual", {Qt::Key_Plus, kShift}, 0x20BB},
        KeyPressCase{"ShiftSlash", {Qt::Key_Question, kShift}, 0x20BF},
        // A Russian layout's letters are the Latin keys they share.
        KeyPressCase{"CyrillicEf", {0x0424, kCtrl}, 0x4041},
        KeyPressCase{"CyrillicLowerEf", {0x0444, kNone}, 0x41},
        KeyPressCase{"CyrillicA", {0x0410, kNone}, 0x46}, KeyPressCase{"CyrillicYo", {0x0401, kNone}, 0xC0},
        KeyPressCase{"CyrillicZhe", {0x0416, kNone}, 0xBA},
        // Where the platform tells the physical key, it decides for all but Latin letters.
        KeyPressCase{"XkbCyrillic", {0x0424, kNone, 0, 30 + 8}, 0x41},
        KeyPressCase{"XkbRussianShiftTwo", {Qt::Key_QuoteDbl, kShift, 0, 3 + 8}, 0x2032},
        KeyPressCase{"XkbLatinByLayout", {Qt::Key_A, kNone, 0, 16 + 8}, 0x41},
        // Where the platform gives its own code (Windows), that code is the answer.
        KeyPressCase{"NativeCode", {Qt::Key_Exclam, kShift, 0x31}, 0x2031},
        KeyPressCase{"NativeCodeTooWide", {Qt::Key_F, kNone, 0x1FF}, 0x46},
        KeyPressCase{"UnknownKey", {Qt::Key_yen, kNone}, 0},
        KeyPressCase{"UnknownKeyWithShift", {Qt::Key_unknown, kShift}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeyPress, ReadsAQtKeyEvent) {
  const QKeyEvent event(QEvent::KeyPress, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(PressedShortCut(event), 0x6046);
  const QKeyEvent pad(QEvent::KeyPress, Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(PressedShortCut(pad), 0x6B);
}

TEST(KeyPress, OnlyOneByteCodesCombine) {
  EXPECT_EQ(KeyCombination(0x46, false, true, false), 0x4046);
  EXPECT_EQ(KeyCombination(0xFF, true, true, true), 0xE0FF);
  EXPECT_EQ(KeyCombination(0x100, true, false, false), 0);
  EXPECT_EQ(KeyCombination(0, true, false, false), 0);
  EXPECT_EQ(KeyCombination(-1, false, false, false), 0);
}

// --- the table ---

TEST(HotKeyTable, KeepsEntriesInRegistrationOrder) {
  TSkHotKey keys;
  keys.AddKey("Ctrl+F*find*edit//html_find*html_see*x*y", 0);
  keys.AddKey("F1", -1);
  keys.AddKey("nonsense*act", 2);
  ASSERT_EQ(keys.Count(), 3);
  EXPECT_EQ(keys.ShortCutOf(0), 0x4046);
  EXPECT_EQ(keys.ActionOf(0), "find*edit//html_find*html_see*x*y");
  EXPECT_EQ(keys.PageOf(0), 0);
  EXPECT_EQ(keys.ShortCutOf(1), 0x70);
  EXPECT_EQ(keys.ActionOf(1), "");
  EXPECT_EQ(keys.PageOf(1), -1);
  EXPECT_EQ(keys.ShortCutOf(2), 0);
  EXPECT_EQ(keys.PageOf(2), 2);
  for (const int beyond : {3, 100, -1}) {
    EXPECT_EQ(keys.PageOf(beyond), 0);
    EXPECT_EQ(keys.ShortCutOf(beyond), 0);
    EXPECT_EQ(keys.ActionOf(beyond), "");
  }
}

TEST(HotKeyTable, FirstRegisteredOnTheCurrentPageWins) {
  TSkHotKey keys;
  keys.AddKey("F2*main_menu", 0);  // main-menu page
  keys.AddKey("F2*reading", 1);    // reading page
  keys.AddKey("F2*reading_again", 1);
  keys.AddKey("Ctrl+P*print", -1);  // registered before the window had pages
  keys.AddKey("Ctrl+P*print_reading", 1);

  struct Case {
    TShortCut pressed;
    int page;
    int expected;
  };
  for (const Case& c : {Case{0x71, 0, 0}, Case{0x71, 1, 1}, Case{0x71, 2, -1}, Case{0x71, -1, -1},
                        Case{0x4050, 0, 3}, Case{0x4050, 1, 3}, Case{0x4050, -1, 3}, Case{0x2071, 1, -1}}) {
    EXPECT_EQ(keys.Lookup(c.pressed, c.page), c.expected) << c.pressed << " on page " << c.page;
  }
}

// An unreadable key text leaves 0, and a key Qt cannot name presses 0: they must not meet.
TEST(HotKeyTable, UnreadableEntriesNeverFire) {
  TSkHotKey keys;
  keys.AddKey("Ctrl+*nothing", -1);
  keys.AddKey("section_name", -1);
  const QKeyEvent unknown(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier);
  EXPECT_EQ(keys.Lookup(PressedShortCut(unknown), 0), -1);
  EXPECT_EQ(keys.Lookup(0, -1), -1);
}

// --- the tool ---

TEST(ActionsTool, PrintsEveryFieldOfEveryCommand) {
  const auto r = testing_support::RunTool(
      {QStringLiteral("actions"), QStringLiteral("ПОКАЗАТЬ*Окно 1**x//*skip//go\tmain*a\\b")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "command\tпоказать\n"
            "arg\tОкно 1\n"
            "arg\tx\n"
            "argtext\tОкно 1**x\n"
            "rest\t*skip//go\\tmain*a\\\\b\n"
            "text\tпоказать*Окно 1*x\n"
            "command\tgo\\tmain\n"
            "arg\ta\\\\b\n"
            "argtext\ta\\\\b\n"
            "rest\t\n"
            "text\tgo\\tmain*a\\\\b\n");
}

TEST(ActionsTool, RefusesTextOutsideTheCodePage) {
  const auto r = testing_support::RunTool({QStringLiteral("actions"), QStringLiteral("go*中")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
}

}  // namespace
