#pragma once

#include <QtGlobal>

namespace korvane {

// The saver's state shared by all its runs; one instance lives as long as the program.
// Sizes are kept wider than the screen could ever need, so screens wider than 2184
// pixels (32767 twips) draw like any other.
struct SaverModule {
    int saverSize = 0;   // circle size setting, 1..9, reloaded at every start
    int usePassword = 0; // leading number of "ScreenSaveUsePassword", 0 when absent
    int platformId = 0;  // as reported by the system; 2 = it checks passwords itself
    int moveCount = 0;   // mouse moves counted by the saver window, never reset by a new start
    qint64 targetWidth = 0;
    qint64 targetHeight = 0;
};

} // namespace korvane
