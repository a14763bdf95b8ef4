#include "tokenizer/hpReg.h"

#include <array>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>
#include <utility>

#include "util/cp1251.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Entity names are at most eight bytes, so each packs into one integer that compares exactly, case
// included; a small open-addressed table finds it without comparing strings.
constexpr std::uint64_t PackName(std::string_view name) {
  std::uint64_t key = 0;
  for (std::size_t i = 0; i < name.size(); ++i)
    key |= std::uint64_t{static_cast<unsigned char>(name[i])} << (8 * i);
  return key;
}

constexpr std::size_t kIndexBits = 9;
constexpr std::size_t IndexSlot(std::uint64_t key) {
  return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - kIndexBits));
}

struct TEntityIndex {
  std::array<std::uint64_t, std::size_t{1} << kIndexBits> keys{};  // 0: empty
  std::array<unsigned char, std::size_t{1} << kIndexBits> bytes{};
};

constexpr TEntityIndex kEntityIndex = [] {
  TEntityIndex index;
  for (std::size_t b = 0; b < 256; ++b) {
    if (!kEntityNames[b]) continue;
    const std::uint64_t key = PackName(kEntityNames[b]);
    std::size_t slot = IndexSlot(key);
    while (index.keys[slot] != 0) slot = (slot + 1) % index.keys.size();
    index.keys[slot] = key;
    index.bytes[slot] = static_cast<unsigned char>(b);
  }
  return index;
}();

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

// First byte of [p, end) equal to a, b or c, or end. Runs between markup are short, where one
// inline pass beats a library call for each byte sought.
inline const char* FindAny(const char* p, const char* end, char a, char b, char c) {
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi8(a), vb = _mm_set1_epi8(b), vc = _mm_set1_epi8(c);
  while (end - p >= 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hit =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, va), _mm_cmpeq_epi8(x, vb)), _mm_cmpeq_epi8(x, vc));
    if (const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hit)))
      return p + std::countr_zero(mask);
    p += 16;
  }
#endif
  for (; p < end; ++p)
    if (*p == a || *p == b || *p == c) return p;
  return end;
}

inline const char* FindByte(const char* p, const char* end, char a) {
  return FindAny(p, end, a, a, a);
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
  if (name.empty() || name.size() > 8) return -1;
  const std::uint64_t key = PackName(name);
  for (std::size_t slot = IndexSlot(key);; slot = (slot + 1) % kEntityIndex.keys.size()) {
    if (kEntityIndex.keys[slot] == key) return kEntityIndex.bytes[slot];
    if (kEntityIndex.keys[slot] == 0) return -1;
  }
}

std::string_view DecodeCharRefs(std::string_view text, std::string& scratch) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* amp = FindByte(begin, end, '&');
  if (amp == end) return text;
  // A reference is never shorter than what it becomes, so the result fits in the text's length; the
  // slack lets short pieces go as one 16-byte move.
  constexpr std::size_t kSlack = 16;
  if (scratch.size() < text.size() + kSlack) scratch.resize(text.size() + kSlack);
  char* const out = scratch.data();
  char* o = out;
  const auto copy = [&o, end](const char* from, const char* to) {
    const std::size_t len = static_cast<std::size_t>(to - from);
    if (len <= kSlack && end - from >= static_cast<std::ptrdiff_t>(kSlack))
      std::memcpy(o, from, kSlack);  // never reads past the text: 16 bytes from `from` lie inside it
    else
      std::memcpy(o, from, len);
    o += len;
  };
  copy(begin, amp);
  const char* semi = begin;  // the next ";" after amp, found once and reused so that many "&" stay linear
  while (amp != end) {
    if (semi <= amp) semi = FindByte(amp + 1, end, ';');
    if (semi == end) {
      copy(amp, end);
      break;
    }
    const char* const next = FindByte(amp + 1, end, '&');
    if (next < semi) {
      copy(amp, next);
      amp = next;
      continue;
    }
    const int byte = ReferenceByte(std::string_view(amp + 1, static_cast<std::size_t>(semi - amp - 1)));
    if (byte >= 0)
      *o++ = static_cast<char>(byte);
    else
      copy(amp, semi + 1);
    copy(semi + 1, next);
    amp = next;
  }
  return std::string_view(out, static_cast<std::size_t>(o - out));
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

inline void TLegHtmlParser::Step() {
  if (mode_ == TMode::Script)
    ScriptStep();
  else if (s_[p_] == '<')
    MarkupStep();
  else
    TextStep();
}

inline void TLegHtmlParser::Fail(int code, std::size_t at) {
  error_ = code;
  errorAt_ = at;
}

inline void TLegHtmlParser::FailAtEnd(int code) {
  p_ = n_;
  Fail(code, n_);
}

inline void TLegHtmlParser::SkipWhite() {
  while (p_ < n_ && Is(s_[p_], kWhite)) ++p_;
}

inline void TLegHtmlParser::SkipLineBreak() {
  if (p_ < n_ && s_[p_] == '\r') {
    ++p_;
    if (p_ < n_ && s_[p_] == '\n') ++p_;
  }
}

inline std::string_view TLegHtmlParser::Decoded(std::string_view raw) {
  return translate_ ? DecodeCharRefs(raw, scratch_) : raw;
}

void TLegHtmlParser::TextStep() {
  const char* const end = s_ + n_;
  const char* const run = s_ + p_;
  // One pass finds the run's end, a ">" that spoils it, and whether it holds any reference at all.
  const char* amp = nullptr;
  const char* q = run;
  for (;; ++q) {
    q = FindAny(q, end, '<', '>', '&');
    if (q == end || *q == '<') break;
    if (*q == '>') {
      Fail(errGtInText, static_cast<std::size_t>(q - s_));
      p_ = static_cast<std::size_t>(FindByte(q, end, '<') - s_);
      return;
    }
    if (!amp) amp = q;
  }
  p_ = static_cast<std::size_t>(q - s_);
  std::size_t len = static_cast<std::size_t>(q - run);
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
  const std::string_view text(run + first, len - first);
  OnText(*this, amp && translate_ ? DecodeCharRefs(text, scratch_) : text);
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
    p_ = static_cast<std::size_t>(FindByte(s_ + p_, s_ + n_, '>') - s_);
    if (p_ >= n_) return FailAtEnd(errTextEnds);
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
  if (const char* lt = FindByte(s_ + from + 1, s_ + p_ + 1, '<'); lt != s_ + p_ + 1) {
    Fail(errLtInTag, static_cast<std::size_t>(lt - s_));
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
      const std::size_t valueEnd = static_cast<std::size_t>(FindByte(s_ + valueFrom, s_ + n_, mark) - s_);
      if (valueEnd >= n_) return endsInside();
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
