// Small fixtures shared by the tests: a scratch folder, a recording desktop per test, and the
// tool run as a separate process.
#pragma once

#include <QTemporaryDir>
#include <string>

#include "platform/pfDesktop.h"

namespace testing_support {

// A fresh recording desktop for one test; the messages it shows are in `desktop.messages`.
struct DesktopScope {
  platform::RecordingDesktop desktop;
  platform::ScopedDesktop scope{&desktop};
};

// Writes `bytes` to `dir/relative`, making folders as needed; returns the native path.
QString WriteFile(const QTemporaryDir& dir, const QString& relative, const std::string& bytes);

struct ToolResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs remont-tool with UTF-8 arguments; `workdir` is the current folder of the child.
ToolResult RunTool(const QStringList& args, const QString& workdir = QString());

// The 1251 bytes of a UTF-8 literal.
std::string W(const char* utf8);

}  // namespace testing_support
