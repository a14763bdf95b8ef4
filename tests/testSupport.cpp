#include "testSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "util/cp1251.h"

namespace testing_support {

QString WriteFile(const QTemporaryDir& dir, const QString& relative, const std::string& bytes) {
  const QString path = dir.filePath(relative);
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
  return path;
}

ToolResult RunTool(const QStringList& args, const QString& workdir) {
  QProcess p;
  if (!workdir.isEmpty()) p.setWorkingDirectory(workdir);
  p.start(QStringLiteral(REMONT_TOOL_PATH), args);
  ToolResult r;
  if (!p.waitForFinished(60000)) return r;
  r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  const QByteArray out = p.readAllStandardOutput(), err = p.readAllStandardError();
  r.out.assign(out.constData(), static_cast<std::size_t>(out.size()));
  r.err.assign(err.constData(), static_cast<std::size_t>(err.size()));
  return r;
}

std::string W(const char* utf8) {
  return cp1251::FromUtf8(utf8);
}

}  // namespace testing_support
