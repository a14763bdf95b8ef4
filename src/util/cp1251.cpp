#include "util/cp1251.h"

#include <QList>
#include <algorithm>
#include <array>

namespace cp1251 {
namespace {

// Code points of the bytes 0x80..0xFF; 0xC0..0xFF are the contiguous А..я block.
constexpr std::array<char16_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

struct CaseTables {
  std::array<unsigned char, 256> lower{};
  std::array<unsigned char, 256> upper{};
  CaseTables() {
    for (int i = 0; i < 256; ++i) lower[i] = upper[i] = static_cast<unsigned char>(i);
    auto pair = [this](int up, int low) {
      lower[up] = static_cast<unsigned char>(low);
      upper[low] = static_cast<unsigned char>(up);
    };
    for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
    for (int c = 0xC0; c <= 0xDF; ++c) pair(c, c + 32);
    pair(0x80, 0x90);  // Ђ ђ
    pair(0x81, 0x83);  // Ѓ ѓ
    pair(0x8A, 0x9A);  // Љ љ
    pair(0x8C, 0x9C);  // Њ њ
    pair(0x8D, 0x9D);  // Ќ ќ
    pair(0x8E, 0x9E);  // Ћ ћ
    pair(0x8F, 0x9F);  // Џ џ
    pair(0xA1, 0xA2);  // Ў ў
    pair(0xA3, 0xBC);  // Ј ј
    pair(0xA5, 0xB4);  // Ґ ґ
    pair(0xA8, 0xB8);  // Ё ё
    pair(0xAA, 0xBA);  // Є є
    pair(0xAF, 0xBF);  // Ї ї
    pair(0xB2, 0xB3);  // І і
    pair(0xBD, 0xBE);  // Ѕ ѕ
  }
};

const CaseTables& Cases() {
  static const CaseTables tables;
  return tables;
}

}  // namespace

char32_t ToUnicode(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
  return kHigh[byte - 0x80];
}

int FromUnicode(char32_t code) {
  if (code < 0x80) return static_cast<int>(code);
  if (code >= 0x0410 && code <= 0x044F) return static_cast<int>(code - 0x0410 + 0xC0);
  for (int i = 0; i < 64; ++i)
    if (kHigh[i] == code) return 0x80 + i;
  return -1;
}

QString ToQString(std::string_view text) {
  QString out;
  out.resize(static_cast<qsizetype>(text.size()));
  QChar* dst = out.data();
  for (unsigned char c : text) *dst++ = QChar(static_cast<char16_t>(ToUnicode(c)));
  return out;
}

std::string FromQString(const QString& text, bool* ok) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  bool all = true;
  for (char32_t code : text.toUcs4()) {
    int b = FromUnicode(code);
    if (b < 0) {
      all = false;
      b = '?';
    }
    out.push_back(static_cast<char>(b));
  }
  if (ok) *ok = all;
  return out;
}

std::string FromUtf8(std::string_view utf8, bool* ok) {
  return FromQString(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())), ok);
}

std::string ToUtf8(std::string_view text) {
  return ToQString(text).toStdString();
}

unsigned char LowerChar(unsigned char c) {
  return Cases().lower[c];
}
unsigned char UpperChar(unsigned char c) {
  return Cases().upper[c];
}

std::string Lower(std::string_view text) {
  std::string out(text);
  LowerInPlace(out);
  return out;
}

void LowerInPlace(std::string& text) {
  const auto& table = Cases().lower;
  for (char& c : text) c = static_cast<char>(table[static_cast<unsigned char>(c)]);
}

std::string Upper(std::string_view text) {
  std::string out(text);
  const auto& table = Cases().upper;
  for (char& c : out) c = static_cast<char>(table[static_cast<unsigned char>(c)]);
  return out;
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto& table = Cases().lower;
  for (size_t i = 0; i < a.size(); ++i)
    if (table[static_cast<unsigned char>(a[i])] != table[static_cast<unsigned char>(b[i])]) return false;
  return true;
}

namespace {

// Sort weight of a byte: its lower case, doubled so that ё can sit between е and ж, which the
// code page puts far apart.
int Weight(unsigned char c) {
  const unsigned char lower = LowerChar(c);
  if (lower == 0xB8) return 0xE5 * 2 + 1;  // ё
  return lower * 2;
}

}  // namespace

int CompareText(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int d = Weight(static_cast<unsigned char>(a[i])) - Weight(static_cast<unsigned char>(b[i]));
    if (d != 0) return d;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

}  // namespace cp1251
