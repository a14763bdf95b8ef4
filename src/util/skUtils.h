// Small system services and HTML text helpers. The services go through the platform desktop, so
// they behave the same in the viewer, the tool and the tests.
#pragma once

#include <QImage>
#include <memory>
#include <string>

#include "util/uUtils.h"

void SetWallpaper(const std::string& path, bool tile);
// True when no default printer is set up; `message`, when not empty, is shown first.
bool NoPrinter(const std::string& message);
// JPEG bytes of a picture at quality 1..100; empty for a null picture.
std::string BitmapToJpeg(const QImage& bitmap, int quality);
void ShellRun(const std::string& file, const std::string& params, const std::string& verb);
std::string PickFile(const std::string& filter);
void BusyCursor(bool on);
void HtmlHeader(TStrings& lines, const std::string& bodyAttributes);
void HtmlFooter(TStrings& lines);
