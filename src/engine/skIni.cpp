#include "engine/skIni.h"

#include "util/cp1251.h"
#include "util/uUtils.h"

namespace {

std::string TrimBlanks(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return std::string(s.substr(b, e - b));
}

}  // namespace

void TIniFile::Parse(const std::string& text) {
  sections_.clear();
  Section* current = nullptr;
  std::size_t pos = 0;
  int lineNo = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = TrimBlanks(std::string_view(text).substr(pos, end - pos));
    ++lineNo;
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    pos = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      const std::size_t close = line.find(']');
      sections_.push_back(
          {TrimBlanks(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)),
           {},
           lineNo});
      current = &sections_.back();
      continue;
    }
    const std::size_t eq = line.find('=');
    if (!current || eq == std::string::npos) continue;
    std::string value = TrimBlanks(std::string_view(line).substr(eq + 1));
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
      value = value.substr(1, value.size() - 2);
    if (value.size() > kMaxValue) value.resize(kMaxValue);
    current->keys.push_back({TrimBlanks(std::string_view(line).substr(0, eq)), std::move(value), lineNo});
  }
}

const TIniFile::Section* TIniFile::FindSection(const std::string& name) const {
  for (const Section& s : sections_)
    if (cp1251::SameText(s.name, name)) return &s;
  return nullptr;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const {
  if (const Section* s = FindSection(section))
    for (const Key& k : s->keys)
      if (cp1251::SameText(k.name, key)) return k.value;
  return def;
}

bool TIniFile::HasKey(const std::string& section, const std::string& key) const {
  if (const Section* s = FindSection(section))
    for (const Key& k : s->keys)
      if (cp1251::SameText(k.name, key)) return true;
  return false;
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
  std::vector<std::string> names;
  if (const Section* s = FindSection(section))
    for (const Key& k : s->keys) names.push_back(k.name);
  return names;
}
