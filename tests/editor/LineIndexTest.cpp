#include "editor/LineIndex.h"

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
        if (text.size() > 60)
            text.clear(), index.reset(text);
    }
}
