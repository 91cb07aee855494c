#pragma once

namespace korvane {

class BeepService {
public:
    virtual ~BeepService() = default;
    virtual void beep() = 0;
};

} // namespace korvane
