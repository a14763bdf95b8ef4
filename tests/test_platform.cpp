#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

#include "platform/pfDisk.h"
#include "platform/pfInstance.h"
#include "testSupport.h"
#include "util/cp1251.h"

using testing_support::W;
using testing_support::WriteFile;

namespace {

// --- the single-instance lock, seen from other processes ---

// A copy of the test program started by the lock test does its part before the test framework
// starts and ends there: with "hold" it takes the lock, says so and keeps it until killed (or until
// its parent goes away and its input closes); with "probe" it tries once and answers by exit code.
constexpr char kLockNameVar[] = "REMONT_TEST_LOCK_NAME";
constexpr char kLockModeVar[] = "REMONT_TEST_LOCK_MODE";
constexpr int kProbeRefused = 3;

[[maybe_unused]] const bool kLockChildDone = [] {
  const QByteArray name = qgetenv(kLockNameVar);
  if (name.isEmpty()) return false;
  const bool got = platform::AcquireSingleInstance(QString::fromUtf8(name));
  if (qgetenv(kLockModeVar) == "hold" && got) {
    if (::write(STDOUT_FILENO, "held\n", 5) != 5) std::_Exit(1);
    char c;
    while (::read(STDIN_FILENO, &c, 1) > 0) {
    }
  }
  std::_Exit(got ? 0 : kProbeRefused);
}();

QProcessEnvironment LockChildEnvironment(const QString& name, const char* mode) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(kLockNameVar, name);
  env.insert(kLockModeVar, mode);
  return env;
}

int Probe(const QString& name) {
  QProcess probe;
  probe.setProcessEnvironment(LockChildEnvironment(name, "probe"));
  probe.start(QCoreApplication::applicationFilePath(), {});
  if (!probe.waitForFinished(20000) || probe.exitStatus() != QProcess::NormalExit) return -1;
  return probe.exitCode();
}

TEST(SingleInstance, ASecondCopyIsRefusedUntilTheHolderDies) {
  // A name of this run only, so that parallel runs and an installed viewer are not disturbed.
  const QString name = QStringLiteral("test-%1-%2")
                           .arg(QCoreApplication::applicationPid())
                           .arg(QRandomGenerator::global()->generate());
  QProcess holder;
  holder.setProcessEnvironment(LockChildEnvironment(name, "hold"));
  holder.start(QCoreApplication::applicationFilePath(), {});
  ASSERT_TRUE(holder.waitForStarted(20000));
  while (!holder.canReadLine()) ASSERT_TRUE(holder.waitForReadyRead(20000));
  ASSERT_EQ(holder.readLine(), "held\n");

  EXPECT_EQ(Probe(name), kProbeRefused);
  EXPECT_EQ(Probe(name + "-other"), 0);  // another name is another lock

  holder.kill();  // no clean-up of its own: the system must let go of the lock
  ASSERT_TRUE(holder.waitForFinished(20000));
  EXPECT_EQ(Probe(name), 0);

  QFile::remove(platform::InstanceLockPath(name));
  QFile::remove(platform::InstanceLockPath(name + "-other"));
}

// --- the disk boundary ---

class DiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    root = platform::FromNative(dir.path());
  }
  QTemporaryDir dir;
  std::string root;  // 1251, no trailing separator
};

TEST_F(DiskTest, NamesFindTheRealFileWhateverTheirCaseAndSeparators) {
  const QString real = WriteFile(dir, QString::fromUtf8("Manual/Страницы/Тормоза.HTM"), "brakes");
  const std::string names[] = {
      root + W("\\manual\\страницы\\тормоза.htm"), root + W("/MANUAL/СТРАНИЦЫ/ТОРМОЗА.htm"),
      root + W("\\Manual/Страницы\\Тормоза.HTM"),
      root + W("\\\\manual\\\\страницы\\тормоза.htm"),  // doubled separators
  };
  for (const std::string& name : names) {
    EXPECT_EQ(platform::NativePath(name), real) << cp1251::ToUtf8(name);
    EXPECT_TRUE(platform::DiskFileExists(name)) << cp1251::ToUtf8(name);
    std::string bytes;
    EXPECT_TRUE(platform::ReadDiskFile(name, bytes)) << cp1251::ToUtf8(name);
    EXPECT_EQ(bytes, "brakes");
  }
}

TEST_F(DiskTest, AnExactMatchWinsOverOneInAnotherCase) {
  WriteFile(dir, "a.txt", "lower");
  WriteFile(dir, "A.TXT", "upper");
  std::string bytes;
  ASSERT_TRUE(platform::ReadDiskFile(root + "\\A.TXT", bytes));
  EXPECT_EQ(bytes, "upper");
  ASSERT_TRUE(platform::ReadDiskFile(root + "\\a.txt", bytes));
  EXPECT_EQ(bytes, "lower");
}

TEST_F(DiskTest, AMissingPartKeepsItAndTheRestAsWritten) {
  WriteFile(dir, "Pages/Sub/File.htm", "x");
  // "Sub/File.htm" exist under "Pages", but not under the missing "Gone": nothing below it is sought.
  EXPECT_EQ(platform::NativePath(root + "\\pages\\Gone\\sub\\FILE.htm"),
            dir.path() + "/Pages/Gone/sub/FILE.htm");
  EXPECT_EQ(platform::NativePath(root + "\\PAGES\\sub\\missing.htm"), dir.path() + "/Pages/Sub/missing.htm");
  EXPECT_EQ(platform::NativePath(root + "\\PAGES\\"), dir.path() + "/Pages/");
  EXPECT_FALSE(platform::DiskFileExists(root + "\\pages\\gone\\sub\\file.htm"));
  std::string bytes = "left over";
  EXPECT_FALSE(platform::ReadDiskFile(root + "\\pages\\gone\\sub\\file.htm", bytes));
}

TEST_F(DiskTest, FoldersAreNotFiles) {
  WriteFile(dir, "Pages/File.htm", "x");
  std::string bytes;
  EXPECT_FALSE(platform::ReadDiskFile(root + "\\pages", bytes));
  EXPECT_FALSE(platform::ReadDiskFile(root + "\\pages\\", bytes));
  EXPECT_FALSE(platform::DiskFileExists(root + "\\PAGES"));
  EXPECT_FALSE(platform::DiskFileExists(""));
  EXPECT_FALSE(platform::ReadDiskFile("", bytes));
}

TEST_F(DiskTest, RelativeNamesStartAtTheCurrentFolder) {
  WriteFile(dir, "Pages/File.htm", "relative");
  const QString saved = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  std::string bytes;
  const bool read = platform::ReadDiskFile("PAGES\\file.HTM", bytes);
  const QString native = platform::NativePath("pages\\..\\PAGES\\file.htm");
  QDir::setCurrent(saved);
  EXPECT_TRUE(read);
  EXPECT_EQ(bytes, "relative");
  EXPECT_EQ(native, "Pages/../Pages/File.htm");
}

TEST(ProgramFolder, AlwaysEndsWithASeparator) {
  const QString saved = platform::ProgramFolder();
  platform::SetProgramFolder("/opt/remont/bin/..");
  const QString set = platform::ProgramFolder();
  platform::SetProgramFolder(saved);
  EXPECT_EQ(set, "/opt/remont/");
  EXPECT_TRUE(saved.endsWith('/'));
}

}  // namespace
