#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

namespace korvane {

// Window layouts are given in twips; on screen they become logical pixels at 15 twips each.
inline constexpr int TwipsPerPixel = 15;

// Rounds half to even, the rounding every numeric conversion of the program uses.
inline long long roundHalfEven(double v)
{
    return static_cast<long long>(std::nearbyint(v)); // default FE_TONEAREST mode is half-to-even
}

inline int twipsToPixels(double twips) { return static_cast<int>(roundHalfEven(twips / TwipsPerPixel)); }
inline int pixelsToTwips(double pixels) { return static_cast<int>(roundHalfEven(pixels * TwipsPerPixel)); }
inline QSize twipsToPixels(int w, int h) { return {twipsToPixels(w), twipsToPixels(h)}; }
inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

} // namespace korvane
