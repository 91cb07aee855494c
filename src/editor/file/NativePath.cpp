#include "editor/file/NativePath.h"

#include <QList>
#include <QStringDecoder>
#include <dirent.h>

namespace korvane {

namespace {

constexpr char16_t EscapeBase = 0xDC00;

bool isEscape(char16_t c) { return c >= EscapeBase + 0x80 && c <= EscapeBase + 0xFF; }

// Length of the valid UTF-8 sequence at bytes[i], 0 when there is none.
int validSequence(const QByteArray &bytes, qsizetype i)
{
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char b = at(i);
    if (b < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (b >= 0xC2 && b <= 0xDF)
        length = 2;
    else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0)
            low = 0xA0;
        if (b == 0xED)
            high = 0x9F; // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0)
            low = 0x90;
        if (b == 0xF4)
            high = 0x8F;
    } else
        return 0;
    if (i + length > bytes.size())
        return 0;
    if (at(i + 1) < low || at(i + 1) > high)
        return 0;
    for (int k = 2; k < length; ++k) {
        if (at(i + k) < 0x80 || at(i + k) > 0xBF)
            return 0;
    }
    return length;
}

} // namespace

QString NativePath::decode(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const int length = validSequence(bytes, i);
        if (length == 0) {
            out.append(QChar(char16_t(EscapeBase + static_cast<unsigned char>(bytes[i]))));
            ++i;
            continue;
        }
        out.append(QString::fromUtf8(bytes.constData() + i, length));
        i += length;
    }
    return out;
}

std::optional<QByteArray> NativePath::encode(const QString &path)
{
    QByteArray out;
    out.reserve(path.size() * 3);
    for (qsizetype i = 0; i < path.size();) {
        const char16_t c = path[i].unicode();
        if (isEscape(c)) {
            out.append(char(c - EscapeBase));
            ++i;
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < path.size() && QChar::isLowSurrogate(path[i + 1].unicode())) {
            out.append(QStringView(path).mid(i, 2).toUtf8());
            i += 2;
            continue;
        }
        if (QChar::isSurrogate(c) || c == 0)
            return std::nullopt;
        out.append(QStringView(path).mid(i, 1).toUtf8());
        ++i;
    }
    // Escaped bytes next to each other may spell valid UTF-8, and so another name.
    if (decode(out) != path)
        return std::nullopt;
    return out;
}

QString NativePath::shown(const QString &path)
{
    QString out;
    out.reserve(path.size());
    for (qsizetype i = 0; i < path.size();) {
        if (!isEscape(path[i].unicode())) {
            out.append(path[i++]);
            continue;
        }
        QByteArray run;
        while (i < path.size() && isEscape(path[i].unicode()))
            run.append(char(path[i++].unicode() - EscapeBase));
        QStringDecoder gb18030("GB18030", QStringConverter::Flag::Stateless);
        const QString text = gb18030.isValid() ? QString(gb18030.decode(run)) : QString();
        out.append(gb18030.isValid() && !gb18030.hasError() && !text.contains(QChar::ReplacementCharacter)
                       ? text
                       : QString(run.size(), QChar::ReplacementCharacter));
    }
    return out;
}

QString NativePath::unencodableReason()
{
    return QStringLiteral("文件名中有无法准确还原为系统文件名的字符，为免错写到别的文件，不予处理");
}

std::optional<QString> NativePath::fromDialog(const QString &path)
{
    if (!path.contains(QChar::ReplacementCharacter))
        return path;
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString folder = path.left(slash + 1);
    const std::optional<QByteArray> nativeFolder = encode(folder.isEmpty() ? QStringLiteral(".") : folder);
    DIR *listing = nativeFolder ? ::opendir(nativeFolder->constData()) : nullptr;
    if (!listing)
        return path;
    const QString name = path.mid(slash + 1);
    QList<QByteArray> matches;
    while (const dirent *entry = ::readdir(listing)) {
        if (QString::fromUtf8(entry->d_name) == name)
            matches << QByteArray(entry->d_name);
    }
    ::closedir(listing);
    if (matches.size() > 1)
        return std::nullopt;
    return matches.isEmpty() ? path : folder + decode(matches.first());
}

QString NativePath::ambiguousReason()
{
    return QStringLiteral("文件夹中有几个文件的名称都显示为这个名称，无法确定是哪一个");
}

} // namespace korvane
