// Loading a large table of contents from the archive into the content tree, and searching its
// titles. A contents list of 10,000 lines has to load within 100 ms.
#include <QBuffer>
#include <QImage>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "archive/gPack.h"
#include "archive/gPackWriter.h"
#include "controls/skTreeView.h"
#include "platform/pfDesktop.h"
#include "platform/pfDisk.h"
#include "util/cp1251.h"

namespace {

constexpr const char* kListName = "contents.lst";

// Chapters of sections of pages, four levels deep, Cyrillic captions, a few pictures shared by
// many lines: the shape of a real manual's contents.
std::string ContentsList(int lines) {
  const std::string chapter = cp1251::FromUtf8("Глава ");
  const std::string page = cp1251::FromUtf8("Снятие и установка узла ");
  std::string out;
  for (int i = 0; i < lines; ++i) {
    const int depth = i % 50 == 0 ? 0 : i % 10 == 0 ? 1 : i % 3 == 0 ? 2 : 3;
    out.append(static_cast<std::size_t>(depth), '\t');
    out += (depth == 0 ? chapter : page) + std::to_string(i) + ";pages\\p" + std::to_string(i) + ".htm";
    if (depth < 2) out += depth == 0 ? ";pics\\book.bmp" : ";pics\\folder.bmp";
    out += "\r\n";
  }
  return out;
}

std::string Bitmap() {
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(qRgb(200, 40, 40));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// An archive holding the list and its pictures, opened as the manual's archive.
void OpenManual(int lines) {
  static QTemporaryDir dir;
  const QString path = dir.filePath("interface" + QString::number(lines) + ".dat");
  const std::string bytes = BuildArchive({{kListName, ContentsList(lines), true},
                                          {"pics\\book.bmp", Bitmap(), false},
                                          {"pics\\folder.bmp", Bitmap(), false}});
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write(bytes.data(), static_cast<qint64>(bytes.size()));
  f.close();
  OpenArchive(platform::FromNative(path));
}

void BM_LoadTree(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  OpenManual(lines);
  platform::RecordingDesktop quiet;
  platform::ScopedDesktop scope(&quiet);
  TSkTree tree(nullptr);
  tree.Action = "html_load*html_see";
  for (auto _ : state) {
    tree.LoadTree(kListName);
    benchmark::DoNotOptimize(tree.topLevelItemCount());
  }
  if (static_cast<int>(tree.Records().size()) != lines || !quiet.messages.empty())
    state.SkipWithError("the contents list did not load whole and quietly");
  CloseArchive();
}
BENCHMARK(BM_LoadTree)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_SearchTitles(benchmark::State& state) {
  OpenManual(10000);
  TSkTree tree(nullptr);
  tree.LoadTree(kListName);
  const std::string query = cp1251::FromUtf8("УЗЛА 99");
  for (auto _ : state) {
    TStrings results;
    tree.SearchTitles(query, results);
    benchmark::DoNotOptimize(results.size());
  }
  CloseArchive();
}
BENCHMARK(BM_SearchTitles)->Unit(benchmark::kMillisecond);

}  // namespace
