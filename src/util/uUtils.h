// String cutting, value parsing and paths: the helpers nearly every unit leans on. Their edge
// behaviour (missing separator, empty text, letter case) is relied upon by callers, so it is fixed
// here and tested by tables. Text is 1251; positions are 0-based inside the code.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

using TStrings = std::vector<std::string>;

// A colour in the Windows layout 00BBGGRR, as structure files write "$" values.
using TColor = std::uint32_t;

// A number or colour that cannot be read; ends the loading or the action string that met it.
class EConvertError : public std::runtime_error {
 public:
  explicit EConvertError(const std::string& message) : std::runtime_error(message) {}
};

enum class TAlign { None, Top, Bottom, Left, Right, Client, Custom };
enum class TTextAlign { Center, Left, Right };

// --- string cutting ---
std::string SplitFirst(std::string& var, std::string_view separator);
std::string TakeChars(std::size_t n, std::string& var);
std::string GetStarField(std::string_view text, int n);
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement);

// --- action strings ---
// Argument `index` (0-based), or a file the user picks for "open_file(.ext)".
std::string GetArg(const TStrings& args, int index);
std::string InsertValue(std::string_view action, std::string_view value, bool append);

// --- value parsers ---
bool StrToBoolDef(std::string_view text, bool def);
std::string BoolToText(bool value);
TColor ParseColor(std::string_view text);
TAlign ParseAlign(std::string_view text);
TTextAlign ParseTextAlign(std::string_view text);
bool IsEven(long long value);
// Decimal, or hexadecimal after "$" (also "0x"); surrounding blanks allowed. Throws EConvertError
// with the message the original runtime gave: '<text>' is not a valid integer value.
int StrToInt(std::string_view text);
// As StrToInt, but `def` for text that is not a number.
int StrToIntDef(std::string_view text, int def);
std::string IntToStr(long long value);
std::string Trim(std::string_view text);

// --- text shaping ---
std::string ShortenCaption(std::string_view text, std::size_t limit);
std::string SqueezeSpaces(std::string_view text);
// Index of the first line from `start` holding `text` (at its start with `atStart`), ignoring case;
// `progress`, when set, is told the index of the next line after each line tested. An empty text
// matches no line.
int FindInList(const TStrings& lines, std::string_view text, int start,
               const std::function<void(int)>& progress, bool atStart);

// --- paths and folders ---
// A path is absolute when it has a drive letter or starts at the root of the disk ("/").
bool IsAbsolutePath(std::string_view path);
bool IsSlash(char c);
std::string ProgramDir();
std::string ProgramPath(std::string_view path);
// The path relative to the program's folder when it lies inside it (letter case and the kind of
// separator not compared); any other path unchanged.
std::string StripProgramDir(std::string_view path);
// `path` made absolute against the folder `base` (the program's folder when empty); each ".." takes
// back the part before it, never above the root. The result is written with the base's separators.
std::string ResolvePath(std::string_view path, std::string_view base);
std::string IncludeSlash(std::string_view path);
std::string ExcludeSlash(std::string_view path);
std::string ExtractFileName(std::string_view path);
std::string ExtractFilePath(std::string_view path);  // with its trailing separator
std::string ExtractFileExt(std::string_view path);   // with its dot
std::string TempDir();
std::string WindowsDir();
// A new, empty, unique file in `folder` whose name begins with `prefix`; empty on failure.
std::string TempFileName(std::string_view folder, std::string_view prefix);
// The absolute path with each part in its real case on the disk, without a trailing separator. A
// drive path ("C:\\...") names no disk here and is only tidied.
std::string LongPathName(std::string_view path);
