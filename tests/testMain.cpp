// Every test runs inside one application object, as the program does; widgets need it even
// offscreen. Messages never block: a recording desktop is installed for the whole run.
#include <QApplication>
#include <gtest/gtest.h>

#include "platform/pfDesktop.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  platform::RecordingDesktop desktop;
  platform::SetDesktop(&desktop);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
