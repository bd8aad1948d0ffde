// The window's layout is given in twips; at normal scale a pixel is 15 twips, and Qt's
// high-DPI scaling takes care of larger screens.
#pragma once

#include <QRect>

namespace tallimark {

constexpr int twipsPerPixel = 15;

constexpr int pixels(int twips)
{
    return twips / twipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

} // namespace tallimark
