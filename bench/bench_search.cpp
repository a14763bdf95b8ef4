// The full-text search over a manual of 10,000 pages (about 100 MB), every page read whole through
// the archive reader and the tokenizer exactly as the search window reads it, beside grep over the
// same pages extracted to a folder, both timed in the same run. The scan has to keep 300 MB/s.
//
// The manual comes from bench/gen_manual.py. Generating it takes a while, so a folder named by
// REMONT_BIG_MANUAL (scripts/bench.sh keeps one in build-rel/manual-10k) is used as it is; without
// one the manual is generated into a temporary folder for this run only.
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <set>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "app/uSearch.h"
#include "archive/gPack.h"
#include "archive/gPackWriter.h"
#include "controls/skListBox.h"
#include "platform/pfDesktop.h"
#include "platform/pfDisk.h"
#include "util/cp1251.h"
#include "util/uUtils.h"

extern char** environ;

namespace {

// Lower case, so that grep -i has nothing to fold in it, and in no page, so that the scan never
// stops early: every page is read and tokenized to its end.
constexpr const char* kAbsentWord = "жщъюэфыцз";

constexpr int kGrepRuns = 5;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

struct TBigManual {
  std::string error;  // set when the manual could not be made; the benchmark then skips
  std::unique_ptr<QTemporaryDir> generated;
  QTemporaryDir archiveDir;  // holds nothing but the archive, so no page can come from the disk
  QTemporaryDir grepDir;
  std::string archivePath;  // 1251
  QString grepRoot;
  int listedPages = 0;
  std::string firstTitle;      // of the page the scan reads first, the last one listed
  std::int64_t scanBytes = 0;  // every page the page list names, as often as it names it
  std::int64_t grepBytes = 0;  // every extracted page once
};

QString GeneratorScript() {
  const QByteArray source = qgetenv("REMONT_SOURCE_DIR");
  if (!source.isEmpty()) return QDir(QString::fromLocal8Bit(source)).filePath("bench/gen_manual.py");
  // From build-rel/bin back to the source tree.
  return QDir(QCoreApplication::applicationDirPath()).filePath("../../bench/gen_manual.py");
}

// The folder of the generated manual, or empty with `error` set.
QString ManualFolder(TBigManual& m) {
  const QByteArray cached = qgetenv("REMONT_BIG_MANUAL");
  if (!cached.isEmpty()) {
    const QString folder = QString::fromLocal8Bit(cached);
    if (QFileInfo::exists(QDir(folder).filePath("file.ind"))) return folder;
    fprintf(stderr, "REMONT_BIG_MANUAL=%s holds no generated manual; generating one for this run\n",
            cached.constData());
  }
  const QString script = QDir::cleanPath(GeneratorScript());
  if (!QFileInfo::exists(script)) {
    m.error = "the manual generator " + script.toStdString() + " is missing; set REMONT_SOURCE_DIR";
    return {};
  }
  m.generated = std::make_unique<QTemporaryDir>();
  if (!m.generated->isValid()) {
    m.error = "no temporary folder for the generated manual";
    return {};
  }
  fprintf(stderr, "generating the 10,000-page manual into %s\n", qPrintable(m.generated->path()));
  QProcess python;
  python.setProcessChannelMode(QProcess::ForwardedChannels);
  python.start("python3", {script, m.generated->path()});
  if (!python.waitForStarted()) {
    m.error = "python3 is not available to generate the manual";
    return {};
  }
  python.waitForFinished(-1);
  if (python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0) {
    m.error = "the manual generator failed";
    return {};
  }
  return m.generated->path();
}

// Packed the way the demo manual is: lists scrambled, pages as they are.
bool PackManual(TBigManual& m, const QString& folder) {
  std::vector<TPackSource> files;
  const QDir root(folder);
  QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    QString relative = root.relativeFilePath(path);
    relative.replace('/', '\\');
    TPackSource source;
    source.name = cp1251::Lower(platform::FromNative(relative));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
      m.error = "cannot read " + path.toStdString();
      return false;
    }
    source.bytes = f.readAll().toStdString();
    const std::string ext = cp1251::Lower(ExtractFileExt(source.name));
    source.scramble = ext == ".txt" || ext == ".ind" || ext == ".lst";
    files.push_back(std::move(source));
  }
  std::string bytes;
  try {
    bytes = BuildArchive(files);
  } catch (const std::length_error& e) {
    m.error = std::string("the manual does not fit an archive: ") + e.what();
    return false;
  }
  files.clear();
  const QString path = m.archiveDir.filePath("interface.dat");
  QFile out(path);
  if (!out.open(QIODevice::WriteOnly) ||
      out.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
    m.error = "cannot write the archive " + path.toStdString();
    return false;
  }
  m.archivePath = platform::FromNative(path);
  return true;
}

// A page-list name as a path below `root`; empty for a name that would leave it.
QString PathBelow(const QString& root, const std::string& name) {
  QString relative = cp1251::ToQString(name);
  relative.replace('\\', '/');
  if (relative.isEmpty() || relative.startsWith('/') || relative.contains(':')) return {};
  for (const QString& part : relative.split('/'))
    if (part.isEmpty() || part == "." || part == "..") return {};
  return QDir(root).filePath(relative);
}

