#include "util/uUtils.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <cerrno>
#include <climits>

#include "platform/pfDisk.h"
#include "util/cp1251.h"
#include "util/skUtils.h"

// --- string cutting ---

std::string SplitFirst(std::string& var, std::string_view separator) {
  const std::size_t p = separator.empty() ? std::string::npos : var.find(separator);
  if (p == std::string::npos) {
    std::string all = std::move(var);
    var.clear();
    return all;
  }
  std::string head = var.substr(0, p);
  var.erase(0, p + separator.size());
  return head;
}

std::string TakeChars(std::size_t n, std::string& var) {
  if (var.size() < n) {
    std::string all = std::move(var);
    var.clear();
    return all;
  }
  std::string head = var.substr(0, n);
  var.erase(0, n);
  return head;
}

std::string GetStarField(std::string_view text, int n) {
  if (n <= 0) return {};
  std::string rest(text);
  std::string field;
  for (int i = 0; i < n; ++i) {
    // Once the text is used up every further field is empty; a huge n must not spin.
    if (i > 0 && rest.empty()) return {};
    field = SplitFirst(rest, "*");
  }
  return field;
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
  if (find.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t from = 0;
  for (std::size_t p; (p = text.find(find, from)) != std::string_view::npos; from = p + find.size()) {
    out.append(text.substr(from, p - from));
    out.append(replacement);
  }
  out.append(text.substr(from));
  return out;
}

// --- action strings ---

std::string GetArg(const TStrings& args, int index) {
  if (index < 0 || index >= static_cast<int>(args.size())) return {};
  const std::string& arg = args[static_cast<std::size_t>(index)];
  std::string lowered = cp1251::Lower(arg);
  if (SplitFirst(lowered, "(") != "open_file") return arg;
  const std::string extension = SplitFirst(lowered, ")");
  return PickFile("*" + extension);
}

std::string InsertValue(std::string_view action, std::string_view value, bool append) {
  if (action.empty()) return {};
  std::string result = ReplaceAll(action, "insert", value);
  if (append && action.find("insert") == std::string_view::npos) {
    if (result.back() != '*') result.push_back('*');
    result.append(value);
  }
  return result;
}

// --- value parsers ---

std::string Trim(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
  return std::string(text.substr(b, e - b));
}

bool StrToBoolDef(std::string_view text, bool def) {
  const std::string t = cp1251::Lower(Trim(text));
  if (t == "true" || t == "1") return true;
  if (t == "false" || t == "0") return false;
  return def;
}

std::string BoolToText(bool value) {
  return value ? "1" : "0";
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads an integer the way the original runtime did: a sign, then decimal digits or "$"/"0x" and
// hexadecimal digits (hexadecimal may fill all 32 bits). Blanks around the number are allowed, as
// hand-edited structure files leave them. False on anything else.
bool ReadInt(std::string_view text, long long& value) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  bool hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= text.size()) return false;
  unsigned long long v = 0;
  for (; i < text.size(); ++i) {
    const int d = hex ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (d < 0) return false;
    v = v * (hex ? 16 : 10) + static_cast<unsigned>(d);
    if (v > 0xFFFFFFFFull) return false;
  }
  if (hex) {
    value = static_cast<long long>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
  } else {
    if (v > (negative ? 2147483648ull : 2147483647ull)) return false;
    value = static_cast<long long>(v);
  }
  if (negative) value = -value;
  return value >= INT_MIN && value <= INT_MAX;
}

}  // namespace

int StrToInt(std::string_view text) {
  long long v = 0;
  if (!ReadInt(text, v)) throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  return static_cast<int>(v);
}

int StrToIntDef(std::string_view text, int def) {
  long long v = 0;
  return ReadInt(text, v) ? static_cast<int>(v) : def;
}

std::string IntToStr(long long value) {
  return std::to_string(value);
}

TColor ParseColor(std::string_view text) {
  std::string hex;
  if (!text.empty() && text[0] == '#') {
    std::string rest(text.substr(1));
    // HTML writes red first; the colour value is blue first.
    if (rest.size() > 5) rest = rest.substr(4, 2) + rest.substr(2, 2) + rest.substr(0, 2);
    hex = "$" + rest;
  } else if (!text.empty() && text[0] == '$') {
    hex = std::string(text);
  } else {
    hex = "$" + std::string(text);
  }
  long long v = 0;
  if (!ReadInt(hex, v)) throw EConvertError("'" + hex + "' is not a valid integer value");
  return static_cast<TColor>(static_cast<std::uint32_t>(v));
}

