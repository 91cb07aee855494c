#include "platform/ProcMemInfo.h"

#include <QFile>
#include <limits>

namespace korvane {

std::optional<qint64> ProcMemInfo::available()
{
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The file is a few kilobytes; its size reads as 0, so readAll rather than size().
    return parseAvailable(file.readAll());
}

std::optional<qint64> ProcMemInfo::parseAvailable(QByteArrayView text)
{
    static constexpr QByteArrayView Key = "MemAvailable:";
    qsizetype at = text.indexOf(Key);
    while (at > 0 && text[at - 1] != '\n')
        at = text.indexOf(Key, at + 1);
    if (at < 0)
        return std::nullopt;
    qsizetype i = at + Key.size();
    while (i < text.size() && text[i] == ' ')
        ++i;
    qint64 kilobytes = 0;
    const qsizetype digits = i;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (kilobytes > (std::numeric_limits<qint64>::max() / 1024 - 9) / 10)
            return std::nullopt;
        kilobytes = kilobytes * 10 + (text[i] - '0');
    }
    if (i == digits || !text.sliced(i).trimmed().startsWith("kB"))
        return std::nullopt;
    return kilobytes * 1024;
}

} // namespace korvane
