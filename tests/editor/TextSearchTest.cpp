#include "editor/commands/TextSearch.h"

#include <QRandomGenerator>
#include <QString>
#include <gtest/gtest.h>

using namespace korvane;

// A long text is searched by a quicker way than Qt's own: it must find exactly what
// QString::indexOf finds, with match case and without it, also for letters whose case folds unusually (ß, the Kelvin
// sign, the long s, dotted capital I), letters beyond the first plane and lone surrogates,
// for needles of every length (Qt itself searches needles of up to 5 units differently).
TEST(TextSearch, LongTextsWithoutCaseFindWhatQtFinds)
{
    static const char16_t alphabet[] = {u'a',   u'A', u'k',   u'K',   0x212A, u's',   u'S',   0x017F, 0x00DF,
                                        0x1E9E, u'i', 0x0130, 0x0131, u'中',  0xD801, 0xDC00, 0xDC28, 0xD83D};
    QRandomGenerator random(20261208);
    auto pick = [&] { return QChar(alphabet[random.bounded(int(std::size(alphabet)))]); };
    for (int round = 0; round < 6; ++round) {
        QString text;
        for (int i = 0; i < 70000; ++i)
            text.append(random.bounded(4) == 0 ? pick() : QChar(u'x'));
        for (int k = 0; k < 60; ++k) {
            QString needle;
            const int length = 1 + random.bounded(8);
            if (random.bounded(2) == 0) {
                // A piece of the text, so that there are matches to find.
                needle = text.mid(random.bounded(int(text.size()) - length), length);
            } else {
                for (int i = 0; i < length; ++i)
                    needle.append(pick());
            }
            const qsizetype from = random.bounded(int(text.size()) / 4);
            ASSERT_EQ(TextSearch::find(text, needle, from, false), text.indexOf(needle, from, Qt::CaseInsensitive))
                << "round " << round << ", needle " << k;
            ASSERT_EQ(TextSearch::find(text, needle, from, true), text.indexOf(needle, from, Qt::CaseSensitive))
                << "round " << round << ", needle " << k << " with match case";
        }
    }
}
