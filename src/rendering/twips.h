// RTF gives lengths (indents, spacing) in twips; at normal scale a pixel is 15 twips, and Qt's
// high-DPI scaling takes care of larger screens.
#pragma once

namespace tallimark {

constexpr int twipsPerPixel = 15;

constexpr int pixels(int twips)
{
    return twips / twipsPerPixel;
}

} // namespace tallimark
