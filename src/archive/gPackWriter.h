// Writes archives in the reader's format. Only the authors' tool and the tests write archives;
// the viewer never does.
#pragma once

#include <string>
#include <vector>

struct TPackSource {
  std::string name;   // 1251, as stored: lower case, backslashes
  std::string bytes;  // plain data; scrambled on the way out when `scramble` is set
  bool scramble = false;
};

// The whole archive image: header, data in the order given, directory at the end. Throws
// std::length_error for a name over 255 bytes or an image over 2 GiB, which the format cannot hold.
std::string BuildArchive(const std::vector<TPackSource>& files);
