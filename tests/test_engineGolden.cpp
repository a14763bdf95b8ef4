// The engine seen through `remont-tool dump`: each folder under tests/engine holds a small manual
// (UTF-8 here, turned into 1251 for the run), an `args` file with the dump's arguments after
// SOURCE, one per line, and `expected.txt`. Run with REMONT_UPDATE_GOLDEN=1 to write what the
// engine does now into expected.txt, then read the difference before committing it.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "testSupport.h"
#include "util/cp1251.h"

namespace {

QString CasesFolder() {
  return QStringLiteral(REMONT_SOURCE_DIR "/tests/engine");
}

std::string ReadText(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QByteArray b = f.readAll();
  return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

// Copies a case into `target`, turning UTF-8 text files into the manual's 1251.
void CopyAs1251(const QString& from, const QString& target) {
  QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    const QString relative = QDir(from).relativeFilePath(path);
    if (relative == "args" || relative == "expected.txt") continue;
    const QString out = target + "/" + relative;
    QDir().mkpath(QFileInfo(out).absolutePath());
    std::string bytes = ReadText(path);
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "txt" || suffix == "lst" || suffix == "htm" || suffix == "ind" || suffix == "qss")
      bytes = cp1251::FromUtf8(bytes);
    QFile f(out);
    f.open(QIODevice::WriteOnly);
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
}

class EngineGolden : public ::testing::TestWithParam<QString> {};

TEST_P(EngineGolden, DumpMatches) {
  const QString folder = CasesFolder() + "/" + GetParam();
  QTemporaryDir manual;
  CopyAs1251(folder, manual.path());
  QStringList args{"dump", manual.path()};
  for (const QString& line : QString::fromUtf8(ReadText(folder + "/args")).split('\n'))
    if (!line.trimmed().isEmpty()) args << line.trimmed();
  const testing_support::ToolResult r = testing_support::RunTool(args);
  ASSERT_EQ(r.status, 0) << r.err;
  const QString expectedPath = folder + "/expected.txt";
  if (qEnvironmentVariableIsSet("REMONT_UPDATE_GOLDEN")) {
    QFile f(expectedPath);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(r.out.data(), static_cast<qint64>(r.out.size()));
    GTEST_SKIP() << "wrote " << expectedPath.toStdString();
  }
  EXPECT_EQ(r.out, ReadText(expectedPath)) << "case " << GetParam().toStdString();
}

std::vector<QString> Cases() {
  std::vector<QString> out;
  for (const QString& name : QDir(CasesFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
    out.push_back(name);
  return out;
}

INSTANTIATE_TEST_SUITE_P(Cases, EngineGolden, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<QString>& info) {
                           return info.param.toStdString();
                         });

}  // namespace
