#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace korvane {

// File names as Linux keeps them: bytes, usually but not always UTF-8 (names from old
// archives are often GBK). Qt's own conversion turns every byte that is not UTF-8 into
// U+FFFD, so two different files could end up with one name. Here a name is decoded
// without loss: valid UTF-8 as its characters, every other byte b as the lone surrogate
// U+DC00 + b, which no valid UTF-8 name can produce. Paths then travel through the
// program as QString and are turned back into exactly the bytes they came from.
class NativePath {
public:
    static QString decode(const QByteArray &bytes);
    // The bytes of a path, or nothing when the text is not what decode() makes of any
    // bytes (a lone surrogate of another kind, a byte that UTF-8 would spell differently):
    // such a name is refused rather than taken for another file.
    static std::optional<QByteArray> encode(const QString &path);
    // The name for people to read: bytes that are not UTF-8 are read as GB18030 where
    // they make sense as such, else shown as U+FFFD.
    static QString shown(const QString &path);
    // Why a name that encode() refuses cannot be used.
    static QString unencodableReason();

    // A path that a file dialog gave back. The dialog shows each byte of a name that is not
    // UTF-8 as U+FFFD and returns the name so: the file meant is the one file of the folder
    // whose name reads so. Nothing when several do; the path as it is when none does.
    static std::optional<QString> fromDialog(const QString &path);
    // Why fromDialog() found nothing.
    static QString ambiguousReason();
};

} // namespace korvane
