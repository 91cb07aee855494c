#include "EditorFixture.h"

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

} // namespace

TEST_F(SearchTest, OverlappingMatchesAreAllFoundThenTheSearchStartsOver)
{
    setText(QStringLiteral("aaaa"));
    search.setText(QStringLiteral("aa"));
    for (qsizetype expected : {0, 1, 2}) {
        search.findNext();
        EXPECT_EQ(doc(1).selStart(), expected);
        EXPECT_EQ(doc(1).selLength(), 2);
        EXPECT_EQ(search.position(), expected + 1);
    }
    EXPECT_TRUE(platform.shownMessages.isEmpty());

    search.findNext();
    ASSERT_EQ(platform.shownMessages.size(), 1);
    EXPECT_EQ(lastMessage(), QStringLiteral("Cannot Find \"aa\""));
    EXPECT_EQ(platform.shownMessages.last().buttons, MsgButtons::Ok);
    EXPECT_EQ(platform.shownMessages.last().title, ProgramTitle);
    EXPECT_EQ(search.position(), 0);
    EXPECT_EQ(doc(1).selStart(), 2); // a miss leaves the selection where it was
    EXPECT_EQ(doc(1).selLength(), 2);

    search.findNext();
    EXPECT_EQ(doc(1).selStart(), 0);
}

TEST_F(SearchTest, CaseMattersOnlyWithMatchCase)
{
    setText(QStringLiteral("xxABC"));
    search.setText(QStringLiteral("abc"));
    search.findNext();
    EXPECT_EQ(doc(1).selStart(), 2);
    EXPECT_EQ(doc(1).selLength(), 3);

    search.setPosition(0);
    search.setMatchCase(true);
    search.findNext();
    EXPECT_EQ(lastMessage(), QStringLiteral("Cannot Find \"abc\""));
    search.setText(QStringLiteral("ABC"));
    search.findNext();
    EXPECT_EQ(doc(1).selStart(), 2);
}

TEST_F(SearchTest, CaseInsensitiveSearchFoldsLettersBeyondAscii)
{
    setText(QStringLiteral("中文 ÄÖÜ ＡＢＣ"));
    search.setText(QStringLiteral("äöü"));
    search.findNext();
    EXPECT_EQ(doc(1).selStart(), 3);
    search.setText(QStringLiteral("ａｂｃ"));
    search.findNext();
    EXPECT_EQ(doc(1).selStart(), 7);
    EXPECT_EQ(doc(1).selLength(), 3);
}

TEST_F(SearchTest, EmptySearchTextWalksTheCaretThenReportsTwoAdjacentQuotes)
{
    setText(QStringLiteral("abc"));
    for (qsizetype expected : {0, 1, 2}) {
        search.findNext();
        EXPECT_EQ(doc(1).selStart(), expected);
        EXPECT_EQ(doc(1).selLength(), 0);
    }
    EXPECT_TRUE(platform.shownMessages.isEmpty());
    search.findNext();
    EXPECT_EQ(lastMessage(), QStringLiteral("Cannot Find \"\""));
}

TEST_F(SearchTest, EmptyDocumentNeverMatches)
{
    search.setText(QString());
    search.findNext();
    EXPECT_EQ(lastMessage(), QStringLiteral("Cannot Find \"\""));
    EXPECT_EQ(search.position(), 0);
}

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

TEST_F(SearchTest, MatchesFarBeyondSixteenBitPositionsAreFoundAndSelected)
{
    const QString text = QString(100000, QLatin1Char('x')) + QStringLiteral("Needle") + QString(5, QLatin1Char('x'));
    setText(text);
    search.setText(QStringLiteral("needle"));
    search.findNext();
    EXPECT_EQ(doc(1).selStart(), 100000);
    EXPECT_EQ(doc(1).selText(), QStringLiteral("Needle"));
    EXPECT_EQ(search.position(), 100001);
    search.findNext();
    EXPECT_EQ(lastMessage(), QStringLiteral("Cannot Find \"needle\""));
}
