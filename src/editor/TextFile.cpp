#include "editor/TextFile.h"

#include "editor/AnsiCodec.h"
#include "editor/FileDecoder.h"
#include "editor/InPlaceWrite.h"
#include "editor/Utf8Codec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <new>

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

// A line ends at CR LF or at a lone CR. Text that arrives in pieces is given its line
// ends piece by piece: the character before `from` is looked at again, since a CR that
// ended the previous piece could not be judged then, and a CR at the very end waits
// for what follows it.
qsizetype countLoneCrs(QStringView text, qsizetype from)
{
    qsizetype count = 0;
    for (qsizetype i = text.indexOf(u'\r', std::max<qsizetype>(from - 1, 0)); i >= 0 && i + 1 < text.size();
         i = text.indexOf(u'\r', i + 1))
        count += text[i + 1] != u'\n' ? 1 : 0;
    return count;
}

// Puts a line feed after each of the `count` lone CRs that countLoneCrs found, in place:
// the string must have room for them. Working from the back moves each character once,
// and what comes before the first lone CR not at all.
void insertLineFeeds(QString &text, qsizetype count)
{
    if (count == 0)
        return;
    qsizetype from = text.size() - 1;
    text.resize(text.size() + count);
    char16_t *const d = reinterpret_cast<char16_t *>(text.data());
    qsizetype to = from + count;
    char16_t next = u'\n'; // a CR at the very end is not judged yet
    for (; to > from; --from) {
        const char16_t c = d[from];
        if (c == u'\r' && next != u'\n')
            d[to--] = u'\n';
        d[to--] = c;
        next = c;
    }
}

// The last line is followed by CR LF too; a CR still at the end is a lone one.
void endLastLine(QString &text)
{
    if (text.isEmpty() || text.endsWith(u"\r\n"))
        return;
    if (!text.endsWith(u'\r'))
        text.append(u'\r');
    text.append(u'\n');
}

// The text of a file as it is read: each piece is decoded straight into one string,
// reserved once from the file's size, and given its line ends there.
class TextBuilder {
public:
    explicit TextBuilder(qint64 fileSize) : m_expectedBytes(fileSize)
    {
        // At most one UTF-16 unit per byte, and the line end the last line may lack.
        m_text.reserve(qsizetype(fileSize) + 2);
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
        endLastLine(m_text);
        // Multi-byte text leaves much of the room unused, and never touched: give it back.
        m_text.squeeze();
        return std::move(m_text);
    }

private:
    void addLineEnds(qsizetype from)
    {
        const qsizetype loneCrs = countLoneCrs(m_text, from);
        makeRoom(m_text.size() + loneCrs);
        insertLineFeeds(m_text, loneCrs);
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
        const qint64 lineFeedsLeft = bytesLeft * m_lineFeedsAdded / std::max<qint64>(m_bytesRead, 1);
        m_text.reserve(units + qsizetype(bytesLeft + lineFeedsLeft) + 2);
    }

    QString m_text;
    qint64 m_expectedBytes;
    qint64 m_bytesRead = 0;
    qint64 m_lineFeedsAdded = 0;
};

} // namespace

QString TextFile::withLineEnds(QString text)
{
    if (const qsizetype loneCrs = countLoneCrs(text, 0)) {
        text.reserve(text.size() + loneCrs + 2);
        insertLineFeeds(text, loneCrs);
    }
    endLastLine(text);
    return text;
}

QString TextFile::noConverterReason() { return QStringLiteral("系统缺少 GB18030 编码转换器，无法转换文件中的文字"); }

TextFile::ReadResult TextFile::read(const QString &path, qsizetype chunkSize)
{
    Q_ASSERT(chunkSize > 0);
    ReadResult result;
    if (!AnsiCodec::available()) {
        result.reason = noConverterReason();
        return result;
    }
    const QFileInfo info(path);
    // Decided before opening: a folder cannot be read, and a pipe or device would
    // hold the program waiting or feed it without end.
    if (!info.exists()) {
        result.reason = reasonFor(ENOENT);
        return result;
    }
    if (info.isDir()) {
        result.reason = reasonFor(EISDIR);
        return result;
    }
    if (!info.isFile()) {
        result.reason = QStringLiteral("这不是一个普通文件");
        return result;
    }
    const QString tooLarge = QStringLiteral("文件太大（超过 %1 MB）").arg(MaxSize / (1024 * 1024));
    if (info.size() > MaxSize) {
        result.reason = tooLarge;
        return result;
    }

    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        result.reason = reasonFor(errno ? errno : EACCES);
        return result;
    }
    try {
        TextBuilder text(info.size());
        FileDecoder decoder;
        QByteArray chunk(chunkSize, Qt::Uninitialized);
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
            // The file may have grown since its size was read.
            total += got;
            if (total > MaxSize) {
                result.reason = tooLarge;
                return result;
            }
            text.add(decoder, QByteArrayView(chunk.constData(), got));
        }
        file.close();
        result.text = text.finish(decoder);
        result.encoding = decoder.encoding();
    } catch (const std::bad_alloc &) {
        result.text.clear();
        result.reason = reasonFor(ENOMEM);
        return result;
    }
    result.ok = true;
    return result;
}

QString TextFile::write(const QString &path, const QString &text, TextEncoding encoding)
{
    if (QFileInfo(path).isDir())
        return reasonFor(EISDIR);
    // UTF-8 needs no converter of the system's.
    if (encoding == TextEncoding::Gb18030 && !AnsiCodec::available())
        return noConverterReason();
    QByteArray bytes;
    try {
        bytes = encoding == TextEncoding::Gb18030 ? AnsiCodec::encode(text)
                                                  : Utf8Codec::encode(text, encoding == TextEncoding::Utf8WithBom);
    } catch (const std::bad_alloc &) {
        return reasonFor(ENOMEM);
    }
    auto inPlace = [&]() -> QString {
        try {
            bytes.append("\r\n", 2);
        } catch (const std::bad_alloc &) {
            return reasonFor(ENOMEM);
        }
        const int error = InPlaceWrite::write(path, bytes);
        return error ? reasonFor(error) : QString();
    };
    // A replacement would cut a file's other names off it or hand another user's file to us.
    if (InPlaceWrite::mustKeepFile(path))
        return inPlace();
    // The new contents go to a temporary file beside the old one, which is renamed over
    // it only once everything is on disk: a failure half-way leaves the old file intact.
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        const int error = errno ? errno : EACCES;
        // A folder that takes no new files may still hold a file we can write.
        if ((error == EACCES || error == EPERM) && QFileInfo(path).isFile())
            return inPlace();
        return reasonFor(error);
    }
    errno = 0;
    if (file.write(bytes) != bytes.size() || file.write("\r\n", 2) != 2) {
        const int error = errno ? errno : EIO;
        file.cancelWriting();
        return reasonFor(error);
    }
    errno = 0;
    if (!file.commit())
        return reasonFor(errno ? errno : EIO);
    return QString();
}

} // namespace korvane
