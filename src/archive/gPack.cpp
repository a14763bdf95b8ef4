#include "archive/gPack.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "platform/pfDesktop.h"
#include "platform/pfDisk.h"
#include "util/cp1251.h"
#include "util/uUtils.h"

namespace {

// The one open archive of the program.
struct TDatPack {
  std::int32_t directoryOffset = 0;
  std::int32_t reserved = 0;
  qint64 headerEnd = 0;
  int count = 0;
  QFile file;
  qint64 fileSize = 0;
  std::vector<TData> directory;
  // Name -> index of its last entry, built once so that a lookup does not scan the directory.
  std::unordered_map<std::string_view, int> index;
  std::string path;
  std::string folder;
  bool folderSet = false;
};

TDatPack& pack() {
  static TDatPack p;
  return p;
}

std::string& folder() {
  TDatPack& p = pack();
  if (!p.folderSet) {
    p.folder = ProgramDir();
    p.folderSet = true;
  }
  return p.folder;
}

std::int32_t ReadInt32(const unsigned char* p) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                   static_cast<std::uint32_t>(p[2]) << 16 |
                                   static_cast<std::uint32_t>(p[3]) << 24);
}

class DirectoryError {};

[[noreturn]] void WrongSignature() {
  static const std::string kMessage = cp1251::FromUtf8("Неверная сигнатура архива");
  platform::ShowMessage(kMessage, platform::MessageKind::Error);
  throw DirectoryError{};
}

void ReadDirectory(TDatPack& p) {
  p.fileSize = p.file.size();
  if (p.fileSize == 0) return;  // an empty archive is open and holds nothing
  unsigned char header[kArchiveHeaderSize];
  if (p.file.read(reinterpret_cast<char*>(header), sizeof header) != static_cast<qint64>(sizeof header)) {
    // Too short even for a signature: a signature that is not there is a wrong signature.
    if (p.fileSize < 3 || std::memcmp(header, kArchiveSignature, 3) != 0) WrongSignature();
    throw DirectoryError{};
  }
  p.headerEnd = p.file.pos();
  if (std::memcmp(header, kArchiveSignature, 3) != 0) WrongSignature();
  p.directoryOffset = ReadInt32(header + 7);
  p.reserved = ReadInt32(header + 11);
  p.count = 0;
  if (p.directoryOffset < 0 || p.directoryOffset >= p.fileSize) throw DirectoryError{};
  if (!p.file.seek(p.directoryOffset)) throw DirectoryError{};
  const QByteArray raw = p.file.read(p.fileSize - p.directoryOffset);
  const auto* data = reinterpret_cast<const unsigned char*>(raw.constData());
  const std::size_t end = static_cast<std::size_t>(raw.size());
  std::size_t pos = 0;
  do {
    if (pos >= end) throw DirectoryError{};
    TData entry;
    entry.nameLength = data[pos++];
    if (end - pos < entry.nameLength + 9u) throw DirectoryError{};
    entry.name.assign(reinterpret_cast<const char*>(data + pos), entry.nameLength);
    pos += entry.nameLength;
    entry.size = ReadInt32(data + pos);
    entry.offset = ReadInt32(data + pos + 4);
    entry.flag = data[pos + 8];
    pos += 9;
    p.directory.push_back(std::move(entry));
    ++p.count;
  } while (pos < end);
  p.index.reserve(p.directory.size());
  for (int i = 0; i < static_cast<int>(p.directory.size()); ++i)
    p.index[p.directory[static_cast<std::size_t>(i)].name] = i;  // later entries win
}

// A name given with its absolute folder is taken to lie inside the archive folder.
std::string StripArchiveFolder(const std::string& name) {
  const std::string& dir = folder();
  if (name.size() > 1 && name[1] == ':' && name.size() >= dir.size())
    return cp1251::Lower(name.substr(dir.size()));
  if (!name.empty() && name[0] == '/' && name.size() >= dir.size() &&
      cp1251::SameText(name.substr(0, dir.size()), dir)) {
    // A native path separates its parts with "/", the archive with "\".
    std::string inner = cp1251::Lower(name.substr(dir.size()));
    std::replace(inner.begin(), inner.end(), '/', '\\');
    return inner;
  }
  return name;
}

}  // namespace

TPack::TPack(const std::string& name) {
  LoadPackFile(bytes_, name);
}

