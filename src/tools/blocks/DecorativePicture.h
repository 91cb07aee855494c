#pragma once

#include <QImage>

namespace korvane::blocks::DecorativePicture {

inline constexpr int Width = 250;
inline constexpr int Height = 432;

// The photograph beside the board: mountains over a lake at dusk, painted once at
// start-up (always the same picture).
QImage make();

} // namespace korvane::blocks::DecorativePicture
