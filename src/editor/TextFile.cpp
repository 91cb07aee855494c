#include "editor/TextFile.h"

#include "editor/AnsiCodec.h"
#include "editor/InPlaceWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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

QString TextFile::withLineEnds(QString text)
{
    const auto *begin = reinterpret_cast<const char16_t *>(text.utf16());
    const char16_t *end = begin + text.size();
    auto loneCr = [end](const char16_t *p) { return *p == u'\r' && (p + 1 == end || p[1] != u'\n'); };
    qsizetype loneCrs = 0;
    for (const char16_t *p = begin; p < end; ++p)
        loneCrs += loneCr(p) ? 1 : 0;
    if (loneCrs > 0) {
        QString out;
        out.reserve(text.size() + loneCrs + 2);
        for (const char16_t *p = begin; p < end; ++p) {
            out.append(QChar(*p));
            if (loneCr(p))
                out.append(u'\n');
        }
        text = std::move(out);
    }
    if (!text.isEmpty() && !text.endsWith(QStringLiteral("\r\n")))
        text.append(QStringLiteral("\r\n"));
    return text;
}

QString TextFile::noConverterReason()
{
    return QStringLiteral("系统缺少 GB18030 编码转换器，无法转换文件中的文字");
}

TextFile::ReadResult TextFile::read(const QString &path)
{
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
        QByteArray bytes(file.size(), Qt::Uninitialized);
        errno = 0;
        qint64 got = file.read(bytes.data(), bytes.size());
        if (got < 0) {
            result.reason = reasonFor(errno ? errno : EIO);
            return result;
        }
        bytes.truncate(got);
        // The file may have grown since its size was read.
        char chunk[65536];
        while ((got = file.read(chunk, sizeof chunk)) > 0) {
            if (bytes.size() + got > MaxSize) {
                result.reason = tooLarge;
                return result;
            }
            bytes.append(chunk, got);
        }
        if (got < 0) {
            result.reason = reasonFor(errno ? errno : EIO);
            return result;
        }
        file.close();
        result.text = withLineEnds(AnsiCodec::decode(bytes));
    } catch (const std::bad_alloc &) {
        result.text.clear();
        result.reason = reasonFor(ENOMEM);
        return result;
    }
    result.ok = true;
    return result;
}

QString TextFile::write(const QString &path, const QString &text)
{
    if (QFileInfo(path).isDir())
        return reasonFor(EISDIR);
    if (!AnsiCodec::available())
        return noConverterReason();
    QByteArray bytes;
    try {
        bytes = AnsiCodec::encode(text);
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