bool OpenArchive(const std::string& path) {
  TDatPack& p = pack();
  folder() = ProgramDir();
  if (!platform::DiskFileExists(path)) return false;
  if (!p.path.empty()) CloseArchive();  // reopening the same archive reads it afresh
  p.path = path;
  const std::string dir = ExtractFilePath(path);
  if (!dir.empty()) p.folder = dir;
  p.file.setFileName(platform::NativePath(path));
  try {
    if (!p.file.open(QIODevice::ReadOnly)) throw DirectoryError{};
    ReadDirectory(p);
  } catch (const DirectoryError&) {
    CloseArchive();
    return false;
  }
  return true;
}

void CloseArchive() {
  TDatPack& p = pack();
  p.index.clear();
  p.directory.clear();
  p.directory.shrink_to_fit();
  if (p.file.isOpen()) p.file.close();
  p.count = 0;
  p.path.clear();
}

bool ArchiveIsOpen() {
  return !pack().path.empty();
}
std::string ArchiveFolder() {
  return folder();
}
const std::vector<TData>& ArchiveDirectory() {
  return pack().directory;
}

int FindEntry(const std::string& name) {
  const TDatPack& p = pack();
  if (p.index.empty()) return -1;
  const auto it = p.index.find(cp1251::Lower(name));
  return it == p.index.end() ? -1 : it->second;
}

bool ReadEntry(std::string& stream, int index) {
  TDatPack& p = pack();
  stream.clear();
  if (index < 0 || index >= static_cast<int>(p.directory.size())) return false;
  const TData& e = p.directory[static_cast<std::size_t>(index)];
  // A damaged entry must never read garbage or ask for a huge buffer: its bytes must lie in the
  // data area between the header and the directory.
  if (e.offset < static_cast<std::int32_t>(kArchiveHeaderSize) || e.size < 0 ||
      static_cast<qint64>(e.offset) + e.size > p.directoryOffset)
    return false;
  if (!p.file.seek(e.offset)) return false;
  stream.resize(static_cast<std::size_t>(e.size));
  const qint64 got = p.file.read(stream.data(), e.size);
  if (got != e.size) {
    stream.clear();
    return false;
  }
  if (e.flag == 1)
    for (char& c : stream) c = static_cast<char>(static_cast<unsigned char>(c) ^ kArchiveKey);
  return true;
}

void LoadPackFile(std::string& stream, const std::string& name) {
  stream.clear();
  if (name.empty()) return;
  const std::string inner = StripArchiveFolder(name);
  const std::string diskPath = ResolvePath(inner, folder());
  const int index = FindEntry(inner);
  if (index >= 0 && ReadEntry(stream, index)) return;
  if (platform::ReadDiskFile(diskPath, stream)) return;
  static const std::string kNotFound = cp1251::FromUtf8("Не найден файл \r\n");
  platform::ShowMessage(kNotFound + name, platform::MessageKind::Error);
}

std::unique_ptr<TPack> OpenPackFile(const std::string& name) {
  return std::make_unique<TPack>(name);
}

QImage LoadPackBitmap(const std::string& name) {
  const TPack file(name);
  const bool bmp = cp1251::Lower(ExtractFileExt(name)) == ".bmp";
  QImage image;
  const auto* data = reinterpret_cast<const uchar*>(file.bytes().data());
  const int size = static_cast<int>(file.size());
  if (!image.loadFromData(data, size, bmp ? "BMP" : "JPEG")) {
    // Names do not always tell the truth about their contents; a picture is a picture.
    if (!image.loadFromData(data, size))
      throw EPictureError(cp1251::FromUtf8(bmp ? "Неверный формат рисунка BMP: " : "Ошибка JPEG: ") + name);
  }
  return image;
}

bool PackFileExists(const std::string& name) {
  const std::string inner = StripArchiveFolder(name);
  if (FindEntry(inner) >= 0) return true;
  return platform::DiskFileExists(ProgramPath(inner));
}

std::string ExtractToTemp(const std::string& name) {
  const std::string dir = IncludeSlash(LongPathName(TempDir()));
  const std::string tempPath = TempFileName(dir, "BMA");
  const TPack file(name);
  QFile out(platform::NativePath(tempPath));
  if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
    out.write(file.bytes().data(), static_cast<qint64>(file.size()));
  return tempPath;
}
