#include "util/skUtils.h"

#include <QBuffer>

#include "platform/pfDesktop.h"

void SetWallpaper(const std::string& path, bool tile) { platform::desktop().SetWallpaper(path, tile); }

bool NoPrinter(const std::string& message) {
  if (platform::desktop().HasDefaultPrinter()) return false;
  if (!message.empty()) platform::ShowMessage(message, platform::MessageKind::Warning);
  return true;
}

std::string BitmapToJpeg(const QImage& bitmap, int quality) {
  if (bitmap.isNull()) return {};
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  bitmap.save(&buffer, "JPEG", std::clamp(quality, 1, 100));
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void ShellRun(const std::string& file, const std::string& params, const std::string& verb) {
  platform::desktop().ShellRun(file, params, verb);
}

std::string PickFile(const std::string& filter) { return platform::desktop().PickFile(filter); }

void BusyCursor(bool on) { platform::desktop().SetBusy(on); }

void HtmlHeader(TStrings& lines, const std::string& bodyAttributes) {
  lines.insert(lines.begin(), {"<html>", "<head></head>", "<body " + bodyAttributes + ">"});
}

void HtmlFooter(TStrings& lines) {
  lines.push_back("</body>");
  lines.push_back("</html>");
}
