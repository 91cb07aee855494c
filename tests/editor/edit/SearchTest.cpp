#include "EditorFixture.h"
#include "editor/EditCommands.h"

using namespace korvane;

namespace {

class SearchTest : public EditorFixture {
protected:
    void setText(int n, const QString &text)
    {
        editor.loadingText = true;
        doc(n).setText(text);
    }
    QString lastMessage() const { return platform.shownMessages.isEmpty() ? QString() : platform.shownMessages.last().text; }

    EditCommands edit{editor};
};

} // namespace

TEST_F(SearchTest, OverlappingMatchesAreAllFoundThenTheSearchStartsOver)
{
    setText(1, QStringLiteral("aaaa"));
    editor.search.text = QStringLiteral("aa");
    for (qsizetype expected : {0, 1, 2}) {
        edit.findNext();
        EXPECT_EQ(doc(1).selStart(), expected);
        EXPECT_EQ(doc(1).selLength(), 2);
        EXPECT_EQ(editor.search.position, expected + 1);
    }
    EXPECT_TRUE(platform.shownMessages.isEmpty());

    edit.findNext();
    ASSERT_EQ(platform.shownMessages.size(), 1);
    EXPECT_EQ(lastMessage(), QStringLiteral("Cannot Find \"aa\""));
    EXPECT_EQ(platform.shownMessages.last().buttons, MsgButtons::Ok);
    EXPECT_EQ(platform.shownMessages.last().title, ProgramTitle);
    EXPECT_EQ(editor.search.position, 0);
    EXPECT_EQ(doc(1).selStart(), 2); // a miss leaves the selection where it was
    EXPECT_EQ(doc(1).selLength(), 2);

    edit.findNext();
    EXPECT_EQ(doc(1).selStart(), 0);
}

TEST_F(SearchTest, CaseMattersOnlyWithMatchCase)
{
    setText(1, QStringLiteral("xxABC"));
    editor.search.text = QStringLiteral("abc");
    edit.findNext();
    EXPECT_EQ(doc(1).selStart(), 2);
    EXPECT_EQ(doc(1).selLength(), 3);

    editor.search.position = 0;
    editor.search.matchCase = true;
    edit.findNext();
    EXPECT_EQ(lastMessage(), QStringLiteral("Cannot Find \"abc\""));
    editor.search.text = QStringLiteral("ABC");
    edit.findNext();
    EXPECT_EQ(doc(1).selStart(), 2);
}

TEST_F(SearchTest, CaseInsensitiveSearchFoldsLettersBeyondAscii)
{
    setText(1, QStringLiteral("中文 ÄÖÜ ＡＢＣ"));
    editor.search.text = QStringLiteral("äöü");
    edit.findNext();
    EXPECT_EQ(doc(1).selStart(), 3);
    editor.search.text = QStringLiteral("ａｂｃ");
    edit.findNext();
    EXPECT_EQ(doc(1).selStart(), 7);
    EXPECT_EQ(doc(1).selLength(), 3);
}

TEST_F(SearchTest, EmptySearchTextWalksTheCaretThenReportsTwoAdjacentQuotes)
{
    setText(1, QStringLiteral("abc"));
    for (qsizetype expected : {0, 1, 2}) {
        edit.findNext();
        EXPECT_EQ(doc(1).selStart(), expected);
        EXPECT_EQ(doc(1).selLength(), 0);
    }
    EXPECT_TRUE(platform.shownMessages.isEmpty());
    edit.findNext();
    EXPECT_EQ(lastMessage(), QStringLiteral("Cannot Find \"\""));
}

TEST_F(SearchTest, EmptyDocumentNeverMatches)
{
    editor.search.text = QString();
    edit.findNext();
    EXPECT_EQ(lastMessage(), QStringLiteral("Cannot Find \"\""));
    EXPECT_EQ(editor.search.position, 0);
}

TEST_F(SearchTest, ThePositionIsSharedByAllDocuments)
{
    setText(1, QStringLiteral("xx ab"));
    editor.search.text = QStringLiteral("ab");
    edit.findNext();
    EXPECT_EQ(editor.search.position, 4);

    editor.newDocument();
    ASSERT_EQ(host.activeSlot(), 2);
    setText(2, QStringLiteral("ab ab ab ab"));
    edit.findNext(); // continues after character 4, not from the start
    EXPECT_EQ(doc(2).selStart(), 6);
    EXPECT_EQ(doc(1).selStart(), 3); // the first document keeps its own selection

    // A position beyond a shorter document is a miss, then the search starts over.
    editor.search.position = 100;
    edit.findNext();
    EXPECT_EQ(lastMessage(), QStringLiteral("Cannot Find \"ab\""));
    edit.findNext();
    EXPECT_EQ(doc(2).selStart(), 0);
}

TEST_F(SearchTest, MatchesFarBeyondSixteenBitPositionsAreFoundAndSelected)
{
    const QString text = QString(100000, QLatin1Char('x')) + QStringLiteral("Needle") + QString(5, QLatin1Char('x'));
    setText(1, text);
    editor.search.text = QStringLiteral("needle");
    edit.findNext();
    EXPECT_EQ(doc(1).selStart(), 100000);
    EXPECT_EQ(doc(1).selText(), QStringLiteral("Needle"));
    EXPECT_EQ(editor.search.position, 100001);
    edit.findNext();
    EXPECT_EQ(lastMessage(), QStringLiteral("Cannot Find \"needle\""));
}