TAlign ParseAlign(std::string_view text) {
  static const std::pair<const char*, TAlign> kNames[] = {
      {"none", TAlign::None},    {"top", TAlign::Top},     {"bottom", TAlign::Bottom},
      {"left", TAlign::Left},    {"right", TAlign::Right}, {"client", TAlign::Client},
      {"custom", TAlign::Custom}};
  for (const auto& [name, align] : kNames)
    if (cp1251::SameText(text, name)) return align;
  return TAlign::None;
}

TTextAlign ParseTextAlign(std::string_view text) {
  if (cp1251::SameText(text, "left")) return TTextAlign::Left;
  if (cp1251::SameText(text, "right")) return TTextAlign::Right;
  return TTextAlign::Center;
}

bool IsEven(long long value) {
  return value % 2 == 0;
}

// --- text shaping ---

std::string ShortenCaption(std::string_view text, std::size_t limit) {
  if (limit == 0 || text.size() < limit) return std::string(text);
  const std::string_view kept = text.substr(0, limit - 1);
  const std::size_t blank = kept.rfind(' ');
  if (blank == std::string_view::npos) return std::string(kept);
  return std::string(kept.substr(0, blank)) + "...";
}

std::string SqueezeSpaces(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  char previous = 0;  // nearest earlier character that is not a line break
  for (char c : text) {
    if (c == '\r' || c == '\n') continue;
    if (!(c == ' ' && previous == ' ')) out.push_back(c);
    previous = c;
  }
  return out;
}

int FindInList(const TStrings& lines, std::string_view text, int start,
               const std::function<void(int)>& progress, bool atStart) {
  const std::string needle = cp1251::Lower(text);
  for (int i = std::max(start, 0); i < static_cast<int>(lines.size()); ++i) {
    const std::string line = cp1251::Lower(lines[static_cast<std::size_t>(i)]);
    const std::size_t p = line.find(needle);
    // An empty text matches no line: deleting "the first favorite holding nothing" must delete none.
    const bool match = !needle.empty() && (atStart ? p == 0 : p != std::string::npos);
    if (progress) progress(i + 1);
    if (match) return i;
  }
  return -1;
}

// --- paths and folders ---

bool IsSlash(char c) {
  return c == '\\' || c == '/';
}

bool IsAbsolutePath(std::string_view path) {
  return (path.size() > 1 && path[1] == ':') || (!path.empty() && path[0] == '/');
}

std::string ProgramDir() {
  return platform::FromNative(platform::ProgramFolder());
}

std::string ProgramPath(std::string_view path) {
  if (path.empty()) return {};
  if (IsAbsolutePath(path)) return std::string(path);
  if (path[0] == '\\') path.remove_prefix(1);
  return ProgramDir() + std::string(path);
}

std::string StripProgramDir(std::string_view path) {
  // Only a path that really lies inside the program's folder loses it; cutting as many characters
  // off any other path would leave a name pointing nowhere. Letter case and the kind of separator
  // are not compared, as everywhere names of the manual are matched.
  const std::string dir = ProgramDir();
  if (path.size() < dir.size()) return std::string(path);
  for (std::size_t i = 0; i < dir.size(); ++i) {
    const char a = path[i], b = dir[i];
    if (IsSlash(a) && IsSlash(b)) continue;
    if (cp1251::LowerChar(static_cast<unsigned char>(a)) != cp1251::LowerChar(static_cast<unsigned char>(b)))
      return std::string(path);
  }
  return std::string(path.substr(dir.size()));
}

namespace {

// The leading part of a folder that climbing never removes: "/", "C:\\", "\\\\server\\share\\", or
// nothing for a relative folder.
std::size_t RootLength(std::string_view folder) {
  if (!folder.empty() && folder[0] == '/') return 1;
  if (folder.size() > 1 && folder[1] == ':') return folder.size() > 2 && IsSlash(folder[2]) ? 3 : 2;
  if (folder.size() > 1 && IsSlash(folder[0]) && IsSlash(folder[1])) {
    std::size_t p = 2;
    for (int part = 0; part < 2 && p < folder.size(); ++part) {
      while (p < folder.size() && !IsSlash(folder[p])) ++p;
      if (p < folder.size()) ++p;
    }
    return p;
  }
  return 0;
}

std::vector<std::string> SplitParts(std::string_view text) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : text) {
    if (IsSlash(c)) {
      if (!part.empty()) parts.push_back(std::move(part));
      part.clear();
    } else {
      part.push_back(c);
    }
  }
  if (!part.empty()) parts.push_back(std::move(part));
  return parts;
}

}  // namespace

