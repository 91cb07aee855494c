#include "tools/puzzle/RecordFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <limits>

namespace korvane {

namespace {
const char *const Encoding = "GB18030";
}

QString RecordFile::nameForGrid(int gridSize)
{
    return QLatin1Char(' ') + QString::number(gridSize - 1) + QStringLiteral(".txt");
}

bool RecordFile::exists(const QString &fileName) { return QFileInfo(fileName).isFile(); }

std::optional<QString> RecordFile::readFirstLine(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // One short line is all there is to read; a huge foreign file is not read whole.
    const QByteArray bytes = file.read(64 * 1024);
    qsizetype end = bytes.size();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes.at(i) == '\r' || bytes.at(i) == '\n') {
            end = i;
            break;
        }
    }
    QStringDecoder decode(Encoding);
    if (!decode.isValid())
        return std::nullopt; // a Qt without the converter cannot read the name
    return decode(bytes.left(end));
}

std::optional<RecordFile::Line> RecordFile::readLine(const QString &fileName)
{
    const std::optional<QString> line = readFirstLine(fileName);
    if (!line)
        return std::nullopt;
    const qsizetype bang = line->indexOf(QLatin1Char('!'));
    if (bang < 0)
        return std::nullopt;
    return Line{line->left(bang), line->mid(bang + 1)};
}

std::optional<qint64> RecordFile::parseCount(const QString &countText)
{
    qsizetype i = 0;
    while (i < countText.size() && (countText.at(i) == QLatin1Char(' ') || countText.at(i) == QLatin1Char('\t')))
        ++i;
    const qsizetype first = i;
    qint64 value = 0;
    constexpr qint64 max = std::numeric_limits<qint64>::max();
    while (i < countText.size() && countText.at(i) >= QLatin1Char('0') && countText.at(i) <= QLatin1Char('9')) {
        const int digit = countText.at(i).unicode() - '0';
        // A count beyond every integer stays at the largest one.
        value = value > (max - digit) / 10 ? max : value * 10 + digit;
        ++i;
    }
    if (i == first)
        return std::nullopt;
    return value;
}

std::optional<qint64> RecordFile::recordOf(const QString &fileName)
{
    const std::optional<Line> line = readLine(fileName);
    if (!line)
        return std::nullopt;
    return parseCount(line->count);
}

bool RecordFile::beatenBy(const QString &fileName, qint64 count)
{
    if (!exists(fileName))
        return true;
    // A line that holds no move count is no record to beat.
    const std::optional<qint64> record = recordOf(fileName);
    return !record || *record > count;
}

bool RecordFile::write(const QString &fileName, const QString &countText, const QString &name)
{
    QStringEncoder encode(Encoding);
    if (!encode.isValid())
        return false; // it would write an empty record
    QByteArray bytes = encode(countText + QLatin1Char('!') + name);
    bytes += "\r\n";
    // Written aside and renamed, so a failed write never leaves half a record.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

} // namespace korvane
