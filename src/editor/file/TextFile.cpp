#include "editor/file/TextFile.h"

#include "editor/file/AnsiCodec.h"
#include "editor/file/FileAttributes.h"
#include "editor/file/FileDecoder.h"
#include "editor/file/InPlaceWrite.h"
#include "editor/file/LineEnds.h"
#include "editor/file/NativePath.h"
#include "editor/file/Utf8Codec.h"

#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <functional>
#include <limits>
#include <new>
#include <optional>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

QString TextFile::reasonFor(int error)
{
    switch (error) {
    case ENOENT: return QStringLiteral("文件或文件夹不存在");
    case EACCES:
    case EPERM: return QStringLiteral("没有访问权限");
    case EISDIR: return QStringLiteral("这是一个文件夹");
    case ENOTDIR: return QStringLiteral("路径中有一部分不是文件夹");
    case ENOSPC: return QStringLiteral("磁盘空间不足");
    case EDQUOT: return QStringLiteral("超出了磁盘配额");
    case EFBIG: return QStringLiteral("超出了文件大小的限制");
    case EROFS: return QStringLiteral("磁盘是只读的");
    case ENAMETOOLONG: return QStringLiteral("文件名太长");
    case EMFILE:
    case ENFILE: return QStringLiteral("打开的文件太多");
    case ETXTBSY:
    case EBUSY: return QStringLiteral("文件正被占用");
    case ENOMEM: return QStringLiteral("内存不足");
    case EIO: return QStringLiteral("读写设备出错");
    default: return QStringLiteral("系统错误（代码 %1）").arg(error);
    }
}

namespace {

// The text of a file as it is read: each piece is decoded straight into one string,
// reserved once from the file's size, and given its line ends there.
class TextBuilder {
public:
    explicit TextBuilder(qint64 fileSize) : m_expectedBytes(fileSize)
    {
        // At most one UTF-16 unit per byte, and the line end the last line may lack.
        m_text.reserve(qsizetype(fileSize) + 2);
        adviseHugePages();
    }

    // The decoder tells where the text it changed begins: a change of encoding decodes
    // the text read so far again, and that text needs its line ends looked at again.
    void add(FileDecoder &decoder, QByteArrayView piece)
    {
        makeRoom(m_text.size() + decoder.maxDecodedSize(piece.size()));
        const qsizetype from = decoder.decode(piece, m_text);
        m_bytesRead += piece.size();
        addLineEnds(from);
    }

    QString finish(FileDecoder &decoder)
    {
        makeRoom(m_text.size() + decoder.maxDecodedSize(0));
        const qsizetype from = decoder.finish(m_text);
        addLineEnds(from);
        makeRoom(m_text.size() + 2);
        LineEnds::openEndLastLine(m_text);
        // Multi-byte text leaves much of the room unused, and never touched: give it back.
        m_text.squeeze();
        return std::move(m_text);
    }

private:
    void addLineEnds(qsizetype from)
    {
        const qsizetype loneCrs = LineEnds::openLoneCrs(m_text, from);
        makeRoom(m_text.size() + loneCrs);
        LineEnds::openAddLineFeeds(m_text, loneCrs);
        m_lineFeedsAdded += loneCrs;
    }

    // Only lone CRs, and a file that grew while it was read, outrun the first reservation.
    // Reserving for the rest of the file at the rate of line feeds added so far lets even
    // a file of nothing but lone CRs grow once or twice rather than at every piece.
    void makeRoom(qsizetype units)
    {
        if (units <= m_text.capacity())
            return;
        const qint64 bytesLeft = std::max<qint64>(m_expectedBytes - m_bytesRead, 0);
        // In floating point: the product of two counts of a big file's bytes overflows 64 bits.
        const auto lineFeedsLeft = qint64(double(bytesLeft) * double(m_lineFeedsAdded) /
                                          double(std::max<qint64>(m_bytesRead, 1)));
        m_text.reserve(units + qsizetype(bytesLeft + lineFeedsLeft) + 2);
        adviseHugePages();
    }

    // The room of a big file's text is filled page by page as it is decoded: in pages of
    // 2 MB rather than 4 kB, the kernel is asked for it a five-hundredth as often. Only a
    // hint; ignored where the kernel has no such pages.
    void adviseHugePages()
    {
        constexpr quintptr Page = 4096;
        const auto begin = reinterpret_cast<quintptr>(m_text.constData());
        const quintptr end = begin + quintptr(m_text.capacity()) * sizeof(char16_t);
        const quintptr from = (begin + Page - 1) & ~(Page - 1);
        const quintptr to = end & ~(Page - 1);
        if (to > from + 2 * 1024 * 1024)
            ::madvise(reinterpret_cast<void *>(from), to - from, MADV_HUGEPAGE);
    }