std::string ResolvePath(std::string_view path, std::string_view base) {
  if (path.empty() || IsAbsolutePath(path)) return std::string(path);
  const std::string folder = IncludeSlash(base.empty() ? ProgramDir() : std::string(base));
  // The result is written the way the base is: a native folder gives a native path.
  const char separator = folder[0] == '/' ? '/' : '\\';
  const std::size_t root = RootLength(folder);
  std::vector<std::string> parts = SplitParts(std::string_view(folder).substr(root));
  const std::vector<std::string> named = SplitParts(path);
  // ".." takes back the part before it, whether that came from the name or from the base, so that
  // "sub\..\x" names "x" beside "sub"; above the root there is nothing to climb to.
  for (const std::string& part : named) {
    if (part == ".") continue;
    if (part == ".." && !parts.empty() && parts.back() != "..") {
      parts.pop_back();
    } else if (part != ".." || root == 0) {
      parts.push_back(part);
    }
  }
  std::string result = folder.substr(0, root);
  for (char& c : result)
    if (IsSlash(c)) c = separator;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) result.push_back(separator);
    result += parts[i];
  }
  // A name ending in a separator, "." or ".." names a folder, and folders end with a separator.
  const bool namesFolder =
      IsSlash(path.back()) || (!named.empty() && (named.back() == "." || named.back() == ".."));
  if (namesFolder && !parts.empty()) result.push_back(separator);
  return result;
}

std::string IncludeSlash(std::string_view path) {
  if (path.empty() || IsSlash(path.back())) return std::string(path);
  // Native folders keep native separators, so messages show paths the way the user knows them.
  return std::string(path) + (path[0] == '/' ? "/" : "\\");
}

std::string ExcludeSlash(std::string_view path) {
  if (!path.empty() && IsSlash(path.back())) path.remove_suffix(1);
  return std::string(path);
}

std::string ExtractFileName(std::string_view path) {
  std::size_t p = path.size();
  while (p > 0 && !IsSlash(path[p - 1]) && path[p - 1] != ':') --p;
  return std::string(path.substr(p));
}

std::string ExtractFilePath(std::string_view path) {
  std::size_t p = path.size();
  while (p > 0 && !IsSlash(path[p - 1]) && path[p - 1] != ':') --p;
  return std::string(path.substr(0, p));
}

std::string ExtractFileExt(std::string_view path) {
  const std::string name = ExtractFileName(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string TempDir() {
  return IncludeSlash(platform::FromNative(QDir::tempPath()));
}

std::string WindowsDir() {
  // No system folder of our own to write to here; the user's data folder takes its place.
  QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/remont";
  QDir().mkpath(dir);
  return IncludeSlash(platform::FromNative(dir));
}

std::string TempFileName(std::string_view folder, std::string_view prefix) {
  // The prefix is not looked up on the disk: a file that happens to match it in another case must
  // not change the name asked for.
  const QString dir = QDir(platform::NativePath(std::string(folder))).absolutePath();
  QTemporaryFile file(dir + '/' + cp1251::ToQString(prefix) + "XXXXXX.tmp");
  file.setAutoRemove(false);
  if (!file.open()) return {};
  return platform::FromNative(QFileInfo(file.fileName()).absoluteFilePath());
}

std::string LongPathName(std::string_view path) {
  if (path.empty()) return {};
  // A drive path names no disk here: it is only tidied, each part as written.
  if (path.size() > 1 && path[1] == ':') {
    const std::string root = std::string(path.substr(0, 2)) + "\\";
    const std::string_view rest = path.substr(path.size() > 2 && IsSlash(path[2]) ? 3 : 2);
    const std::string result = rest.empty() ? root : ResolvePath(rest, root);
    return result.size() > root.size() ? ExcludeSlash(result) : result;
  }
  QString name = cp1251::ToQString(path);
  name.replace('\\', '/');
  // Climbing is done on the written names first, so that a missing part before a ".." does not stop
  // the lookup of the parts after it.
  const QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(name));
  const std::string result = platform::FromNative(platform::NativePath(platform::FromNative(absolute)));
  return result.size() > 1 ? ExcludeSlash(result) : result;
}
