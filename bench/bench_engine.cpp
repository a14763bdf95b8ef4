// Building a large structure file whose sections stand children first, the worst order for the
// loader: each child must wait for a parent that comes later in the file.
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "archive/gPack.h"
#include "controls/skForm.h"
#include "engine/skUseStract.h"
#include "platform/pfDesktop.h"
#include "platform/pfDisk.h"

namespace {

// `sections` sections: panels in a tree (each panel's master is an earlier-numbered panel), nine
// buttons per panel; every section is written before its master.
std::string ChildrenFirst(int sections) {
  const int panels = std::max(1, sections / 10);
  std::string text;
  for (int p = panels - 1; p >= 0; --p) {
    for (int b = 8; b >= 0; --b)
      text += "[b" + std::to_string(p) + "_" + std::to_string(b) + "]\r\ntype=button\r\nmaster=p" +
              std::to_string(p) + "\r\nleft=" + std::to_string(b * 20) +
              "\r\ntop=2\r\nwidth=18\r\nheight=18\r\n";
    text += "[p" + std::to_string(p) + "]\r\ntype=panel\r\n";
    if (p > 0) text += "master=p" + std::to_string((p - 1) / 4) + "\r\n";
    text += "left=1\r\ntop=1\r\nwidth=200\r\nheight=30\r\n";
  }
  return text + "[form]\r\ntype=form\r\ncaption=bench\r\n";
}

void BM_LoadChildrenFirst(benchmark::State& state) {
  QTemporaryDir dir;
  platform::SetProgramFolder(dir.path());
  // No archive there: files are read from the folder, as a manual of loose files is.
  OpenArchive(platform::FromNative(dir.filePath("interface.dat")));
  const std::string text = ChildrenFirst(static_cast<int>(state.range(0)));
  QFile f(dir.filePath("s.txt"));
  f.open(QIODevice::WriteOnly);
  f.write(text.data(), static_cast<qint64>(text.size()));
  f.close();
  platform::RecordingDesktop quiet;
  platform::ScopedDesktop scope(&quiet);
  for (auto _ : state) {
    state.PauseTiming();
    auto window = std::make_unique<TSkForm>();
    state.ResumeTiming();
    auto engine = std::make_unique<TSkStract>(window.get(), "s.txt");
    engine->LoadStructure();
    benchmark::DoNotOptimize(engine->Controls().size());
    state.PauseTiming();  // tearing the window down is not loading
    engine.reset();
    window.reset();
    state.ResumeTiming();
  }
  state.SetComplexityN(state.range(0));
  static std::string failure;  // the library keeps the pointer past this call
  if (!quiet.messages.empty()) {
    failure = "the structure file did not load cleanly: " + quiet.messages.front().text;
    state.SkipWithError(failure.c_str());
  }
}
BENCHMARK(BM_LoadChildrenFirst)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
