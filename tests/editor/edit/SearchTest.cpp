#include "EditorFixture.h"

#include <vector>

using namespace korvane;

namespace {

class SearchTest : public EditorFixture {
protected:
    QString lastMessage() const
    {
        return platform.shownMessages.isEmpty() ? QString() : platform.shownMessages.last().text;
    }

    DocumentSearch &search = editor.search();
};

// One Find Next, with the search text it is given first (null keeps the one before), the
// match-case flag, and the position it starts from (-1: where the last one left it); then
// the selection it leaves, the position after it, and the message it shows, if any. A miss
// leaves the selection where it was.
struct FindStep {
    const char *text;
    bool matchCase;
    qsizetype selStart;
    qsizetype selLength;
    qsizetype position;
    const char *message = nullptr;
    qsizetype from = -1;
};
struct SearchCase {
    const char *name;
    QString document;
    std::vector<FindStep> steps;
};

class SearchSteps : public SearchTest, public ::testing::WithParamInterface<SearchCase> {};

} // namespace

TEST_P(SearchSteps, FindNextSelectsEachMatchAndReportsAMiss)
{
    setText(GetParam().document);
    int step = 0;
    for (const FindStep &f : GetParam().steps) {
        SCOPED_TRACE(testing::Message() << "step " << ++step);
        const qsizetype messages = platform.shownMessages.size();
        if (f.text)
            search.setText(QString::fromUtf8(f.text));
        search.setMatchCase(f.matchCase);
        if (f.from >= 0)
            search.setPosition(f.from);
        search.findNext();
        EXPECT_EQ(doc(1).selStart(), f.selStart);
        EXPECT_EQ(doc(1).selLength(), f.selLength);
        EXPECT_EQ(search.position(), f.position);
        if (!f.message) {
            EXPECT_EQ(platform.shownMessages.size(), messages);
            continue;
        }
        ASSERT_EQ(platform.shownMessages.size(), messages + 1);
        EXPECT_EQ(lastMessage(), QString::fromUtf8(f.message));
        EXPECT_EQ(platform.shownMessages.last().buttons, MsgButtons::Ok);
        EXPECT_EQ(platform.shownMessages.last().title, ProgramTitle);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, SearchSteps, ::testing::Values(
    // Overlapping matches are all found, then the search starts over.
    SearchCase{"OverlappingMatches", QStringLiteral("aaaa"), {
        {"aa", false, 0, 2, 1}, {nullptr, false, 1, 2, 2}, {nullptr, false, 2, 2, 3},
        {nullptr, false, 2, 2, 0, "Cannot Find \"aa\""}, {nullptr, false, 0, 2, 1}}},
    SearchCase{"CaseMattersOnlyWithMatchCase", QStringLiteral("xxABC"), {
        {"abc", false, 2, 3, 3}, {nullptr, true, 2, 3, 0, "Cannot Find \"abc\"", 0}, {"ABC", true, 2, 3, 3}}},
    SearchCase{"CaseInsensitiveSearchFoldsLettersBeyondAscii", QStringLiteral("中文 ÄÖÜ ＡＢＣ"), {
        {"äöü", false, 3, 3, 4}, {"ａｂｃ", false, 7, 3, 8}}},
    // An empty search text walks the caret, then reports two adjacent quotes.
    SearchCase{"EmptySearchText", QStringLiteral("abc"), {
        {"", false, 0, 0, 1}, {nullptr, false, 1, 0, 2}, {nullptr, false, 2, 0, 3},
        {nullptr, false, 2, 0, 0, "Cannot Find \"\""}}},
    SearchCase{"EmptyDocumentNeverMatches", QString(), {{"", false, 0, 0, 0, "Cannot Find \"\""}}},
    SearchCase{"MatchesFarBeyondSixteenBitPositions",
               QString(100000, QLatin1Char('x')) + QStringLiteral("Needle") + QString(5, QLatin1Char('x')), {
        {"needle", false, 100000, 6, 100001}, {nullptr, false, 100000, 6, 0, "Cannot Find \"needle\""}}}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });
// clang-format on

TEST_F(SearchTest, ThePositionIsSharedByAllDocuments)
{
    setText(QStringLiteral("xx ab"));
    search.setText(QStringLiteral("ab"));
    search.findNext();
    EXPECT_EQ(search.position(), 4);

    editor.newDocument();
    ASSERT_EQ(host.activeSlot(), 2);
    setText(QStringLiteral("ab ab ab ab"), 2);
    search.findNext(); // continues after character 4, not from the start
    EXPECT_EQ(doc(2).selStart(), 6);
    EXPECT_EQ(doc(1).selStart(), 3); // the first document keeps its own selection

    // A position beyond a shorter document is a miss, then the search starts over.
    search.setPosition(100);
    search.findNext();
    EXPECT_EQ(lastMessage(), QStringLiteral("Cannot Find \"ab\""));
    search.findNext();
    EXPECT_EQ(doc(2).selStart(), 0);
}
