#include "platform/pfDisk.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "util/cp1251.h"

namespace platform {
namespace {

QString& programFolder() {
  static QString folder;
  return folder;
}

// The entry of `folder` named `part`, exactly or else without regard to case; empty if none.
QString MatchEntry(const QString& folder, const QString& part) {
  const QString dir = folder.isEmpty() ? QStringLiteral(".") : folder;
  if (QFileInfo::exists(dir + '/' + part)) return part;
  const QStringList entries =
      QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  for (const QString& entry : entries)
    if (entry.compare(part, Qt::CaseInsensitive) == 0) return entry;
  return {};
}

}  // namespace

QString NativePath(const std::string& name) {
  QString path = cp1251::ToQString(name);
  path.replace('\\', '/');
  const bool absolute = path.startsWith('/');
  const QStringList parts = path.split('/', Qt::SkipEmptyParts);
  QString folder = absolute ? QStringLiteral("/") : QString();
  bool found = true;  // once a part is missing, nothing below it can be found either
  for (int i = 0; i < parts.size(); ++i) {
    QString part = parts[i];
    if (found && part != "." && part != "..") {
      const QString match = MatchEntry(folder.isEmpty() ? QString() : folder, part);
      if (match.isEmpty())
        found = false;
      else
        part = match;
    }
    if (!folder.isEmpty() && !folder.endsWith('/')) folder += '/';
    folder += part;
  }
  if (path.endsWith('/') && !folder.endsWith('/')) folder += '/';
  return folder;
}

std::string FromNative(const QString& path) { return cp1251::FromQString(path); }

bool DiskFileExists(const std::string& name) {
  if (name.empty()) return false;
  const QFileInfo info(NativePath(name));
  return info.exists() && info.isFile();
}

bool ReadDiskFile(const std::string& name, std::string& out) {
  const QString path = NativePath(name);
  if (!QFileInfo(path).isFile()) return false;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  out.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  return true;
}

void SetProgramFolder(const QString& folder) {
  QString f = QDir::cleanPath(QDir(folder).absolutePath());
  if (!f.endsWith('/')) f += '/';
  programFolder() = f;
}

QString ProgramFolder() {
  if (programFolder().isEmpty()) {
    const QString app = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                     : QDir::currentPath();
    SetProgramFolder(app);
  }
  return programFolder();
}

}  // namespace platform