// grep gets the pages as the archive reader hands them out, not the generator's files, so both
// sides read the very same bytes.
bool ExtractPages(TBigManual& m) {
  platform::RecordingDesktop quiet;
  platform::ScopedDesktop scope(&quiet);
  m.grepRoot = m.grepDir.filePath("pages");
  std::set<std::string> written;
  std::string page;
  for (std::string title : LoadListFile(kPageList)) {
    const std::string file = SplitFirst(title, "#:#");
    m.firstTitle = title;
    const int entry = FindEntry(file);
    if (entry < 0 || !ReadEntry(page, entry)) {
      m.error = "the archive lacks the listed page " + cp1251::ToUtf8(file);
      return false;
    }
    ++m.listedPages;
    m.scanBytes += static_cast<std::int64_t>(page.size());
    if (!written.insert(cp1251::Lower(file)).second) continue;
    const QString path = PathBelow(m.grepRoot, file);
    if (path.isEmpty()) {
      m.error = "the page list names a page outside the manual: " + cp1251::ToUtf8(file);
      return false;
    }
    QDir().mkpath(QFileInfo(path).path());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(page.data(), static_cast<qint64>(page.size())) != static_cast<qint64>(page.size())) {
      m.error = "cannot write " + path.toStdString();
      return false;
    }
    m.grepBytes += static_cast<std::int64_t>(page.size());
  }
  if (m.listedPages == 0 || !quiet.messages.empty()) {
    m.error = "the page list did not load quietly";
    return false;
  }
  return true;
}

const TBigManual& BigManual() {
  static TBigManual m;
  static bool made = false;
  if (made) return m;
  made = true;
  if (!m.archiveDir.isValid() || !m.grepDir.isValid()) {
    m.error = "no temporary folders";
    return m;
  }
  const QString folder = ManualFolder(m);
  if (folder.isEmpty() || !PackManual(m, folder)) return m;
  m.generated.reset();  // everything needed is in the archive now
  if (!OpenArchive(m.archivePath)) {
    m.error = "the archive did not open";
    return m;
  }
  ExtractPages(m);
  CloseArchive();
  return m;
}

// One grep over the extracted pages: its wall time, or a negative value when it did not run to a
// clean "no match" (exit status 1). grep runs with LC_ALL=C. Under the C.UTF-8 default every 1251
// letter is an encoding error and grep is some twenty times slower, which would flatter the scan.
// In C, -i folds only ASCII, so grep does less than the scan, which folds Cyrillic too: the ratio
// errs against the scan, never for it.
double GrepOnce(const QString& root, const std::string& word) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e)
    if (std::strncmp(*e, "LC_ALL=", 7) != 0) env.emplace_back(*e);
  env.emplace_back("LC_ALL=C");
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  std::string folder = root.toLocal8Bit().toStdString();
  std::vector<std::string> args = {"grep", "-c", "-i", "-r", "-e", word, "--", folder};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  // Per-file counts are of no interest; writing them to a terminal would only add noise.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  const Clock::time_point start = Clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, "grep", &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return -1;
  const double seconds = Seconds(Clock::now() - start);
  return WIFEXITED(status) && WEXITSTATUS(status) == 1 ? seconds : -1;
}

void BM_SearchAllPages(benchmark::State& state) {
  const TBigManual& m = BigManual();
  if (!m.error.empty()) {
    state.SkipWithError(m.error.c_str());
    return;
  }
  OpenArchive(m.archivePath);
  platform::RecordingDesktop quiet;
  platform::ScopedDesktop scope(&quiet);
  const std::string word = cp1251::FromUtf8(kAbsentWord);

  // A scan that finds nothing proves little unless it can find something: the heading of the page
  // it reads first must match, through the same reader and tokenizer.
  {
    TPageScan scan(m.firstTitle);
    TStrings results;
    scan.ScanAllPages(results, [](int done, int) { return done < 1; });
    if (results.size() != 1) {
      state.SkipWithError("the scan does not find the heading of the first page it reads");
      CloseArchive();
      return;
    }
  }

  int pagesRead = 0;
  bool found = false;
  const Clock::time_point start = Clock::now();
  for (auto _ : state) {
    TPageScan scan(word);
    TStrings results;
    pagesRead = scan.ScanAllPages(results);
    found = found || !results.empty();
  }
  const double scanSeconds = Seconds(Clock::now() - start);
  CloseArchive();
  if (!quiet.messages.empty()) {
    const std::string text = "the scan showed a message: " + cp1251::ToUtf8(quiet.messages.front().text);
    state.SkipWithError(text.c_str());
    return;
  }
  if (found || pagesRead != m.listedPages) {
    state.SkipWithError("the scan found the absent word or did not read every page");
    return;
  }
  state.SetBytesProcessed(state.iterations() * m.scanBytes);

  std::vector<double> grepSeconds;
  for (int i = 0; i < kGrepRuns; ++i) {
    const double s = GrepOnce(m.grepRoot, word);
    if (s < 0) {
      state.SkipWithError("grep did not run to a clean no-match over the extracted pages");
      return;
    }
    grepSeconds.push_back(s);
  }
  std::sort(grepSeconds.begin(), grepSeconds.end());
  const double grepMBps = static_cast<double>(m.grepBytes) / 1e6 / grepSeconds[grepSeconds.size() / 2];
  const double scanMBps =
      static_cast<double>(m.scanBytes) * static_cast<double>(state.iterations()) / 1e6 / scanSeconds;
  // Decimal megabytes, the unit of the 300 MB/s goal; Google Benchmark's bytes_per_second is binary.
  state.counters["scan_MBps"] = scanMBps;
  state.counters["grep_MBps"] = grepMBps;
  state.counters["ratio"] = scanMBps / grepMBps;
  state.counters["pages"] = m.listedPages;
}
BENCHMARK(BM_SearchAllPages)->UseRealTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
