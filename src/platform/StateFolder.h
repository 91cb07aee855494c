#pragma once

#include <QString>

namespace korvane {

// Where the program keeps what it must find again after a restart but is not a
// setting: $XDG_STATE_HOME/Korvane, by default ~/.local/state/Korvane.
QString stateFolder();

// What a folder for the user's private files turned out to be.
struct PrivateFolder {
    enum Kind {
        Private,  // a folder of the user's that no one else may enter
        Foreign,  // owned by another user: whatever is in it may be theirs
        Shared,   // the user's, but open to others and it cannot be closed
        Unusable, // missing and cannot be made, or not a folder: error says why
    };
    Kind kind = Unusable;
    int error = 0; // errno, for Unusable
};

// Checks that path is a folder only the user may enter. One of the user's own that is
// open to others is closed to mode 0700, unless it is sticky (a shared folder such as
// /tmp, which must stay open). A missing folder is made, with mode 0700, when create is
// set (its parents as usual), and counts as private otherwise: nobody has put anything
// into it.
PrivateFolder checkPrivateFolder(const QString &path, bool create);

} // namespace korvane
