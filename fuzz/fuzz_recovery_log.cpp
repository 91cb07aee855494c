// libFuzzer target for the recovery journal's records. Input layout: the first byte
// chooses what the rest is.
//  - Always: the rest, as the bytes of a record file, reads without crashing, with or
//    without its text, to the same header and never to more text than it holds.
//  - Odd first byte: the rest is a recipe instead: a base text and a run of edits (and
//    header changes), written as a record and read back, must give the text as the edits
//    left it; the record cut at a point the recipe names must give the text as of the
//    last operation wholly before the cut, and nothing when the cut is within the base.
#include "FuzzSupport.h"
#include "editor/recovery/RecoveryLog.h"

#include <QBuffer>
#include <QList>
#include <algorithm>
#include <cstdint>

using namespace korvane;
using korvane::fuzz::require;
using korvane::fuzz::unitsFrom;

namespace {

std::optional<RecoveryRecord> readBytes(const QByteArray &bytes, bool withText)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return RecoveryLog::read(buffer, withText);
}

void checkAnyBytes(const QByteArray &bytes)
{
    const std::optional<RecoveryRecord> full = readBytes(bytes, true);
    const std::optional<RecoveryRecord> head = readBytes(bytes, false);
    require(full.has_value() == head.has_value());
    if (!full)
        return;
    require(head->text.isEmpty());
    require(full->text.size() <= bytes.size() / 2);
    RecoveryRecord bare = *full;
    bare.text = QString();
    require(bare == *head);
}

// Reads the recipe from the front of its bytes.
struct Recipe {
    const uint8_t *at;
    const uint8_t *end;
    unsigned next(unsigned below)
    {
        if (at == end || below == 0)
            return 0;
        return *at++ % below;
    }
    QString units(size_t count)
    {
        count = std::min(count, size_t(end - at) / 2);
        const QString s = unitsFrom(at, count);
        at += 2 * count;
        return s;
    }
};

void checkRecipe(const uint8_t *data, size_t size)
{
    Recipe recipe{data, data + size};
    RecoveryRecord record;
    record.slot = int(recipe.next(10));
    record.text = recipe.units(recipe.next(64));
    QByteArray bytes = RecoveryLog::baseHead(record, record.text.size());
    for (QChar c : std::as_const(record.text))
        bytes += char(c.unicode() & 0xFF) + QByteArray(1, char(c.unicode() >> 8));
    QList<qsizetype> ends{bytes.size()};
    QStringList texts{record.text};
    QString text = record.text;
    const qsizetype cutChoice = recipe.next(256);
    while (recipe.at != recipe.end) {
        if (recipe.next(8) == 0) {
            record.title = recipe.units(recipe.next(6));
            RecoveryLog::appendHeader(bytes, record);
        } else {
            const qsizetype position = qsizetype(recipe.next(256)) * (text.size() + 1) / 256;
            const qsizetype removed = std::min<qsizetype>(recipe.next(8), text.size() - position);
            const QString added = recipe.units(recipe.next(8));
            RecoveryLog::appendReplace(bytes, position, removed, added);
            text.replace(position, removed, added);
        }
        ends.append(bytes.size());
        texts.append(text);
    }
    const std::optional<RecoveryRecord> back = readBytes(bytes, true);
    require(back.has_value());
    require(back->text == text);
    require(back->title == record.title);

    const qsizetype cut = cutChoice * (bytes.size() + 1) / 256;
    const std::optional<RecoveryRecord> part = readBytes(bytes.left(cut), true);
    const qsizetype whole = std::upper_bound(ends.begin(), ends.end(), cut) - ends.begin();
    require(part.has_value() == (whole > 0));
    if (part)
        require(part->text == texts[whole - 1]);
    checkAnyBytes(bytes.left(cut));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    checkAnyBytes(QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)));
    if (data[0] & 1)
        checkRecipe(data + 1, size - 1);
    return 0;
}
