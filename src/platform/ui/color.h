#pragma once

#include <QColor>

namespace ui {

// Colour numbers as the program writes them: red in the lowest byte, then green,
// then blue (0x00BBGGRR); numbers 0x80000000 to 0x800000FF are system colours,
// taken from the application's palette (0x80000005 the window background,
// 0x8000000F the button face, 0x80000008 the window text ...).
QColor fromVbColor(long long number);

// The colour number of a colour (0x00BBGGRR).
long toVbColor(const QColor &color);

} // namespace ui
