#include "tools/saver/CircleBatch.h"

#include "platform/RandomSource.h"
#include "platform/Twips.h"
#include "tools/saver/SaverModule.h"

namespace korvane {

int circlesPerBatch(int saverSize)
{
    if (saverSize == 0)
        return 0;
    return static_cast<int>(roundHalfEven(200.0 / saverSize / saverSize));
}

QList<SaverCircle> drawRandomCircles(SaverModule &module, RandomSource &random, double surfaceWidth,
                                     double surfaceHeight)
{
    module.targetWidth = roundHalfEven(surfaceWidth);
    module.targetHeight = roundHalfEven(surfaceHeight);
    const int count = circlesPerBatch(module.saverSize);
    QList<SaverCircle> circles;
    circles.reserve(std::max(count, 0));
    for (int i = 1; i <= count; ++i) {
        const double r1 = random.nextRandom();
        const double r2 = random.nextRandom();
        const double r3 = random.nextRandom();
        const double r4 = random.nextRandom();
        SaverCircle c;
        c.x = roundHalfEven(r1 * static_cast<double>(module.targetWidth));
        c.y = roundHalfEven(r2 * static_cast<double>(module.targetHeight));
        c.colour = static_cast<std::uint32_t>(roundHalfEven(r3 * 16777215.0));
        c.radius = roundHalfEven(r4 * static_cast<double>(module.targetWidth) / 400.0 * module.saverSize *
                                 module.saverSize);
        circles.append(c);
    }
    return circles;
}

} // namespace korvane
