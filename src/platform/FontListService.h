#pragma once

#include <QStringList>

namespace korvane {

class FontListService {
public:
    virtual ~FontListService() = default;
    virtual QStringList screenFonts() const = 0; // every family the screen offers
};

} // namespace korvane
