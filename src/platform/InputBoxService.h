#pragma once

#include <QString>

namespace korvane {

// Modal text prompt with OK and Cancel; Cancel answers with empty text.
class InputBoxService {
public:
    virtual ~InputBoxService() = default;
    virtual QString inputBox(const QString &prompt, const QString &title, const QString &initial = QString()) = 0;
};

} // namespace korvane
