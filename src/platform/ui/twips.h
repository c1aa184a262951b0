#pragma once

#include <cmath>

namespace ui {

// Window sizes and places given in twips, at 15 twips a pixel.
constexpr int TwipsPerPixel = 15;

inline int twipsToPixels(int twips)
{
    return static_cast<int>(std::lround(twips / double(TwipsPerPixel)));
}

constexpr int pixelsToTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

} // namespace ui
