// The content archive: every file of the manual is read through here, from the open archive or,
// when the archive lacks it, from the disk beside the archive. Callers never learn which.
#pragma once

#include <QImage>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Scrambled entries are stored with every byte exclusive-or'ed with this key. Archives can only be
// read with the key they were written with, so it lives here and nowhere else.
inline constexpr unsigned char kArchiveKey = 0xA5;

inline constexpr char kArchiveSignature[3] = {'B', 'M', 'A'};
inline constexpr std::size_t kArchiveHeaderSize = 15;  // signature, reserved, directory offset, reserved

// One directory entry, as stored.
struct TData {
  std::uint8_t nameLength = 0;
  std::string name;
  std::int32_t offset = 0;
  std::int32_t size = 0;
  std::uint8_t flag = 0;
};

// A memory stream holding one file of the manual; the position is where the next read starts.
class TPack {
 public:
  TPack() = default;
  explicit TPack(const std::string& name);  // fills itself through LoadPackFile

  std::string& bytes() { return bytes_; }
  const std::string& bytes() const { return bytes_; }
  std::size_t size() const { return bytes_.size(); }
  std::size_t position = 0;

 private:
  std::string bytes_;
};

// A picture that is neither BMP nor JPEG, or a damaged one.
class EPictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

bool OpenArchive(const std::string& path);
void CloseArchive();
bool ArchiveIsOpen();
// The folder files are looked for in beside the archive; ends with a separator.
std::string ArchiveFolder();
const std::vector<TData>& ArchiveDirectory();

int FindEntry(const std::string& name);
// Fills `stream` with entry `index`, unscrambled. False (stream empty) for a bad index or an entry
// whose bytes do not lie inside the archive file.
bool ReadEntry(std::string& stream, int index);
void LoadPackFile(std::string& stream, const std::string& name);
std::unique_ptr<TPack> OpenPackFile(const std::string& name);
QImage LoadPackBitmap(const std::string& name);
bool PackFileExists(const std::string& name);
std::string ExtractToTemp(const std::string& name);
