// The value forms of structure-file keys. Each is a free function so that it can be tested by a
// table of cases; widgets receive values already parsed.
#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <optional>
#include <string>

#include "util/uUtils.h"

// A colour value (00BBGGRR) as Qt's colour.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

// The font form "name*size*colour*styles": empty fields keep what the font had; a non-empty
// styles field replaces the style by its letters b, i and u. Throws EConvertError for a bad size
// or colour.
void ApplyFontValue(QFont& font, QColor& color, const std::string& value);
// A font as `remont-tool dump` prints it: NAME*SIZE*#RRGGBB*STYLES.
std::string FontText(const QFont& font, const QColor& color);

// The anchor form "L T R B", each an integer distance or "*". Throws EConvertError for a field
// that is neither (a missing field included).
struct TAnchorValue {
  std::optional<int> left, top, right, bottom;
};
TAnchorValue ParseAnchor(const std::string& value);

// The cursor form: a name of the original cursor table, or its number.
int ParseCursor(const std::string& value);
QCursor CursorFor(int number);

// "#RRGGBB" of a colour value, for dumps.
std::string ColorText(TColor color);
