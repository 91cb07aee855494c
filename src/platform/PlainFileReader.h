#pragma once

#include <QString>

class QFile;

namespace korvane {

// Opens a file for reading only when it is a plain file, without waiting: a FIFO or a
// device put where a file of ours should be must neither hold the program up nor be read.
class PlainFileReader {
public:
    enum class Links { Follow, Refuse };
    // False, with file left closed, when path is not a plain file that can be read.
    static bool open(QFile &file, const QString &path, Links links);
};

} // namespace korvane
