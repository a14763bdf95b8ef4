#include "tokenizer/hpReg.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <utility>
#include <vector>

#include "util/cp1251.h"

namespace {

constexpr std::array<const char*, 256> kEntityNames = [] {
  std::array<const char*, 256> names{};
  names['"'] = "quot";
  names['&'] = "amp";
  names['<'] = "lt";
  names['>'] = "gt";
  constexpr const char* kLatin1[96] = {
      "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",
      "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",
      "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12",
      "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil",
      "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde",
      "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",
      "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",
      "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",
      "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
      "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};
  for (int i = 0; i < 96; ++i) names[160 + i] = kLatin1[i];
  return names;
}();

struct TEntityIndex {
  std::vector<std::pair<std::string_view, int>> byName;
  TEntityIndex() {
    for (int b = 0; b < 256; ++b)
      if (kEntityNames[b]) byName.emplace_back(kEntityNames[b], b);
    std::sort(byName.begin(), byName.end());
  }
};

const TEntityIndex& EntityIndex() {
  static const TEntityIndex index;
  return index;
}

// Byte classes, looked up once per character in the markup loops.
enum : unsigned char { kWhite = 1, kNameEnd = 2, kAttrNameEnd = 4 };

constexpr std::array<unsigned char, 256> kClass = [] {
  std::array<unsigned char, 256> c{};
  for (unsigned char w : {'\t', '\n', '\r', ' '}) c[w] = kWhite | kNameEnd | kAttrNameEnd;
  c['>'] = kNameEnd | kAttrNameEnd;
  c['='] = kAttrNameEnd;
  return c;
}();

inline bool Is(char ch, unsigned char cls) {
  return (kClass[static_cast<unsigned char>(ch)] & cls) != 0;
}

int DigitValue(char c, int base) {
  if (c >= '0' && c <= '9') return c - '0';
  if (base == 16) {
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  }
  return -1;
}

// The byte a reference (the text between "&" and ";") stands for, or -1 to leave it as written.
int ReferenceByte(std::string_view ref) {
  if (ref.empty() || ref[0] != '#') return HtmlEntityByte(ref);
  const bool hex = ref.size() >= 2 && (ref[1] == 'x' || ref[1] == 'X');
  const std::string_view digits = ref.substr(hex ? 2 : 1);
  if (digits.empty()) return -1;
  const int base = hex ? 16 : 10;
  char32_t value = 0;
  bool beyondUnicode = false;
  for (char c : digits) {
    const int d = DigitValue(c, base);
    if (d < 0) return -1;
    if (!beyondUnicode) {
      value = value * base + static_cast<char32_t>(d);
      beyondUnicode = value > 0x10FFFF;
    }
  }
  // Up to 255 the number is the byte itself, as pages of the manual have always been read. Above,
  // it names a Unicode character: keeping its low eight bits turned Cyrillic into Latin letters
  // ("&#1090;" into "B"), so it becomes the 1251 byte of that character, or stays as written.
  if (beyondUnicode) return -1;
  if (value <= 0xFF) return static_cast<int>(value);
  return cp1251::FromUnicode(value);
}

bool IsScriptName(std::string_view name) {
  static constexpr std::string_view kScript = "script";
  if (name.size() != kScript.size()) return false;
  for (std::size_t i = 0; i < kScript.size(); ++i)
    if ((name[i] | 0x20) != kScript[i]) return false;
  return true;
}

// Position of the next "</SCRIPT>" from `from`, ignoring ASCII case; npos if none.
std::size_t FindScriptClose(const char* s, std::size_t n, std::size_t from) {
  static constexpr char kClose[] = "</script>";
  constexpr std::size_t kLen = sizeof(kClose) - 1;
  while (n - from >= kLen) {
    const void* lt = std::memchr(s + from, '<', n - from - kLen + 1);
    if (!lt) return std::string_view::npos;
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(lt) - s);
    std::size_t i = 1;
    while (i < kLen && (s[at + i] | (kClose[i] >= 'a' ? 0x20 : 0)) == kClose[i]) ++i;
    if (i == kLen) return at;
    from = at + 1;
  }
  return std::string_view::npos;
}

std::size_t FindDoubleDash(const char* s, std::size_t n, std::size_t from) {
  while (from + 1 < n) {
    const void* dash = std::memchr(s + from, '-', n - from - 1);
    if (!dash) return std::string_view::npos;
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(dash) - s);
    if (s[at + 1] == '-') return at;
    from = at + 2;  // s[at + 1] is not a dash, so no pair starts there
  }
  return std::string_view::npos;
}

