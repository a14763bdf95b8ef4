// The one entry of every benchmark: widgets, pictures and the engine need an application object
// even without a screen, and a message raised while measuring must not wait for a user.
#include <QApplication>
#include <benchmark/benchmark.h>

#include "platform/pfDesktop.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  platform::RecordingDesktop desktop;
  platform::SetDesktop(&desktop);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
