#pragma once

#include <QByteArrayView>
#include <QtGlobal>
#include <optional>

namespace korvane {

// The kernel's /proc/meminfo.
class ProcMemInfo {
public:
    // MemAvailable in bytes, read now; empty without /proc or on a kernel too old to say.
    static std::optional<qint64> available();
    // The MemAvailable line of the file's text ("MemAvailable:   123456 kB").
    static std::optional<qint64> parseAvailable(QByteArrayView text);
};

} // namespace korvane
