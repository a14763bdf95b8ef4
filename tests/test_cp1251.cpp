#include <gtest/gtest.h>

#include "util/cp1251.h"

namespace {

TEST(Cp1251, EveryByteRoundTripsThroughUnicode) {
  for (int b = 0; b < 256; ++b) {
    const char32_t code = cp1251::ToUnicode(static_cast<unsigned char>(b));
    EXPECT_EQ(cp1251::FromUnicode(code), b) << "byte " << b;
  }
}

TEST(Cp1251, LowerCoversLatinAndEveryCyrillicLetter) {
  // Upper and lower halves written in UTF-8, so the table is checked against Unicode itself.
  const std::string upper = cp1251::FromUtf8("ABCZАБВЯЁЂЃЄЅІЇЈЉЊЋЌЎЏҐ");
  const std::string lower = cp1251::FromUtf8("abczабвяёђѓєѕіїјљњћќўџґ");
  EXPECT_EQ(cp1251::Lower(upper), lower);
  EXPECT_EQ(cp1251::Upper(lower), upper);
  for (int b = 0; b < 256; ++b) {
    const QString ch = cp1251::ToQString(std::string(1, static_cast<char>(b)));
    EXPECT_EQ(cp1251::ToQString(cp1251::Lower(std::string(1, static_cast<char>(b)))), ch.toLower())
        << "byte " << b;
  }
}

TEST(Cp1251, CharactersOutsideTheCodePageAreReported) {
  bool ok = true;
  EXPECT_EQ(cp1251::FromUtf8("a中b", &ok), "a?b");
  EXPECT_FALSE(ok);
  EXPECT_EQ(cp1251::FromUtf8("тест", &ok), cp1251::FromUtf8("тест"));
  EXPECT_TRUE(ok);
  EXPECT_EQ(cp1251::FromUnicode(0x4E2D), -1);
  EXPECT_EQ(cp1251::FromUnicode(0x0442), 0xF2);  // т
}

TEST(Cp1251, SameTextIgnoresCyrillicCase) {
  EXPECT_TRUE(cp1251::SameText(cp1251::FromUtf8("Струк"), cp1251::FromUtf8("сТРУК")));
  EXPECT_FALSE(cp1251::SameText(cp1251::FromUtf8("е"), cp1251::FromUtf8("ё")));
}

TEST(Cp1251, CompareTextSortsAlphabeticallyIgnoringCase) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  } cases[] = {
      {"ель", "Ёж", -1},  // ё follows е ...
      {"ёж", "жук", -1},  // ... and comes before ж, though its byte is far below both
      {"Тормоза", "тормоза", 0},
      {"Тормоз", "тормоза", -1},  // a prefix first
      {"zebra", "арка", -1},      // Latin before Cyrillic
      {"Я", "а", 1},
      {"1 ремень", "А", -1},
  };
  for (const Case& c : cases) {
    const int r = cp1251::CompareText(cp1251::FromUtf8(c.a), cp1251::FromUtf8(c.b));
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " / " << c.b;
  }
}

}  // namespace
