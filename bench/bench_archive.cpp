// Opening a large archive and looking names up in it.
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "archive/gPack.h"
#include "archive/gPackWriter.h"
#include "platform/pfDisk.h"

namespace {

constexpr int kEntries = 100000;

std::string EntryName(int i) {
  return "pages\\section_" + std::to_string(i / 1000) + "\\page_" + std::to_string(i) + ".htm";
}

// A 100,000-entry archive on disk, made once for all benchmarks.
const QString& ArchivePath() {
  static QTemporaryDir dir;
  static QString path;
  if (path.isEmpty()) {
    std::vector<TPackSource> files;
    files.reserve(kEntries);
    for (int i = 0; i < kEntries; ++i)
      files.push_back({EntryName(i), "<p>page " + std::to_string(i) + "</p>", i % 3 == 0});
    path = dir.filePath("interface.dat");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    const std::string bytes = BuildArchive(files);
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
  return path;
}

void BM_OpenArchive100k(benchmark::State& state) {
  const std::string path = platform::FromNative(ArchivePath());
  for (auto _ : state) {
    benchmark::DoNotOptimize(OpenArchive(path));
    state.PauseTiming();
    CloseArchive();
    state.ResumeTiming();
  }
  state.counters["entries"] = kEntries;
}
BENCHMARK(BM_OpenArchive100k)->Unit(benchmark::kMillisecond);

void BM_FindEntry(benchmark::State& state) {
  OpenArchive(platform::FromNative(ArchivePath()));
  std::vector<std::string> names;
  for (int i = 0; i < 1024; ++i)
    names.push_back(i % 2 ? EntryName(i * 97)
                          : "PAGES\\Section_7\\PAGE_" + std::to_string(7000 + i) + ".HTM");
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(FindEntry(names[i++ & 1023]));
  CloseArchive();
}
BENCHMARK(BM_FindEntry)->Unit(benchmark::kNanosecond);

void BM_LoadPackFile(benchmark::State& state) {
  OpenArchive(platform::FromNative(ArchivePath()));
  std::string stream;
  int i = 0;
  for (auto _ : state) {
    LoadPackFile(stream, EntryName((i++ * 7919) % kEntries));
    benchmark::DoNotOptimize(stream.data());
  }
  CloseArchive();
}
BENCHMARK(BM_LoadPackFile)->Unit(benchmark::kMicrosecond);

}  // namespace
