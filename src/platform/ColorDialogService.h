#pragma once

#include <QColor>
#include <optional>

namespace korvane {

class ColorDialogService {
public:
    virtual ~ColorDialogService() = default;
    // The chosen colour, or nothing when the user cancels.
    virtual std::optional<QColor> showColor(const QColor &initial) = 0;
};

} // namespace korvane
