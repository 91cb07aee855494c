// libFuzzer target for the puzzle's score file. Input layout: the first byte splits the
// rest into two parts.
//  - The whole rest, as the bytes of a score file, must read without crashing: the first
//    line holds no line break, the split line joins back to it, and the record is the
//    count read from it, never negative.
//  - Any text's count: never negative, present exactly when the text begins (after blanks)
//    with an ASCII digit, and equal to the digits' value while that fits.
//  - The two parts, read as texts, written as a record must read back unchanged.
#include "FuzzSupport.h"
#include "tools/puzzle/RecordFile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

using namespace korvane;
using korvane::fuzz::require;

namespace {

void checkCount(const QString &text)
{
    const std::optional<qint64> count = RecordFile::parseCount(text);
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    qsizetype end = i;
    while (end < text.size() && text[end] >= u'0' && text[end] <= u'9')
        ++end;
    require(count.has_value() == (end > i));
    if (!count)
        return;
    require(*count >= 0);
    bool ok = false;
    const qint64 expected = text.mid(i, end - i).toLongLong(&ok);
    if (ok)
        require(*count == expected);
    else
        require(*count == std::numeric_limits<qint64>::max());
}

QString withoutBreaks(QString text, bool alsoBang)
{
    text.remove(u'\r');
    text.remove(u'\n');
    if (alsoBang)
        text.remove(u'!');
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const QString path = QDir(dir.path()).filePath(QStringLiteral(" 1.txt"));
    if (size < 1)
        return 0;
    const QByteArray rest(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    {
        QFile file(path);
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        require(file.write(rest) == rest.size());
    }
    const std::optional<QString> first = RecordFile::readFirstLine(path);
    require(first.has_value());
    require(!first->contains(u'\r') && !first->contains(u'\n'));
    const std::optional<RecordFile::Line> line = RecordFile::readLine(path);
    require(line.has_value() == first->contains(u'!'));
    if (line) {
        require(!line->count.contains(u'!'));
        require(line->count + u'!' + line->name == *first);
        require(RecordFile::recordOf(path) == RecordFile::parseCount(line->count));
    } else {
        require(!RecordFile::recordOf(path).has_value());
    }
    checkCount(*first);
    checkCount(QString::fromLatin1(rest));

    const qsizetype split = qsizetype(data[0]) * rest.size() / 256;
    QStringDecoder decode("GB18030");
    const QString count = withoutBreaks(decode(rest.left(split)), true);
    QStringDecoder decodeName("GB18030");
    const QString name = withoutBreaks(decodeName(rest.mid(split)), false);
    require(RecordFile::write(path, count, name));
    const std::optional<RecordFile::Line> back = RecordFile::readLine(path);
    require(back.has_value());
    require(back->count == count);
    require(back->name == name);
    return 0;
}
