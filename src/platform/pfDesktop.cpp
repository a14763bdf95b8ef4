#include "platform/pfDesktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QProcess>
#include <QUrl>
#include <cstdio>

#include "platform/pfDisk.h"
#include "util/cp1251.h"

namespace platform {
namespace {

void PrintToStderr(const std::string& text) {
  std::string utf8 = cp1251::ToUtf8(text);
  std::fprintf(stderr, "%s\n", utf8.c_str());
}

bool HaveWidgets() {
  return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

// The desktop of a person at the screen.
class QtDesktop : public Desktop {
 public:
  void ShowMessage(MessageKind kind, const std::string& text) override {
    if (!HaveWidgets()) {
      PrintToStderr(text);
      return;
    }
    QString body = cp1251::ToQString(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QString title = QApplication::applicationDisplayName();
    switch (kind) {
      case MessageKind::Error:
        QMessageBox::critical(nullptr, title, body);
        break;
      case MessageKind::Warning:
        QMessageBox::warning(nullptr, title, body);
        break;
      case MessageKind::Info:
        QMessageBox::information(nullptr, title, body);
        break;
    }
  }

  std::string PickFile(const std::string& filter) override {
    if (!HaveWidgets()) return {};
    const QString chosen =
        QFileDialog::getOpenFileName(nullptr, QString(), QString(), cp1251::ToQString(filter));
    return FromNative(chosen);
  }

  void ShellRun(const std::string& file, const std::string& params, const std::string&) override {
    const QString target = cp1251::ToQString(file);
    if (target.contains(QStringLiteral("://")) || target.startsWith(QStringLiteral("mailto:"))) {
      QDesktopServices::openUrl(QUrl(target));
      return;
    }
    const QString native = NativePath(file);
    const QFileInfo info(native);
    if (info.isFile() && info.isExecutable()) {
      QStringList args;
      if (!params.empty()) args = QProcess::splitCommand(cp1251::ToQString(params));
      QProcess::startDetached(native, args);
    } else {
      QDesktopServices::openUrl(QUrl::fromLocalFile(native));
    }
  }

  void SetWallpaper(const std::string& path, bool tile) override {
    const QString uri = QUrl::fromLocalFile(NativePath(path)).toString();
    // GNOME-style desktops read these keys; elsewhere the call fails quietly, as the original did.
    QProcess::startDetached(QStringLiteral("gsettings"),
                            {"set", "org.gnome.desktop.background", "picture-uri", uri});
    QProcess::startDetached(QStringLiteral("gsettings"),
                            {"set", "org.gnome.desktop.background", "picture-options",
                             tile ? QStringLiteral("wallpaper") : QStringLiteral("scaled")});
  }

  void Quit(int code) override {
    if (HaveWidgets()) QApplication::closeAllWindows();
    QCoreApplication::exit(code);
  }

  bool HasDefaultPrinter() override { return !QPrinterInfo::defaultPrinter().isNull(); }

  void SetBusy(bool on) override {
    if (!HaveWidgets()) return;
    if (on) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
      QCoreApplication::processEvents();
      while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    }
  }
};

QtDesktop& qtDesktop() {
  static QtDesktop d;
  return d;
}

Desktop*& current() {
  static Desktop* d = nullptr;
  return d;
}

}  // namespace

Desktop& desktop() {
  return current() ? *current() : qtDesktop();
}

Desktop* SetDesktop(Desktop* replacement) {
  Desktop* previous = current();
  current() = replacement;
  return previous;
}

void RecordingDesktop::ShowMessage(MessageKind kind, const std::string& text) {
  messages.push_back({kind, text});
  if (echo) PrintToStderr(text);
}

std::string RecordingDesktop::PickFile(const std::string& filter) {
  lastPickFilter = filter;
  return pickAnswer;
}

void RecordingDesktop::ShellRun(const std::string& file, const std::string& params, const std::string& verb) {
  shellRuns.push_back(verb + " " + file + (params.empty() ? "" : " " + params));
}

void RecordingDesktop::SetWallpaper(const std::string& path, bool tile) {
  shellRuns.push_back("wallpaper " + path + (tile ? " tile" : ""));
}

}  // namespace platform
