#pragma once

#include "editor/file/FileIdentity.h"
#include "editor/file/TextEncoding.h"

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <optional>

namespace korvane {

// Reading and writing the editor's text files: their encoding (UTF-8 or the code page,
// FileDecoder), the line ends of Open and Save (LineEnds), and failures described in words the user can act on.
class TextFile {
public:
    // Told how far a long read or write has come (done of total, in any unit); returns
    // false once the user wants it stopped.
    using Progress = std::function<bool(qint64 done, qint64 total)>;

    struct ReadResult {
        bool ok = false;
        QString text;                                  // LineEnds::opened
        QString reason;                                // why it failed, in Chinese
        TextEncoding encoding = TextEncoding::Gb18030; // what the file turned out to be
        FileIdentity identity{};                       // the file as it was read
        bool cancelled = false;                        // the user stopped the reading
    };

    // What a read may take, and who hears how far it has come.
    struct ReadGuards {
        // A file whose text would need more memory than this (memoryNeeded) is refused;
        // none is when the figure is unknown.
        std::optional<qint64> availableMemory;
        // Told after each chunk; the read stops, with nothing kept, when it says so.
        Progress progress;
    };

    // Files are read and decoded this many bytes at a time, straight into the text, so
    // that the whole file never sits in memory beside it.
    static constexpr qsizetype ReadChunkSize = 4 * 1024 * 1024;

    static ReadResult read(const QString &path, qsizetype chunkSize = ReadChunkSize);
    static ReadResult read(const QString &path, qsizetype chunkSize, const ReadGuards &guards);

    // What the document's line index takes for each line, with room to spare.
    static constexpr qint64 LineIndexBytesPerLine = 10;
    // The memory, in bytes, that the text of a file of fileSize bytes needs once open: two
    // bytes for each UTF-16 unit (never more units than bytes, but a line feed added to
    // each lone CR) and the line index, for as many lines as sample, the file's first
    // bytes, has for its size.
    static qint64 memoryNeeded(qint64 fileSize, QByteArrayView sample);
    // Why a file that needs more memory than is available is not opened; both in MB.
    static QString notEnoughMemoryReason(qint64 needed, qint64 available);

    // Text is encoded and written this many UTF-16 units at a time, so that the bytes of
    // the whole text are never in memory at once.
    static constexpr qsizetype WritePieceUnits = 1024 * 1024;
    // Replaces the file's contents with the bytes of text in the encoding, followed by
    // CR LF; the old file stays as it was unless the new one was written completely, and
    // keeps everything but its contents: owner, group, mode, ACL and extended attributes.
    // A symbolic link stays a link and its target is written. Only regular files are
    // written. Returns once the text is on disk (fsync). Empty on success, else the reason;
    // written then tells the file as it is now.
    //
    // progress hears after each piece; when it says stop, the file stays exactly as it was and
    // *cancelled is set (the reason is then cancelledReason()). Once the new file is
    // complete, renaming it into place is not stopped. A file rewritten in place (see
    // InPlaceWrite) can be stopped only before its first byte is written.
    static QString write(const QString &path, const QString &text, TextEncoding encoding = TextEncoding::Gb18030,
                         FileIdentity *written = nullptr, const Progress &progress = {}, bool *cancelled = nullptr);
    static QString cancelledReason();

    // The bytes write() puts in the file, piece by piece: the encoded text, then CR LF.
    // A piece ends between two characters, never between the halves of a surrogate pair.
    class PieceEncoder {
    public:
        PieceEncoder(QStringView text, TextEncoding encoding, qsizetype pieceUnits = WritePieceUnits);
        // The next piece into bytes; false when there is none left.
        bool next(QByteArray &bytes);
        // How many units of the text have been encoded so far.
        qsizetype done() const { return m_pos; }

    private:
        QStringView m_text;
        TextEncoding m_encoding;
        qsizetype m_pieceUnits;
        qsizetype m_pos = 0;
        bool m_ended = false;
    };

    // Why a folder, pipe, socket or device node (st_mode) is neither read nor written.
    static QString notRegularReason(unsigned mode);

    // Why nothing can be read or written when the code page's converter is missing.
    static QString noConverterReason();

    // The reason of a failed system call, from its errno.
    static QString reasonFor(int error);
};

} // namespace korvane
