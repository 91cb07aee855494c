#pragma once

#include <QString>

namespace korvane {

// Where the program keeps what it must find again after a restart but is not a
// setting: $XDG_STATE_HOME/Korvane, by default ~/.local/state/Korvane.
QString stateFolder();

} // namespace korvane
