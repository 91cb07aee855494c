#include "tools/puzzle/RecordFile.h"

#include "platform/PlainFileReader.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

namespace {
const char *const Encoding = "GB18030";
}

bool RecordFile::mayFollow(const QString &fileName)
{
    const QByteArray name = QFile::encodeName(fileName);
    struct stat link {};
    if (::lstat(name.constData(), &link) != 0 || !S_ISLNK(link.st_mode))
        return true;
    // The kernel's rule for links in shared folders (protected_symlinks), applied here
    // because the file is written aside and renamed, and Qt resolves the link itself: in
    // a sticky folder that everyone may write to, only a link of the user's or of the
    // folder's owner is followed. Anyone else's may point at any file of the user's.
    struct stat folder {};
    if (::stat(QFile::encodeName(QFileInfo(fileName).absolutePath()).constData(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    return !shared || link.st_uid == ::geteuid() || link.st_uid == folder.st_uid;
}

QString RecordFile::nameForGrid(int gridSize)
{
    return QLatin1Char(' ') + QString::number(gridSize - 1) + QStringLiteral(".txt");
}

bool RecordFile::exists(const QString &fileName) { return mayFollow(fileName) && QFileInfo(fileName).isFile(); }

std::optional<QString> RecordFile::readFirstLine(const QString &fileName)
{
    if (!mayFollow(fileName))
        return std::nullopt;
    QFile file;
    if (!PlainFileReader::open(file, fileName, PlainFileReader::Links::Follow))
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
    if (!mayFollow(fileName))
        return false;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Checked again once the save file has taken its target: a link planted between
    // the two checks is caught by the second.
    if (!mayFollow(fileName) || file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace korvane
