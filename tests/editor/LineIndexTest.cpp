#include "editor/document/LineIndex.h"

#include <QRandomGenerator>
#include <QString>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

std::vector<std::pair<qsizetype, qsizetype>> linesOf(const LineIndex &index)
{
    std::vector<std::pair<qsizetype, qsizetype>> lines;
    for (qsizetype i = 0; i < index.lineCount(); ++i)
        lines.emplace_back(index.lineStart(i), index.lineEnd(i));
    return lines;
}

struct LineCase {
    const char16_t *text;
    std::vector<std::pair<qsizetype, qsizetype>> lines; // start, end (before the line end)
};

class LineIndexCases : public ::testing::TestWithParam<LineCase> {};

} // namespace

TEST_P(LineIndexCases, EveryKindOfLineEndEndsALine)
{
    const LineIndex index{QStringView(GetParam().text)};
    EXPECT_EQ(linesOf(index), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(LineEnds, LineIndexCases,
                         ::testing::Values(LineCase{u"", {{0, 0}}}, LineCase{u"abc", {{0, 3}}},
                                           LineCase{u"a\nb\nc", {{0, 1}, {2, 3}, {4, 5}}},    // LF, as Linux writes
                                           LineCase{u"a\r\nb\r\n", {{0, 1}, {3, 4}, {6, 6}}}, // CR LF: one line end
                                           LineCase{u"a\rb", {{0, 1}, {2, 3}}},               // a lone CR
                                           LineCase{u"\n\r", {{0, 0}, {1, 1}, {2, 2}}},       // LF CR is two line ends
                                           LineCase{u"a\r\r\nb\n\r\n", {{0, 1}, {2, 2}, {4, 5}, {6, 6}, {8, 8}}}));

namespace {

struct EditCase {
    const char16_t *before;
    qsizetype position;
    qsizetype removed;
    const char16_t *added;
    std::vector<std::pair<qsizetype, qsizetype>> lines; // of the text after the edit
};

class LineIndexEdits : public ::testing::TestWithParam<EditCase> {};

} // namespace

// Edits that split a CR LF into two line ends, join a CR and an LF into one, or take a
// line end away, as the index updates itself and as a fresh scan sees them.
TEST_P(LineIndexEdits, LineEndsSplitAndJoinAtTheEdit)
{
    const EditCase &c = GetParam();
    QString text = QString::fromUtf16(c.before);
    LineIndex index(text);
    const QString added = QString::fromUtf16(c.added);
    text.replace(c.position, c.removed, added);
    index.update(text, c.position, c.removed, added.size());
    EXPECT_EQ(linesOf(index), c.lines);
    EXPECT_EQ(linesOf(LineIndex(text)), c.lines);
    EXPECT_EQ(index.longestLine(), LineIndex(text).longestLine());
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, LineIndexEdits,
    ::testing::Values(EditCase{u"a\r\nb", 2, 0, u"x", {{0, 1}, {2, 3}, {4, 5}}},   // CR x LF: two line ends
                      EditCase{u"a\rx\nb", 2, 1, u"", {{0, 1}, {3, 4}}},           // CR and LF meet
                      EditCase{u"a\rb", 2, 0, u"\n", {{0, 1}, {3, 4}}},            // an LF after a lone CR
                      EditCase{u"a\nb", 1, 0, u"\r", {{0, 1}, {3, 4}}},            // a CR before a lone LF
                      EditCase{u"a\r\nb", 1, 1, u"", {{0, 1}, {2, 3}}},            // the CR of a CR LF goes
                      EditCase{u"a\r\nb", 2, 1, u"", {{0, 1}, {2, 3}}},            // its LF goes
                      EditCase{u"a\r\nbcd", 1, 2, u"", {{0, 4}}},                  // the whole CR LF goes
                      EditCase{u"ab\ncd\ne", 1, 3, u"X", {{0, 3}, {4, 5}}},        // lines joined
                      EditCase{u"abc", 1, 0, u"\r\n\r", {{0, 1}, {3, 3}, {4, 6}}}, // lines split
                      EditCase{u"a\n", 2, 0, u"\r", {{0, 1}, {2, 2}, {3, 3}}}));   // after the last line end

TEST(LineIndex, LineOfAPositionInsideACrLfIsTheLineItEnds)
{
    const LineIndex index{QStringView(u"ab\r\ncd")};
    EXPECT_EQ(index.lineOf(2), 0);
    EXPECT_EQ(index.lineOf(3), 0);
    EXPECT_EQ(index.lineOf(4), 1);
    EXPECT_EQ(index.lineOf(6), 1);
}

// Edits anywhere, of any size, leave the index exactly as a fresh scan of the new text:
// above all where a CR and an LF come together or are split by the edit.
TEST(LineIndex, UpdatesAgreeWithAFreshScan)
{
    QRandomGenerator random(20261208);
    const char16_t alphabet[] = {u'a', u'\r', u'\n', u'\r', u'\n', u'中'};
    auto randomText = [&](int max) {
        QString s;
        const int n = random.bounded(max + 1);
        for (int i = 0; i < n; ++i)
            s.append(QChar(alphabet[random.bounded(int(std::size(alphabet)))]));
        return s;
    };
    QString text = randomText(30);
    LineIndex index(text);
    for (int step = 0; step < 20000; ++step) {
        const qsizetype position = random.bounded(int(text.size()) + 1);
        const qsizetype removed = random.bounded(int(std::min<qsizetype>(text.size() - position, 4)) + 1);
        const QString added = randomText(4);
        const QString before = text;
        text.replace(position, removed, added);
        index.update(text, position, removed, added.size());
        ASSERT_EQ(linesOf(index), linesOf(LineIndex(text)))
            << "step " << step << ": " << before.toStdString() << " -> " << text.toStdString();
        ASSERT_EQ(index.longestLine(), LineIndex(text).longestLine()) << "step " << step;
        if (text.size() > 60)
            text.clear(), index.reset(text);
    }
}

// The longest line becomes shorter: the next longest is found, among long lines and short.
TEST(LineIndex, TheNextLongestLineTakesOverWhenTheLongestShrinks)
{
    QString text = QString(5000, u'a') + u'\n' + QString(4500, u'b') + QStringLiteral("\r\ncc");
    LineIndex index(text);
    EXPECT_EQ(index.longestLine(), 5000);
    text.remove(10, 4990);
    index.update(text, 10, 4990, 0);
    EXPECT_EQ(index.longestLine(), 4500);
    text.remove(11 + 100, 4400);
    index.update(text, 11 + 100, 4400, 0);
    EXPECT_EQ(index.longestLine(), 100);
    text.insert(0, QStringLiteral("xyz\n"));
    index.update(text, 0, 0, 4);
    EXPECT_EQ(index.longestLine(), 100);
    EXPECT_EQ(linesOf(index), linesOf(LineIndex(text)));
}
