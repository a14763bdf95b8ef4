#include "archive/gPackWriter.h"

#include <climits>
#include <cstdint>
#include <stdexcept>

#include "archive/gPack.h"

namespace {

void PutInt32(std::string& out, std::int64_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

}  // namespace

std::string BuildArchive(const std::vector<TPackSource>& files) {
  // The directory keeps a name's length in one byte and sizes and offsets in signed 32 bits; what
  // does not fit would come out as a damaged archive that reads back wrong without a word.
  constexpr std::int64_t kLimit = INT32_MAX;
  std::int64_t total = 15;
  for (const TPackSource& f : files) {
    if (f.name.size() > 255) throw std::length_error("archive entry name longer than 255 bytes: " + f.name);
    total += static_cast<std::int64_t>(f.bytes.size()) + static_cast<std::int64_t>(f.name.size()) + 10;
  }
  if (total > kLimit) throw std::length_error("archive larger than 2 GiB");
  std::string out(kArchiveSignature, 3);
  PutInt32(out, 0);
  PutInt32(out, 0);  // directory offset, set below
  PutInt32(out, 0);
  std::vector<std::int64_t> offsets;
  offsets.reserve(files.size());
  for (const TPackSource& f : files) {
    offsets.push_back(static_cast<std::int64_t>(out.size()));
    if (f.scramble) {
      for (char c : f.bytes) out.push_back(static_cast<char>(static_cast<unsigned char>(c) ^ kArchiveKey));
    } else {
      out.append(f.bytes);
    }
  }
  const std::string offsetBytes = [&] {
    std::string s;
    PutInt32(s, static_cast<std::int64_t>(out.size()));
    return s;
  }();
  out.replace(7, 4, offsetBytes);
  for (std::size_t i = 0; i < files.size(); ++i) {
    const TPackSource& f = files[i];
    out.push_back(static_cast<char>(static_cast<unsigned char>(f.name.size())));
    out.append(f.name);
    PutInt32(out, static_cast<std::int64_t>(f.bytes.size()));
    PutInt32(out, offsets[i]);
    out.push_back(f.scramble ? 1 : 0);
  }
  return out;
}