    QString m_text;
    qint64 m_expectedBytes;
    qint64 m_bytesRead = 0;
    qint64 m_lineFeedsAdded = 0;
};

} // namespace

QString TextFile::noConverterReason() { return QStringLiteral("系统缺少 GB18030 编码转换器，无法转换文件中的文字"); }

QString TextFile::notRegularReason(unsigned mode)
{
    const char *what = S_ISDIR(mode)                    ? "文件夹"
                       : S_ISFIFO(mode)                 ? "命名管道"
                       : S_ISSOCK(mode)                 ? "套接字"
                       : S_ISCHR(mode) || S_ISBLK(mode) ? "设备"
                                                        : nullptr;
    return what ? QStringLiteral("这是一个%1，不是普通文件").arg(QString::fromUtf8(what))
                : QStringLiteral("这不是普通文件");
}

qint64 TextFile::memoryNeeded(qint64 fileSize, QByteArrayView sample)
{
    const qint64 lineFeeds = sample.count('\n');
    const qint64 crLfs = sample.count("\r\n");
    const qint64 loneCrs = sample.count('\r') - crLfs;
    const qint64 sampleSize = std::max<qint64>(sample.size(), 1);
    // Scaled in floating point: the products overflow for files beyond a few exabytes.
    const double scale = double(std::max<qint64>(fileSize, 0)) / double(sampleSize);
    const double lines = double(lineFeeds + loneCrs) * scale + 1;
    const double units = double(fileSize) + double(loneCrs) * scale + 2;
    const double bytes = 2 * units + double(LineIndexBytesPerLine) * lines;
    return bytes >= 9e18 ? std::numeric_limits<qint64>::max() : qint64(bytes);
}

QString TextFile::notEnoughMemoryReason(qint64 needed, qint64 available)
{
    constexpr qint64 MB = 1024 * 1024;
    return QStringLiteral("文件太大，打开它约需 %1 MB 内存，而系统现在只有 %2 MB 可用")
        .arg(needed / MB + (needed % MB != 0 ? 1 : 0))
        .arg(std::max<qint64>(available, 0) / MB);
}

QString TextFile::cancelledReason() { return QStringLiteral("已取消"); }

TextFile::ReadResult TextFile::read(const QString &path, qsizetype chunkSize)
{
    return read(path, chunkSize, ReadGuards());
}

TextFile::ReadResult TextFile::read(const QString &path, qsizetype chunkSize, const ReadGuards &guards)
{
    Q_ASSERT(chunkSize > 0);
    ReadResult result;
    if (!AnsiCodec::available()) {
        result.reason = noConverterReason();
        return result;
    }
    const std::optional<QByteArray> native = NativePath::encode(path);
    if (!native) {
        result.reason = NativePath::unencodableReason();
        return result;
    }
    // Decided before opening: a folder cannot be read, and a pipe or device would
    // hold the program waiting or feed it without end.
    struct stat info {};
    if (::stat(native->constData(), &info) != 0) {
        result.reason = reasonFor(errno);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.reason = notRegularReason(info.st_mode);
        return result;
    }
    // Without blocking, should a pipe have taken the file's place meanwhile.
    const int fd = ::open(native->constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        result.reason = reasonFor(errno);
        return result;
    }
    QFile file;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        result.reason = notRegularReason(info.st_mode);
        ::close(fd);
        return result;
    }
    result.identity = FileIdentity::of(info);
    try {
        std::optional<TextBuilder> text;
        FileDecoder decoder;
        QByteArray chunk(chunkSize, Qt::Uninitialized);
        QByteArray sample; // the first chunk, which tells how long the lines are
        qint64 total = 0;
        for (;;) {
            errno = 0;
            const qint64 got = file.read(chunk.data(), chunk.size());
            if (got < 0) {
                result.reason = reasonFor(errno ? errno : EIO);
                return result;
            }
            if (got == 0)
                break;
            total += got;
            if (sample.isEmpty())
                sample = chunk.first(got);
            // Checked before the text takes its room, and again whenever the file turns
            // out longer than its size said: it may grow while it is read.
            if (guards.availableMemory && (!text || total > info.st_size)) {
                const qint64 needed = memoryNeeded(std::max<qint64>(total, info.st_size), sample);
                if (needed > *guards.availableMemory) {
                    result.reason = notEnoughMemoryReason(needed, *guards.availableMemory);
                    return result;
                }
            }
            if (!text)
                text.emplace(info.st_size);
            text->add(decoder, QByteArrayView(chunk.constData(), got));
            if (guards.progress && !guards.progress(total, std::max<qint64>(total, info.st_size))) {
                result.cancelled = true;
                result.reason = cancelledReason();
                return result;
            }
        }
        file.close();
        if (!text)
            text.emplace(0);
        result.text = text->finish(decoder);
        result.encoding = decoder.encoding();
    } catch (const std::bad_alloc &) {
        result.text.clear();
        result.reason = reasonFor(ENOMEM);
        return result;
    }
    result.ok = true;
    return result;
}

