#pragma once

#include <QDateTime>

namespace korvane {

// Today's date and the time of day, local time.
class ClockService {
public:
    virtual ~ClockService() = default;
    virtual QDateTime now() const = 0;
};

} // namespace korvane
