// pack, list, cat, extract: the archive seen from the author's side.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <map>

#include "archive/gPack.h"
#include "archive/gPackWriter.h"
#include "platform/pfDisk.h"
#include "toolCommon.h"
#include "util/cp1251.h"
#include "util/uUtils.h"

namespace tool {
namespace {

QString Native(const std::string& utf8) {
  return QString::fromUtf8(utf8);
}

QByteArray ReadWhole(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) throw ToolError("cannot read " + path.toStdString());
  return f.readAll();
}

// Writes all or nothing: an interrupted or failed write leaves no half-written file behind.
void WriteWhole(const QString& path, const std::string& bytes) {
  QSaveFile out(path);
  if (!out.open(QIODevice::WriteOnly) ||
      out.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
      !out.commit())
    throw ToolError("cannot write " + path.toStdString());
}

std::vector<std::string> SplitExtensions(const std::string& list) {
  std::vector<std::string> out;
  QString all = QString::fromUtf8(list);
  for (QString ext : all.split(',', Qt::SkipEmptyParts)) {
    ext = ext.trimmed();
    if (ext.startsWith('.')) ext.remove(0, 1);
    out.push_back(cp1251::Lower(To1251(ext.toStdString(), "extension")));
  }
  return out;
}

void OpenOrFail(const std::string& fileUtf8) {
  const QFileInfo info(Native(fileUtf8));
  if (!info.isFile()) throw ToolError("no such archive: " + fileUtf8);
  ToolDesktop().messages.clear();
  if (!EnterManual(fileUtf8) || (!ArchiveIsOpen())) throw ToolError("not a readable archive: " + fileUtf8);
}

}  // namespace

int RunPack(const Args& args) {
  if (args.size() != 2 && !(args.size() == 4 && args[2] == "--scramble"))
    throw ToolError("usage: pack OUT.dat DIR [--scramble EXT[,EXT...]]");
  const QString outPath = QFileInfo(Native(args[0])).absoluteFilePath();
  const QDir root(Native(args[1]));
  if (!root.exists()) throw ToolError("no such folder: " + args[1]);
  const std::vector<std::string> scrambled =
      args.size() == 4 ? SplitExtensions(args[3]) : std::vector<std::string>{};

  QStringList paths;
  QDirIterator it(root.absolutePath(), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    if (QFileInfo(path).absoluteFilePath() != outPath) paths << path;
  }

  std::vector<TPackSource> files;
  std::map<std::string, QString> seen;
  for (const QString& path : paths) {
    const QString relative = root.relativeFilePath(path);
    bool ok = false;
    std::string name = cp1251::FromQString(QString(relative).replace('/', '\\'), &ok);
    if (!ok) throw ToolError("the name '" + relative.toStdString() + "' cannot be written in Windows-1251");
    cp1251::LowerInPlace(name);
    if (name.size() > 255)
      throw ToolError("the name '" + relative.toStdString() + "' is longer than 255 bytes");
    const auto [where, fresh] = seen.emplace(name, relative);
    if (!fresh)
      throw ToolError("'" + where->second.toStdString() + "' and '" + relative.toStdString() +
                      "' fold to the same entry '" + cp1251::ToUtf8(name) + "'");
    const QByteArray bytes = ReadWhole(path);
    TPackSource source;
    source.name = name;
    source.bytes.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const std::string ext = cp1251::Lower(ExtractFileExt(name));
    source.scramble =
        !ext.empty() && std::find(scrambled.begin(), scrambled.end(), ext.substr(1)) != scrambled.end();
    files.push_back(std::move(source));
  }
  // Entry order follows the stored names, so the same folder always packs to the same bytes.
  std::sort(files.begin(), files.end(),
            [](const TPackSource& a, const TPackSource& b) { return a.name < b.name; });
  std::size_t total = kArchiveHeaderSize;
  for (const TPackSource& f : files) total += f.bytes.size() + f.name.size() + 10;
  if (total > 0x7FFFFFFF) throw ToolError("the archive would exceed 2 GiB, which its offsets cannot address");
  WriteWhole(outPath, BuildArchive(files));
  return 0;
}

int RunList(const Args& args) {
  if (args.size() != 1) throw ToolError("usage: list FILE.dat");
  OpenOrFail(args[0]);
  for (const TData& e : ArchiveDirectory())
    WriteLine(cp1251::ToUtf8(e.name) + "\t" + std::to_string(e.size) + "\t" + std::to_string(e.offset) +
              "\t" + std::to_string(e.flag));
  return 0;
}

int RunCat(const Args& args) {
  if (args.size() != 2) throw ToolError("usage: cat SOURCE NAME");
  EnterManual(args[0]);
  const std::string name = To1251(args[1], "name");
  ToolDesktop().messages.clear();
  std::string bytes;
  LoadPackFile(bytes, name);
  if (!ToolDesktop().messages.empty()) return 1;
  WriteRaw(bytes);
  return 0;
}

int RunExtract(const Args& args) {
  if (args.size() != 2) throw ToolError("usage: extract FILE.dat DIR");
  const QString target = QFileInfo(Native(args[1])).absoluteFilePath();
  OpenOrFail(args[0]);
  const std::vector<TData>& directory = ArchiveDirectory();
  int damaged = 0;
  for (int i = 0; i < static_cast<int>(directory.size()); ++i) {
    const TData& e = directory[static_cast<std::size_t>(i)];
    if (FindEntry(e.name) != i) continue;  // a later entry of the same name is the one readers see
    const QString relative = cp1251::ToQString(e.name).replace('\\', '/');
    const QStringList parts = relative.split('/', Qt::SkipEmptyParts);
    // An entry name must never write outside the target folder.
    if (parts.isEmpty() || relative.startsWith('/') || parts.contains("..") || parts.contains(".") ||
        relative.contains(':')) {
      std::fprintf(stderr, "remont-tool extract: unsafe entry name '%s' skipped\n",
                   cp1251::ToUtf8(e.name).c_str());
      ++damaged;
      continue;
    }
    std::string bytes;
    if (!ReadEntry(bytes, i)) {
      std::fprintf(stderr, "remont-tool extract: damaged entry '%s' skipped\n",
                   cp1251::ToUtf8(e.name).c_str());
      ++damaged;
      continue;
    }
    const QString path = target + '/' + parts.join('/');
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
      throw ToolError("cannot create the folder for " + path.toStdString());
    WriteWhole(path, bytes);
  }
  return damaged ? 1 : 0;
}

}  // namespace tool