namespace {

// The file a path finally names: symbolic links are followed to their target, which is
// what gets written, so that the link stays a link. A link to nothing names the file it
// would point to. Empty, with the errno, when the links cannot be followed.
QByteArray followLinks(QByteArray path, int &error)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(path.constData(), &info) != 0) {
            error = errno == ENOENT ? 0 : errno;
            return error ? QByteArray() : path;
        }
        if (!S_ISLNK(info.st_mode))
            return path;
        QByteArray target(PATH_MAX, Qt::Uninitialized);
        const ssize_t n = ::readlink(path.constData(), target.data(), size_t(target.size()));
        if (n < 0) {
            error = errno;
            return {};
        }
        target.truncate(n);
        const qsizetype slash = path.lastIndexOf('/');
        if (!target.startsWith('/') && slash >= 0)
            target.prepend(path.left(slash + 1));
        path = target;
    }
    error = ELOOP;
    return {};
}

// A new name beside target: the target's own name, shortened so that the name with its
// suffix stays within the file system's 255 bytes, and a random suffix.
QByteArray temporaryName(const QByteArray &target)
{
    const qsizetype slash = target.lastIndexOf('/');
    QByteArray name = target.mid(slash + 1);
    qsizetype keep = std::min<qsizetype>(name.size(), 200);
    while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
        --keep; // not inside a character
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray suffix(".");
    for (int i = 0; i < 6; ++i)
        suffix.append(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
    return target.left(slash + 1) + name.left(keep) + suffix;
}

void syncFolderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        // Only makes the rename last through a power cut; the text is safe either way.
        if (::fsync(fd) != 0) {
        }
        ::close(fd);
    }
}

// The new contents go to a temporary file beside the old one, which is renamed over it
// only once everything is on disk and the new file has all the old one's attributes: a
// failure half-way leaves the old file intact. inPlace is set when this way cannot keep
// the file as it was but writing it in place may.
//
// writeContents fills the new file; ECANCELED from it, or from stillWanted before the
// rename, removes the new file and leaves the old one alone.
int replaceAtomically(const QByteArray &target, const std::function<int(int fd)> &writeContents,
                      const std::function<bool()> &stillWanted, const struct stat *old, FileIdentity *written,
                      bool &inPlace)
{
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = temporaryName(target);
        // A new file gets the usual mode, after the umask; a replacement gets the old
        // file's mode once it is complete, and nobody else's eyes before.
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, old ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        const int error = errno;
        // A folder that takes no new files may still hold a file we can write.
        inPlace = old && (error == EACCES || error == EPERM || error == ENAMETOOLONG);
        return error;
    }
    int error = writeContents(fd);
    if (!error && old) {
        const int from = ::open(target.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (from < 0 || !FileAttributes::copy(from, *old, fd)) {
            inPlace = true;
            error = from < 0 ? errno : EPERM;
        }
        if (from >= 0)
            ::close(from);
    }
    if (!error && ::fsync(fd) != 0)
        error = errno;
    // The last moment to stop: after the rename the new file is the file.
    if (!error && !stillWanted())
        error = ECANCELED;
    if (!error && ::rename(temporary.constData(), target.constData()) != 0)
        error = errno;
    if (error) {
        ::close(fd);
        ::unlink(temporary.constData());
        return error;
    }
    syncFolderOf(target);
    struct stat info {};
    if (written && ::fstat(fd, &info) == 0)
        *written = FileIdentity::of(info);
    ::close(fd);
    return 0;
}

} // namespace

