// The reader of structure files: INI text in 1251. Section and key names are found without regard
// to case; values lose surrounding blanks and one pair of matching quotes, and are cut at 2047
// characters; lines starting with ";" are comments.
#pragma once

#include <string>
#include <vector>

class TIniFile {
 public:
  struct Key {
    std::string name;
    std::string value;
    int line = 0;  // 1-based line of the file, for messages
  };
  struct Section {
    std::string name;
    std::vector<Key> keys;
    int line = 0;
  };

  TIniFile() = default;
  explicit TIniFile(const std::string& text) { Parse(text); }
  void Parse(const std::string& text);

  // Sections in file order, repeats included.
  const std::vector<Section>& Sections() const { return sections_; }
  // The first section of that name, or nullptr.
  const Section* FindSection(const std::string& name) const;
  // The value of the first key of that name in the first section of that name; `def` when absent.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def = {}) const;
  bool HasKey(const std::string& section, const std::string& key) const;
  // Key names of the first section of that name, in file order.
  std::vector<std::string> ReadSection(const std::string& section) const;

  static constexpr std::size_t kMaxValue = 2047;

 private:
  std::vector<Section> sections_;
};
