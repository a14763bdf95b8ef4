#include "toolCommon.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "archive/gPack.h"
#include "platform/pfDisk.h"
#include "util/cp1251.h"

namespace tool {

std::string To1251(const std::string& utf8, const char* what) {
  bool ok = false;
  std::string text = cp1251::FromUtf8(utf8, &ok);
  if (!ok)
    throw ToolError(std::string(what) + " '" + utf8 + "' holds characters that Windows-1251 cannot hold");
  return text;
}

bool EnterManual(const std::string& sourceUtf8) {
  const QFileInfo source(QString::fromUtf8(sourceUtf8));
  if (!source.exists()) throw ToolError("no such file or folder: " + sourceUtf8);
  const QString folder = source.isDir() ? source.absoluteFilePath() : source.absolutePath();
  platform::SetProgramFolder(folder);
  QDir::setCurrent(folder);
  if (source.isDir()) return false;
  return OpenArchive(platform::FromNative(source.absoluteFilePath()));
}

void WriteRaw(const std::string& bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void WriteLine(const std::string& utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fputc('\n', stdout);
}

std::string Escape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

platform::RecordingDesktop& ToolDesktop() {
  static platform::RecordingDesktop d;
  d.echo = true;
  return d;
}

}  // namespace tool
