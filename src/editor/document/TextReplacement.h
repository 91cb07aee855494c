#pragma once

#include <QString>

namespace korvane {

// [position, position + length) of a text reads `text` instead.
struct TextReplacement {
    qsizetype position = 0;
    qsizetype length = 0;
    QString text;
};

} // namespace korvane
