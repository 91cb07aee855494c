#pragma once

#include <QByteArray>
#include <QString>

namespace korvane {

// Rewriting an existing file where it stands, instead of putting a new file in its place.
// A new file would have only the one name that was saved to (a file with several names
// keeps its old contents under the others) and would belong to whoever saved it; and a
// folder that takes no new files still lets us write a file that is writable itself.
class InPlaceWrite {
public:
    // The file exists and has other names too, or belongs to someone else.
    static bool mustKeepFile(const QString &path);
    // Puts bytes over the file's contents and cuts off whatever is left of the old ones.
    // The old contents are kept until the new ones are on disk and are written back when
    // that fails. 0 on success, else the errno of the failure.
    static int write(const QString &path, const QByteArray &bytes);
};

} // namespace korvane