int OneBased(std::size_t at) {
  return at >= static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(at + 1);
}

}  // namespace

const char* HtmlEntityName(unsigned char byte) {
  return kEntityNames[byte];
}

int HtmlEntityByte(std::string_view name) {
  const auto& byName = EntityIndex().byName;
  const auto it = std::lower_bound(byName.begin(), byName.end(), name,
                                   [](const auto& entry, std::string_view key) { return entry.first < key; });
  return it != byName.end() && it->first == name ? it->second : -1;
}

std::string_view DecodeCharRefs(std::string_view text, std::string& scratch) {
  constexpr auto npos = std::string_view::npos;
  std::size_t amp = text.find('&');
  if (amp == npos) return text;
  scratch.assign(text.data(), amp);
  std::size_t semi = 0;  // the next ";" after amp, found once and reused so that many "&" stay linear
  while (amp != npos) {
    if (semi <= amp) semi = text.find(';', amp + 1);
    if (semi == npos) {
      scratch.append(text.substr(amp));
      break;
    }
    const std::size_t next = text.find('&', amp + 1);
    if (next < semi) {
      scratch.append(text.substr(amp, next - amp));
      amp = next;
      continue;
    }
    const int byte = ReferenceByte(text.substr(amp + 1, semi - amp - 1));
    if (byte >= 0)
      scratch.push_back(static_cast<char>(byte));
    else
      scratch.append(text.substr(amp, semi - amp + 1));
    scratch.append(text.substr(semi + 1, (next == npos ? text.size() : next) - semi - 1));
    amp = next;
  }
  return scratch;
}

TLegHtmlParser::TLegHtmlParser() {
  attributes_.reserve(200);
}

void TLegHtmlParser::SetContent(TStrings lines) {
  content_ = std::move(lines);
  text_.reset();
}

void TLegHtmlParser::SetText(std::string text) {
  text_ = std::make_shared<const std::string>(std::move(text));
}

const std::string& TLegHtmlParser::Text() const {
  static const std::string kEmpty;
  return text_ ? *text_ : kEmpty;
}

void TLegHtmlParser::Execute() {
  if (running_) return;
  if (Text().empty() && !endParser_) {
    std::size_t size = 0;
    for (const std::string& line : content_) size += line.size() + 2;
    std::string joined;
    joined.reserve(size);
    for (const std::string& line : content_) joined.append(line).append("\r\n");
    text_ = std::make_shared<const std::string>(std::move(joined));
  }
  const std::shared_ptr<const std::string> text = text_;
  s_ = text ? text->data() : "";
  n_ = text ? text->size() : 0;
  p_ = 0;
  mode_ = TMode::Normal;
  error_ = 0;
  stop_ = false;

  struct TRunning {
    bool& flag;
    explicit TRunning(bool& f) : flag(f) { flag = true; }
    ~TRunning() { flag = false; }
  } running(running_);

  while (p_ < n_ && !stop_) {
    attributes_.clear();
    Step();
    if (error_ != 0) {
      if (OnError) {
        bool abort = false;
        OnError(*this, error_, OneBased(errorAt_), abort);
        if (abort) break;
      }
      error_ = 0;
    }
  }
}

