// remont: the manual viewer.
#include <QApplication>
#include <QDir>
#include <QProcess>

#include "app/uMain.h"
#include "app/uSearch.h"
#include "controls/skForm.h"
#include "html/PreviewForm.h"
#include "platform/pfDisk.h"
#include "platform/pfInstance.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("remont"));
  app.setApplicationDisplayName(QStringLiteral("Ремонт"));

  // A second copy ends at once, silently; the running copy is left alone.
  if (!platform::AcquireSingleInstance(QStringLiteral("КЕДР"))) return 0;

  // Programs of this kind were always started in their own folder; nothing may depend on where
  // the viewer is launched from.
  platform::SetProgramFolder(QCoreApplication::applicationDirPath());
  QDir::setCurrent(QCoreApplication::applicationDirPath());

  // The windows are created in this order, so that their creation handlers run in it.
  int code = 0;
  {
    TfrmMain main;
    TfrmSearch search;
    TfrmPreviewForm preview;
    main.show();
    code = app.exec();
  }
  // Ctrl+Alt+Q: every window has closed and saved what it holds; the new copy may now start.
  if (RestartRequested()) {
    platform::ReleaseSingleInstance();
    QProcess::startDetached(QCoreApplication::applicationFilePath(), {});
  }
  return code;
}
