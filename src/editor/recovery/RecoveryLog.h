#pragma once

#include "editor/recovery/RecoveryRecord.h"

#include <QByteArray>
#include <QStringView>
#include <optional>

class QIODevice;

namespace korvane {

// The layout of a recovery record. Format 2: a first line naming the format, one line
// of JSON with everything but the text (its "length" padded to a fixed width, so that a
// base written in pieces can fill it in last), the base text as raw UTF-16LE, then a log
// of operations made since, each framed as
//     kind (u32) | payload size (u64) | payload | CRC-32 of all before it (u32)
// all little-endian. A replacement's payload is its position and removed length (u64
// each) and the inserted text as UTF-16LE; a header's is a line of JSON like the first.
// A crash in the middle of an append leaves an operation that is cut short or fails its
// check: reading stops there, with the text as of the last whole operation.
// Format 1, a previous version's, is the same without the log and without the padding.
class RecoveryLog {
public:
    static inline const QByteArray MagicV1 = QByteArrayLiteral("Korvane recovery 1\n");
    static inline const QByteArray Magic = QByteArrayLiteral("Korvane recovery 2\n");
    enum Kind : quint32 { Replace = 1, Header = 2 };
    static constexpr int LengthWidth = 20;
    // Where the padded length starts, from the start of the file.
    static qsizetype lengthOffset() { return Magic.size() + 10; }

    // The first line and the header line of a base of units code units.
    static QByteArray baseHead(const RecoveryRecord &header, qint64 units);
    // The length as it stands in the header line, padded to LengthWidth.
    static QByteArray lengthField(qint64 units);
    static void appendReplace(QByteArray &out, qint64 position, qint64 removed, QStringView added);
    static void appendHeader(QByteArray &out, const RecoveryRecord &header);

    // Reads a record of either format from device, from its start. Nothing when it is of
    // another format, or its head or base is cut short. Without withText the text stays
    // empty, though every operation is still checked.
    static std::optional<RecoveryRecord> read(QIODevice &device, bool withText);
};

} // namespace korvane
