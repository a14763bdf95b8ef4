// Opening a page of about 50 KB with five pictures, all read from the archive, in a shown pane.
#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "archive/gPack.h"
#include "archive/gPackWriter.h"
#include "html/skHTML.h"
#include "platform/pfDesktop.h"
#include "platform/pfDisk.h"
#include "util/cp1251.h"

namespace {

std::string Picture(int i) {
  QImage image(320, 200, QImage::Format_RGB32);
  image.fill(QColor(40 * i, 120, 200));
  QPainter(&image).drawEllipse(20, 20, 280, 160);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, i % 2 ? "JPEG" : "PNG");
  return bytes.toStdString();
}

// A repair page as the manual writes them: headings, paragraphs, a table and pictures.
std::string Page(int copy) {
  std::string body =
      cp1251::FromUtf8("<html><head><title>Замена ремня ГРМ</title></head><body><h1>Ремень</h1>");
  const std::string paragraph = cp1251::FromUtf8(
      "<p>Ослабьте натяжной ролик, снимите ремень и проверьте шкивы на износ. Момент затяжки "
      "болтов крепления указан в таблице; при сборке совместите метки.</p>");
  int picture = 0;
  for (int block = 0; body.size() < 50000; ++block) {
    body += paragraph;
    if (block % 20 == 5 && picture < 5) {
      body += "<p><img src=\"pics\\p" + std::to_string(picture) + (picture % 2 ? ".jpg" : ".png") + "\"></p>";
      ++picture;
    }
    if (block % 40 == 10)
      body += "<table border=1><tr><td>M8</td><td>25 Nm</td></tr><tr><td>M10</td><td>45 Nm</td></tr></table>";
  }
  return body + "<p>" + std::to_string(copy) + "</p></body></html>";
}

const QTemporaryDir& Manual() {
  static QTemporaryDir dir;
  static bool made = false;
  if (!made) {
    std::vector<TPackSource> files{{"pages\\a.htm", Page(0)}, {"pages\\b.htm", Page(1)}};
    for (int i = 0; i < 5; ++i)
      files.push_back(
          {"pages\\pics\\p" + std::to_string(i) + (i % 2 ? ".jpg" : ".png"), Picture(i), i % 2 == 1});
    QFile f(dir.filePath("interface.dat"));
    f.open(QIODevice::WriteOnly);
    const std::string bytes = BuildArchive(files);
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    made = true;
  }
  return dir;
}

void BM_OpenPageWithPictures(benchmark::State& state) {
  platform::SetProgramFolder(Manual().path());
  OpenArchive(platform::FromNative(Manual().filePath("interface.dat")));
  TSkHtml pane(nullptr);
  pane.resize(775, 513);
  pane.show();
  QApplication::processEvents();
  // Two pages in turn, so that every load is a new page with a history entry.
  int i = 0;
  for (auto _ : state) {
    pane.LoadPage(i++ % 2 ? "pages\\b.htm" : "pages\\a.htm");
    pane.grab();  // painted, pictures and all
  }
  state.counters["page_bytes"] = static_cast<double>(Page(0).size());
  CloseArchive();
}
BENCHMARK(BM_OpenPageWithPictures)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
