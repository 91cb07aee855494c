#pragma once

#include <QString>

namespace korvane {

// One search position, search text and match-case flag for the whole program.
struct SearchState {
    qsizetype position = 0; // 1-based position of the last match, 0 for none
    QString text;
    bool matchCase = false;
};

} // namespace korvane