void TLegHtmlParser::Step() {
  if (mode_ == TMode::Script)
    ScriptStep();
  else if (s_[p_] == '<')
    MarkupStep();
  else
    TextStep();
}

void TLegHtmlParser::Fail(int code, std::size_t at) {
  error_ = code;
  errorAt_ = at;
}

void TLegHtmlParser::FailAtEnd(int code) {
  p_ = n_;
  Fail(code, n_);
}

void TLegHtmlParser::SkipWhite() {
  while (p_ < n_ && Is(s_[p_], kWhite)) ++p_;
}

void TLegHtmlParser::SkipLineBreak() {
  if (p_ < n_ && s_[p_] == '\r') {
    ++p_;
    if (p_ < n_ && s_[p_] == '\n') ++p_;
  }
}

std::string_view TLegHtmlParser::Decoded(std::string_view raw) {
  return translate_ ? DecodeCharRefs(raw, scratch_) : raw;
}

void TLegHtmlParser::TextStep() {
  const std::size_t from = p_;
  const void* lt = std::memchr(s_ + p_, '<', n_ - p_);
  p_ = lt ? static_cast<std::size_t>(static_cast<const char*>(lt) - s_) : n_;
  const char* run = s_ + from;
  std::size_t len = p_ - from;
  if (const void* gt = std::memchr(run, '>', len)) {
    Fail(errGtInText, static_cast<std::size_t>(static_cast<const char*>(gt) - s_));
    return;
  }
  if (len > 0 && run[len - 1] == '\n') {
    --len;
    if (len > 0 && run[len - 1] == '\r') --len;
  } else if (len > 0 && run[len - 1] == '\r') {
    --len;
  }
  if (len == 0) return;
  if (OnBlock) OnBlock(*this, std::string_view(run, len));
  if (!OnText) return;
  std::size_t first = 0;
  while (first < len && static_cast<unsigned char>(run[first]) <= 32) ++first;
  while (len > first && static_cast<unsigned char>(run[len - 1]) <= 32) --len;
  if (first == len) return;
  OnText(*this, Decoded(std::string_view(run + first, len - first)));
}

void TLegHtmlParser::MarkupStep() {
  const std::size_t from = p_++;
  if (n_ - p_ >= 3 && s_[p_] == '!' && s_[p_ + 1] == '-' && s_[p_ + 2] == '-') {
    CommentStep(from);
    return;
  }
  SkipWhite();
  if (p_ >= n_) return FailAtEnd(errTextEnds);
  const bool declaration = s_[p_] == '!';
  std::size_t nameFrom;
  if (declaration) {
    nameFrom = ++p_;
    const void* gt = std::memchr(s_ + p_, '>', n_ - p_);
    if (!gt) return FailAtEnd(errTextEnds);
    p_ = static_cast<std::size_t>(static_cast<const char*>(gt) - s_);
  } else {
    nameFrom = p_;
    while (p_ < n_ && !Is(s_[p_], kNameEnd)) ++p_;
    if (p_ >= n_) return FailAtEnd(errTextEnds);
  }
  const std::string_view name(s_ + nameFrom, p_ - nameFrom);
  if (!declaration) {
    if (!name.empty() && !ReadAttributes()) return;
    if (IsScriptName(name)) mode_ = TMode::Script;
  }
  if (p_ >= n_) return FailAtEnd(errTextEnds);
  if (const void* lt = std::memchr(s_ + from + 1, '<', p_ - from)) {
    Fail(errLtInTag, static_cast<std::size_t>(static_cast<const char*>(lt) - s_));
    return;
  }
  if (OnBlock) OnBlock(*this, std::string_view(s_ + from, p_ - from + 1));
  if (declaration) {
    if (OnDTDTag) OnDTDTag(*this, Decoded(name));
  } else if (OnTag) {
    OnTag(*this, Decoded(name), attributes_);
  }
  ++p_;
  SkipLineBreak();
}

