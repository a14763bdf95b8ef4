#include "engine/skValues.h"

#include <cstdio>

#include "util/cp1251.h"

QColor ToQColor(TColor color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor FromQColor(const QColor& color) {
  return static_cast<TColor>(color.red()) | static_cast<TColor>(color.green()) << 8 |
         static_cast<TColor>(color.blue()) << 16;
}

void ApplyFontValue(QFont& font, QColor& color, const std::string& value) {
  std::string rest = value;
  const std::string name = SplitFirst(rest, "*");
  const std::string size = SplitFirst(rest, "*");
  const std::string colour = SplitFirst(rest, "*");
  if (!name.empty()) font.setFamily(cp1251::ToQString(name));
  if (!size.empty()) font.setPointSize(std::max(1, StrToInt(size)));
  if (!colour.empty()) color = ToQColor(ParseColor(colour));
  if (rest.empty()) return;
  const std::string styles = cp1251::Lower(rest);
  font.setItalic(styles.find('i') != std::string::npos);
  font.setBold(styles.find('b') != std::string::npos);
  font.setUnderline(styles.find('u') != std::string::npos);
  font.setStrikeOut(false);
}

std::string FontText(const QFont& font, const QColor& color) {
  std::string styles;
  if (font.bold()) styles += 'b';
  if (font.italic()) styles += 'i';
  if (font.underline()) styles += 'u';
  return cp1251::FromQString(font.family()) + "*" + std::to_string(font.pointSize()) + "*" +
         ColorText(FromQColor(color)) + "*" + styles;
}

TAnchorValue ParseAnchor(const std::string& value) {
  std::string rest = value;
  auto field = [&rest]() -> std::optional<int> {
    const std::string f = SplitFirst(rest, " ");
    if (f == "*") return std::nullopt;
    return StrToInt(f);  // a missing field is empty text, which is no integer
  };
  TAnchorValue a;
  a.left = field();
  a.top = field();
  a.right = field();
  a.bottom = field();
  return a;
}

namespace {

struct CursorName {
  const char* name;
  int number;
  Qt::CursorShape shape;
};

constexpr CursorName kCursors[] = {
    {"crDefault", 0, Qt::ArrowCursor},        {"crArrow", -2, Qt::ArrowCursor},
    {"crCross", -3, Qt::CrossCursor},         {"crIBeam", -4, Qt::IBeamCursor},
    {"crSizeNESW", -6, Qt::SizeBDiagCursor},  {"crSizeNS", -7, Qt::SizeVerCursor},
    {"crSizeNWSE", -8, Qt::SizeFDiagCursor},  {"crSizeWE", -9, Qt::SizeHorCursor},
    {"crUpArrow", -10, Qt::UpArrowCursor},    {"crHourGlass", -11, Qt::WaitCursor},
    {"crDrag", -12, Qt::DragMoveCursor},      {"crNoDrop", -13, Qt::ForbiddenCursor},
    {"crHSplit", -14, Qt::SplitHCursor},      {"crVSplit", -15, Qt::SplitVCursor},
    {"crMultiDrag", -16, Qt::DragCopyCursor}, {"crSQLWait", -17, Qt::BusyCursor},
    {"crNo", -18, Qt::ForbiddenCursor},       {"crAppStart", -19, Qt::BusyCursor},
    {"crHelp", -20, Qt::WhatsThisCursor},     {"crHandPoint", -21, Qt::PointingHandCursor},
    {"crSizeAll", -22, Qt::SizeAllCursor},
};

}  // namespace

int ParseCursor(const std::string& value) {
  for (const CursorName& c : kCursors)
    if (cp1251::SameText(value, c.name)) return c.number;
  return StrToInt(value);
}

QCursor CursorFor(int number) {
  for (const CursorName& c : kCursors)
    if (c.number == number) return QCursor(c.shape);
  // The engine's own cursors: the zoom lenses and the open and closed hands of picture dragging.
  switch (number) {
    case 140:
    case 141:
    case 142:
      return QCursor(Qt::CrossCursor);
    case 143:
      return QCursor(Qt::OpenHandCursor);
    case 144:
      return QCursor(Qt::ClosedHandCursor);
    default:
      return QCursor(Qt::ArrowCursor);
  }
}

std::string ColorText(TColor color) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF,
                (color >> 16) & 0xFF);
  return buffer;
}