TextFile::PieceEncoder::PieceEncoder(QStringView text, TextEncoding encoding, qsizetype pieceUnits)
    : m_text(text), m_encoding(encoding), m_pieceUnits(std::max<qsizetype>(pieceUnits, 2))
{}

bool TextFile::PieceEncoder::next(QByteArray &bytes)
{
    if (m_ended)
        return false;
    if (m_pos == m_text.size()) {
        bytes = LineEnds::savedEnd();
        // An empty text still gets its byte-order mark.
        if (m_text.isEmpty() && m_encoding == TextEncoding::Utf8WithBom)
            bytes.prepend(Utf8Codec::ByteOrderMark, Utf8Codec::ByteOrderMarkSize);
        m_ended = true;
        return true;
    }
    qsizetype n = std::min(m_pieceUnits, m_text.size() - m_pos);
    // The halves of a pair are encoded together; a lone half the same way in any piece.
    if (m_pos + n < m_text.size() && m_text[m_pos + n - 1].isHighSurrogate() && m_text[m_pos + n].isLowSurrogate())
        --n;
    const QStringView piece = m_text.sliced(m_pos, n);
    bytes = m_encoding == TextEncoding::Gb18030
                ? AnsiCodec::encode(piece)
                : Utf8Codec::encode(piece, m_pos == 0 && m_encoding == TextEncoding::Utf8WithBom);
    m_pos += n;
    return true;
}

QString TextFile::write(const QString &path, const QString &text, TextEncoding encoding, FileIdentity *written,
                        const Progress &progress, bool *cancelled)
{
    if (cancelled)
        *cancelled = false;
    const std::optional<QByteArray> native = NativePath::encode(path);
    if (!native)
        return NativePath::unencodableReason();
    int error = 0;
    const QByteArray target = followLinks(*native, error);
    if (error)
        return reasonFor(error);
    struct stat info {};
    const bool exists = ::stat(target.constData(), &info) == 0;
    if (!exists && errno != ENOENT)
        return reasonFor(errno);
    // A pipe, socket, device or folder is never replaced by a file, nor opened.
    if (exists && !S_ISREG(info.st_mode))
        return notRegularReason(info.st_mode);
    // UTF-8 needs no converter of the system's.
    if (encoding == TextEncoding::Gb18030 && !AnsiCodec::available())
        return noConverterReason();

    const qint64 total = text.size();
    auto stillWanted = [&](qint64 done) { return !progress || progress(done, total); };
    auto outcome = [&](int e) {
        if (e == ECANCELED) {
            if (cancelled)
                *cancelled = true;
            return cancelledReason();
        }
        return e ? reasonFor(e) : QString();
    };
    try {
        // A replacement would cut a file's other names off it or hand another user's file to us.
        bool inPlace = exists && InPlaceWrite::mustKeepFile(info);
        if (!inPlace) {
            // The bytes go to the new file piece by piece, as they are encoded.
            auto writePieces = [&](int fd) {
                PieceEncoder encoder(text, encoding);
                QByteArray piece;
                qint64 offset = 0;
                while (encoder.next(piece)) {
                    if (const int e = InPlaceWrite::writeAt(fd, piece, offset))
                        return e;
                    // Sent on to the disk now rather than all at the final fsync, which
                    // then has little left to do and holds the window still only briefly.
                    ::sync_file_range(fd, offset, piece.size(), SYNC_FILE_RANGE_WRITE);
                    offset += piece.size();
                    if (!stillWanted(encoder.done()))
                        return ECANCELED;
                }
                return 0;
            };
            error = replaceAtomically(
                target, writePieces, [&] { return stillWanted(total); }, exists ? &info : nullptr, written, inPlace);
            if (!inPlace)
                return outcome(error);
        }
        // In place the file's new size must be known before the first byte is written (room
        // is made for it first) and the old bytes kept to put back: the whole text is
        // encoded first, and may be stopped until then.
        QByteArray bytes;
        PieceEncoder encoder(text, encoding);
        QByteArray piece;
        while (encoder.next(piece)) {
            bytes.append(piece);
            if (!stillWanted(encoder.done()))
                return outcome(ECANCELED);
        }
        piece = QByteArray();
        return outcome(InPlaceWrite::write(target, bytes, written));
    } catch (const std::bad_alloc &) {
        return reasonFor(ENOMEM);
    }
}

} // namespace korvane
