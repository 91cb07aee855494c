#include "editor/recovery/RecoveryFile.h"

#include "editor/TextFile.h"
#include "platform/PlainFileReader.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

namespace {

// A header is a few hundred bytes; anything longer is not one of ours.
constexpr qint64 MaxHeaderLine = 1 << 20;

QString reasonOf(int error) { return TextFile::reasonFor(error ? error : EIO); }

} // namespace

QByteArray RecoveryFile::encode(const RecoveryRecord &record)
{
    QByteArray out;
    encodeInto(record, out);
    return out;
}

void RecoveryFile::encodeInto(const RecoveryRecord &record, QByteArray &out)
{
    const TextFont &f = record.font;
    const QJsonObject font{
        {QStringLiteral("name"), f.name},
        {QStringLiteral("size"), f.size},
        {QStringLiteral("bold"), f.bold},
        {QStringLiteral("italic"), f.italic},
        {QStringLiteral("underline"), f.underline},
        {QStringLiteral("strikethrough"), f.strikethrough},
        {QStringLiteral("color"), f.foreColor.name(QColor::HexArgb)},
    };
    QJsonObject head{
        {QStringLiteral("slot"), record.slot},
        {QStringLiteral("title"), record.title},
        {QStringLiteral("fileTitle"), record.fileTitle},
        {QStringLiteral("filePath"), record.filePath},
        {QStringLiteral("font"), font},
        {QStringLiteral("length"), double(record.text.size())},
    };
    if (!record.encoding.isEmpty())
        head.insert(QStringLiteral("encoding"), record.encoding);
    const QByteArray json = QJsonDocument(head).toJson(QJsonDocument::Compact);

    const qsizetype units = record.text.size();
    const qsizetype at = Magic.size() + json.size() + 1;
    const qsizetype size = at + units * 2;
    // Room to spare, so that a document that grows while it is typed into does not need
    // fresh memory for every write.
    if (out.capacity() < size)
        out.reserve(size + size / 8);
    out.resize(size);
    char *p = out.data();
    std::memcpy(p, Magic.constData(), size_t(Magic.size()));
    std::memcpy(p + Magic.size(), json.constData(), size_t(json.size()));
    p[at - 1] = '\n';
    qToLittleEndian<quint16>(record.text.utf16(), units, p + at);
}

QString RecoveryFile::writeAtomically(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temp = target + ".tmp";
    // Always a file of its own, never one that something put in its place: a temporary
    // that a killed write left behind is unlinked (a link itself, not what it names).
    constexpr int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    int fd = ::open(temp.constData(), flags, 0600);
    if (fd < 0 && errno == EEXIST && ::unlink(temp.constData()) == 0)
        fd = ::open(temp.constData(), flags, 0600);
    if (fd < 0)
        return reasonOf(errno);
    int error = 0;
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(std::min<qsizetype>(left, qsizetype(1) << 30)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? errno : EIO;
            break;
        }
        p += n;
        left -= n;
    }
    // Renamed before its data is on the disk, a power cut could leave an empty file
    // where the previous record was.
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && ::rename(temp.constData(), target.constData()) != 0)
        error = errno;
    if (error) {
        ::unlink(temp.constData());
        return reasonOf(error);
    }
    // The rename is an entry of the folder: it is on the disk once the folder is.
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return QString();
}

std::optional<RecoveryRecord> RecoveryFile::read(const QString &path, bool withText)
{
    // Only a plain file is a record, and a link is not followed.
    QFile file;
    if (!PlainFileReader::open(file, path, PlainFileReader::Links::Refuse))
        return std::nullopt;
    if (file.read(Magic.size()) != Magic)
        return std::nullopt;
    const QByteArray line = file.readLine(MaxHeaderLine);
    if (!line.endsWith('\n'))
        return std::nullopt;
    QJsonParseError error{};
    const QJsonDocument json = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !json.isObject())
        return std::nullopt;
    const QJsonObject head = json.object();
    const double length = head.value(QStringLiteral("length")).toDouble(-1);
    if (length < 0 || length != std::floor(length))
        return std::nullopt;
    const qint64 units = qint64(length);
    // A file cut short by a full disk or a crash before its flush is not a record.
    if (file.size() - file.pos() != units * 2)
        return std::nullopt;

    RecoveryRecord record;
    record.slot = head.value(QStringLiteral("slot")).toInt();
    record.title = head.value(QStringLiteral("title")).toString();
    record.fileTitle = head.value(QStringLiteral("fileTitle")).toString();
    record.filePath = head.value(QStringLiteral("filePath")).toString();
    record.encoding = head.value(QStringLiteral("encoding")).toString();
    const QJsonObject font = head.value(QStringLiteral("font")).toObject();
    record.font.name = font.value(QStringLiteral("name")).toString();
    record.font.size = font.value(QStringLiteral("size")).toDouble(record.font.size);
    record.font.bold = font.value(QStringLiteral("bold")).toBool();
    record.font.italic = font.value(QStringLiteral("italic")).toBool();
    record.font.underline = font.value(QStringLiteral("underline")).toBool();
    record.font.strikethrough = font.value(QStringLiteral("strikethrough")).toBool();
    const QColor color(font.value(QStringLiteral("color")).toString());
    if (color.isValid())
        record.font.foreColor = color;
    if (withText) {
        record.text = QString(units, Qt::Uninitialized);
        char *into = reinterpret_cast<char *>(record.text.data());
        if (file.read(into, units * 2) != units * 2)
            return std::nullopt;
        qFromLittleEndian<quint16>(into, units, into);
    }
    return record;
}

} // namespace korvane