bool TLegHtmlParser::ReadAttributes() {
  const auto endsInside = [this] {
    FailAtEnd(errTextEnds);
    return false;
  };
  while (p_ < n_ && s_[p_] != '>') {
    SkipWhite();
    if (p_ >= n_) return endsInside();
    const std::size_t nameFrom = p_;
    while (p_ < n_ && !Is(s_[p_], kAttrNameEnd)) ++p_;
    if (p_ >= n_) return endsInside();
    if (p_ == nameFrom) return true;
    const std::string_view name(s_ + nameFrom, p_ - nameFrom);
    SkipWhite();
    if (p_ >= n_) return endsInside();
    if (s_[p_] != '=') continue;  // an attribute without a value is dropped
    ++p_;
    SkipWhite();
    if (p_ >= n_) return endsInside();
    std::string_view value;
    const char mark = s_[p_];
    if (mark == '"' || mark == '\'') {
      const std::size_t valueFrom = p_ + 1;
      const void* close = std::memchr(s_ + valueFrom, mark, n_ - valueFrom);
      if (!close) return endsInside();
      const std::size_t valueEnd = static_cast<std::size_t>(static_cast<const char*>(close) - s_);
      value = std::string_view(s_ + valueFrom, valueEnd - valueFrom);
      p_ = valueEnd + 1;
    } else {
      const std::size_t valueFrom = p_;
      while (p_ < n_ && !Is(s_[p_], kNameEnd)) ++p_;
      if (p_ >= n_) return endsInside();
      value = std::string_view(s_ + valueFrom, p_ - valueFrom);
    }
    // Only OnTag sees the lines; the text-only path skips building them.
    if (OnTag) AddAttribute(name, value);
  }
  return true;
}

void TLegHtmlParser::AddAttribute(std::string_view name, std::string_view value) {
  std::string line(Decoded(name));
  line.push_back('=');
  line.append(Decoded(value));
  attributes_.push_back(std::move(line));
}

void TLegHtmlParser::CommentStep(std::size_t from) {
  p_ += 3;
  const std::size_t bodyFrom = p_;
  std::size_t bodyEnd;
  for (;;) {
    const std::size_t dashes = FindDoubleDash(s_, n_, p_);
    if (dashes == std::string_view::npos) return FailAtEnd(errCommentOpen);
    bodyEnd = dashes;
    p_ = dashes;
    while (s_[p_] == '-' && p_ + 1 < n_) ++p_;
    SkipWhite();
    if (p_ >= n_) return FailAtEnd(errTextEnds);
    if (s_[p_] == '>') break;
    // Those dashes did not close the comment: they belong to its body, which goes on.
  }
  if (OnBlock) OnBlock(*this, std::string_view(s_ + from, p_ - from + 1));
  const std::string_view body(s_ + bodyFrom, bodyEnd - bodyFrom);
  if (mode_ == TMode::ScriptComment) {
    if (OnScript) OnScript(*this, body);
  } else if (OnComment) {
    OnComment(*this, body);
  }
  mode_ = TMode::Normal;
  ++p_;
  SkipLineBreak();
}

void TLegHtmlParser::ScriptStep() {
  const std::size_t mark = p_;
  SkipWhite();
  if (p_ >= n_) return FailAtEnd(errScriptOpen);
  if (n_ - p_ >= 4 && std::memcmp(s_ + p_, "<!--", 4) == 0) {
    // The comment is read by the next step and reported as the script body.
    mode_ = TMode::ScriptComment;
    return;
  }
  p_ = mark;
  const std::size_t close = FindScriptClose(s_, n_, p_);
  if (close == std::string_view::npos) return FailAtEnd(errScriptOpen);
  const std::string_view body(s_ + p_, close - p_);
  if (OnBlock) OnBlock(*this, body);
  if (OnScript) OnScript(*this, body);
  p_ = close;
  mode_ = TMode::Normal;
}
