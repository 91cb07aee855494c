#pragma once

namespace korvane {

// The process-wide pseudo-random generator: uniform over [0, 1), seedable from the time of day.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double nextRandom() = 0;
    virtual void seedFromTime() = 0;
};

} // namespace korvane
