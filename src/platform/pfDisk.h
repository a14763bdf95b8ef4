// The disk boundary. Names inside the program are Windows-style 1251 text: backslashes (forward
// slashes are accepted too) and letter case that need not match the disk. A manual written on
// Windows must work unchanged from a folder of loose files on Linux, so every part of a name is
// looked up on the disk without regard to case, the way the original file system treated it.
#pragma once

#include <QString>
#include <string>

namespace platform {

// The real path of a 1251 name: separators turned into '/', and each part replaced by the entry
// of its folder that matches it exactly or, failing that, without regard to case. Parts that
// match nothing are kept as written, so the result names where the file would be.
QString NativePath(const std::string& name);

// A native path back to 1251 (characters 1251 cannot hold become '?').
std::string FromNative(const QString& path);

bool DiskFileExists(const std::string& name);

// Reads a whole regular file; false when it cannot be opened.
bool ReadDiskFile(const std::string& name, std::string& out);

// The program's folder as the rest of the program sees it; the viewer sets its own folder, the
// tool the folder of the manual it works on. Always ends with '/'.
void SetProgramFolder(const QString& folder);
QString ProgramFolder();

}  // namespace platform
