#include "editor/recovery/RecoveryLog.h"

#include "editor/recovery/ReplayText.h"

#include <QIODevice>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <zlib.h>

namespace korvane {

namespace {

// A header is a few hundred bytes; anything longer is not one of ours.
constexpr qint64 MaxHeaderLine = 1 << 20;
// kind and payload size before the payload, the check after it.
constexpr qsizetype FrameHead = 12;
constexpr qsizetype FrameTail = 4;
// A replacement's position and removed length.
constexpr qsizetype ReplaceHead = 16;

QJsonObject headerObject(const RecoveryRecord &record)
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
    };
    if (!record.encoding.isEmpty())
        head.insert(QStringLiteral("encoding"), record.encoding);
    return head;
}

void takeHeader(const QJsonObject &head, RecoveryRecord &record)
{
    record.slot = head.value(QStringLiteral("slot")).toInt();
    record.title = head.value(QStringLiteral("title")).toString();
    record.fileTitle = head.value(QStringLiteral("fileTitle")).toString();
    record.filePath = head.value(QStringLiteral("filePath")).toString();
    record.encoding = head.value(QStringLiteral("encoding")).toString();
    const QJsonObject font = head.value(QStringLiteral("font")).toObject();
    record.font = TextFont();
    record.font.name = font.value(QStringLiteral("name")).toString();
    record.font.size = font.value(QStringLiteral("size")).toDouble(record.font.size);
    record.font.bold = font.value(QStringLiteral("bold")).toBool();
    record.font.italic = font.value(QStringLiteral("italic")).toBool();
    record.font.underline = font.value(QStringLiteral("underline")).toBool();
    record.font.strikethrough = font.value(QStringLiteral("strikethrough")).toBool();
    const QColor color(font.value(QStringLiteral("color")).toString());
    if (color.isValid())
        record.font.foreColor = color;
}

// The header line, read a little at a time: asked for in one piece, the longest a line
// may be would be allocated for every record.
QByteArray readHeaderLine(QIODevice &device)
{
    QByteArray line;
    char chunk[4096];
    while (line.size() < MaxHeaderLine && !line.endsWith('\n')) {
        const qint64 n = device.readLine(chunk, sizeof chunk);
        if (n <= 0)
            break;
        line.append(chunk, qsizetype(n));
    }
    return line;
}

QByteArray compactJson(const QJsonObject &object)
{
    // Qt's reader takes a U+FEFF that starts a string for a byte order mark and drops it
    // (a name may well start with one); escaped, it comes back. Outside strings JSON has
    // no such bytes, so every one is inside a string.
    return QJsonDocument(object).toJson(QJsonDocument::Compact).replace("\xEF\xBB\xBF", "\\ufeff");
}

std::optional<QJsonObject> parseObject(const QByteArray &bytes)
{
    QJsonParseError error{};
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !json.isObject())
        return std::nullopt;
    return json.object();
}

quint32 checksum(const char *data, qsizetype size, quint32 crc = quint32(crc32(0, nullptr, 0)))
{
    // zlib takes at most 4 GB at a time.
    while (size > 0) {
        const uInt n = uInt(std::min<qsizetype>(size, qsizetype(1) << 30));
        crc = quint32(crc32(crc, reinterpret_cast<const Bytef *>(data), n));
        data += n;
        size -= n;
    }
    return crc;
}

void appendFrame(QByteArray &out, RecoveryLog::Kind kind, const QByteArray &payloadHead, QStringView text)
{
    const qsizetype start = out.size();
    const qsizetype payload = payloadHead.size() + text.size() * 2;
    out.resize(start + FrameHead + payload + FrameTail);
    char *p = out.data() + start;
    qToLittleEndian<quint32>(kind, p);
    qToLittleEndian<quint64>(quint64(payload), p + 4);
    std::memcpy(p + FrameHead, payloadHead.constData(), size_t(payloadHead.size()));
    if (!text.isEmpty()) // an empty view may have no data at all
        qToLittleEndian<quint16>(text.utf16(), text.size(), p + FrameHead + payloadHead.size());
    qToLittleEndian<quint32>(checksum(p, FrameHead + payload), p + FrameHead + payload);
}

} // namespace

