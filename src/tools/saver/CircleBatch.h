#pragma once

#include <QList>
#include <cstdint>

namespace korvane {

class RandomSource;
struct SaverModule;

// One filled disc of the saver, in twips from the surface's top-left corner.
struct SaverCircle {
    qint64 x = 0;
    qint64 y = 0;
    qint64 radius = 0;
    std::uint32_t colour = 0; // red in the low byte, then green, then blue
};

// Circles per batch for a size: 200 / size / size, rounded half to even.
int circlesPerBatch(int saverSize);

// One batch of random circles for a surface of this size (twips). Takes four draws of the
// program's random source per circle (x, y, colour, radius) and never seeds it.
QList<SaverCircle> drawRandomCircles(SaverModule &module, RandomSource &random, double surfaceWidth,
                                     double surfaceHeight);

} // namespace korvane
