// Windows-1251 text: the manual's own 8-bit encoding. Text stays 1251 bytes inside the program
// and becomes a QString only where a widget, a file name on disk or a terminal needs it.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace cp1251 {

// The Unicode code point of a 1251 byte (0x98, unassigned in 1251, maps to U+0098 so that every
// byte survives a round trip).
char32_t ToUnicode(unsigned char byte);

// The 1251 byte of a code point, or -1 when 1251 cannot hold it.
int FromUnicode(char32_t code);

QString ToQString(std::string_view text);

// Characters 1251 cannot hold become '?'; `ok`, when given, tells whether all of them fitted.
std::string FromQString(const QString& text, bool* ok = nullptr);

// UTF-8 (command lines, file names on disk) to and from 1251.
std::string FromUtf8(std::string_view utf8, bool* ok = nullptr);
std::string ToUtf8(std::string_view text);

// Locale-aware case folding of the Russian Windows code page: Latin and every Cyrillic letter
// 1251 holds (Ё, Ђ, Ѓ, Є, Ѕ, І, Ї, Ј, Љ, Њ, Ћ, Ќ, Ў, Џ, Ґ and А..Я).
unsigned char LowerChar(unsigned char c);
unsigned char UpperChar(unsigned char c);
std::string Lower(std::string_view text);
std::string Upper(std::string_view text);
void LowerInPlace(std::string& text);

// Equality after folding both sides.
bool SameText(std::string_view a, std::string_view b);
// Alphabetical order ignoring case, as the user's Russian locale sorts: below zero when `a` comes
// first. Letters follow the alphabet (Ё right after Е), Latin before Cyrillic, other characters
// by their code.
int CompareText(std::string_view a, std::string_view b);

}  // namespace cp1251