QByteArray RecoveryLog::lengthField(qint64 units) { return QByteArray::number(units).leftJustified(LengthWidth, ' '); }

QByteArray RecoveryLog::baseHead(const RecoveryRecord &header, qint64 units)
{
    const QByteArray rest = compactJson(headerObject(header));
    // The length first, at a fixed place: rest is an object that is never empty.
    return Magic + "{\"length\":" + lengthField(units) + ',' + rest.mid(1) + '\n';
}

void RecoveryLog::appendReplace(QByteArray &out, qint64 position, qint64 removed, QStringView added)
{
    QByteArray head(ReplaceHead, Qt::Uninitialized);
    qToLittleEndian<quint64>(quint64(position), head.data());
    qToLittleEndian<quint64>(quint64(removed), head.data() + 8);
    appendFrame(out, Replace, head, added);
}

void RecoveryLog::appendHeader(QByteArray &out, const RecoveryRecord &header)
{
    appendFrame(out, Header, compactJson(headerObject(header)), {});
}

std::optional<RecoveryRecord> RecoveryLog::read(QIODevice &device, bool withText)
{
    const QByteArray magic = device.read(Magic.size());
    const bool logged = magic == Magic;
    if (!logged && magic != MagicV1)
        return std::nullopt;
    const QByteArray line = readHeaderLine(device);
    if (!line.endsWith('\n'))
        return std::nullopt;
    const std::optional<QJsonObject> head = parseObject(line);
    if (!head)
        return std::nullopt;
    const double length = head->value(QStringLiteral("length")).toDouble(-1);
    // Compared as a double first: no length of any size wraps on its way to a count.
    const qint64 rest = device.size() - device.pos();
    if (length < 0 || length != std::floor(length) || length > double(rest) / 2)
        return std::nullopt;
    const qint64 units = qint64(length);
    // A file cut short by a full disk or a crash before its flush is not a record; a
    // record of the first format is its base alone.
    if (logged ? units * 2 > rest : units * 2 != rest)
        return std::nullopt;

    RecoveryRecord record;
    takeHeader(*head, record);
    ReplayText text;
    if (withText ? !text.load(device, units) : !device.seek(device.pos() + units * 2))
        return std::nullopt;
    qint64 textLength = units;

    QByteArray frame;
    while (logged) {
        const qint64 left = device.size() - device.pos();
        if (left < FrameHead + FrameTail)
            break;
        frame.resize(FrameHead);
        if (device.read(frame.data(), FrameHead) != FrameHead)
            break;
        const quint32 kind = qFromLittleEndian<quint32>(frame.constData());
        const quint64 payload = qFromLittleEndian<quint64>(frame.constData() + 4);
        // Sizes are checked against what the file still holds before anything is made.
        if (payload > quint64(left - FrameHead - FrameTail))
            break;
        frame.resize(FrameHead + qsizetype(payload) + FrameTail);
        const qsizetype body = qsizetype(payload) + FrameTail;
        if (device.read(frame.data() + FrameHead, body) != body)
            break;
        const char *p = frame.constData() + FrameHead;
        if (checksum(frame.constData(), FrameHead + qsizetype(payload)) != qFromLittleEndian<quint32>(p + payload))
            break;
        if (kind == Replace) {
            if (payload < quint64(ReplaceHead) || payload % 2 != 0)
                break;
            const quint64 position = qFromLittleEndian<quint64>(p);
            const quint64 removed = qFromLittleEndian<quint64>(p + 8);
            if (position > quint64(textLength) || removed > quint64(textLength) - position)
                break;
            const qsizetype added = (qsizetype(payload) - ReplaceHead) / 2;
            if (withText)
                text.replace(qsizetype(position), qsizetype(removed), p + ReplaceHead, added);
            textLength += added - qint64(removed);
        } else if (kind == Header) {
            const std::optional<QJsonObject> changed = parseObject(QByteArray(p, qsizetype(payload)));
            if (!changed)
                break;
            takeHeader(*changed, record);
        } else {
            break;
        }
    }
    record.text = text.take();
    return record;
}

} // namespace korvane
