#include "archive/gPackWriter.h"

#include <cstdint>

#include "archive/gPack.h"

namespace {

void PutInt32(std::string& out, std::int64_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

}  // namespace

std::string BuildArchive(const std::vector<TPackSource>& files) {
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
