#pragma once

#include "editor/FileIdentity.h"
#include "editor/TextEncoding.h"

#include <QString>

namespace korvane {

// Reading and writing the editor's text files: their encoding (UTF-8 or the code page,
// FileDecoder), the line ends Open makes, and failures described in words the user can act on.
class TextFile {
public:
    // Larger files are refused: the text box and the memory they need would not cope.
    static constexpr qint64 MaxSize = qint64(256) * 1024 * 1024;

    struct ReadResult {
        bool ok = false;
        QString text;                                  // every line followed by CR LF
        QString reason;                                // why it failed, in Chinese
        TextEncoding encoding = TextEncoding::Gb18030; // what the file turned out to be
        FileIdentity identity{};                       // the file as it was read
    };

    // Files are read and decoded this many bytes at a time, straight into the text, so
    // that the whole file never sits in memory beside it.
    static constexpr qsizetype ReadChunkSize = 4 * 1024 * 1024;

    static ReadResult read(const QString &path, qsizetype chunkSize = ReadChunkSize);
    // Replaces the file's contents with the bytes of text in the encoding, followed by
    // CR LF; the old file stays as it was unless the new one was written completely, and
    // keeps everything but its contents: owner, group, mode, ACL and extended attributes.
    // A symbolic link stays a link and its target is written. Only regular files are
    // written. Returns once the text is on disk (fsync). Empty on success, else the reason;
    // written then tells the file as it is now.
    static QString write(const QString &path, const QString &text, TextEncoding encoding = TextEncoding::Gb18030,
                         FileIdentity *written = nullptr);

    // Why a folder, pipe, socket or device node (st_mode) is neither read nor written.
    static QString notRegularReason(unsigned mode);

    // Why nothing can be read or written when the code page's converter is missing.
    static QString noConverterReason();

    // Lines end at CR LF or at a lone CR (a lone LF stays inside its line), and every
    // line, the last one included, is followed by CR LF.
    static QString withLineEnds(QString text);

    // The reason of a failed system call, from its errno.
    static QString reasonFor(int error);
};

} // namespace korvane
