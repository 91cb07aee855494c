#pragma once

#include <functional>

namespace korvane {

// One-shot timers on the GUI thread. Behaviour that waits asks for them here rather
// than owning a QTimer, so that tests move time on by hand instead of sleeping.
class TimerService {
public:
    virtual ~TimerService() = default;
    // Calls `due` once, msec milliseconds from now; the returned id cancels it.
    virtual int startSingleShot(int msec, std::function<void()> due) = 0;
    virtual void cancelSingleShot(int id) = 0;
};

} // namespace korvane
