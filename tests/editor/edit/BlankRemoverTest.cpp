#include "editor/commands/BlankRemover.h"
#include "EditorFixture.h"
#include "editor/commands/EditCommands.h"

#include <QRandomGenerator>

using namespace korvane;

namespace {

class BlankRemoverTest : public EditorFixture {
protected:
    QString run(const QString &text)
    {
        setText(text);
        remover.run(editor.activeDocument());
        return doc(1).text();
    }

    BlankRemover remover{platform, editor.search()};
};

qsizetype lineCount(const QString &text) { return text.count(QStringLiteral("\r\n")) + 1; }

// The result line by line, the way a reader would describe it.
QString expectedResult(const QString &text)
{
    QStringList lines = text.split(QStringLiteral("\r\n"));
    for (QString &line : lines) {
        qsizetype i = 0;
        while (i < line.size() && line[i] == QLatin1Char(' '))
            ++i;
        line.remove(0, i);
    }
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

// Leading spaces go from every CR LF line, the last one too; tabs, other blanks and line
// breaks stay, and a lone CR or LF is an ordinary character of its line.
TEST_F(BlankRemoverTest, LeadingSpacesGoAndEverythingElseStays)
{
    // clang-format off
    const struct { QString text, result; } cases[] = {
        {QStringLiteral("    one\r\n    two  x\r\n    three\r\n"), QStringLiteral("one\r\ntwo  x\r\nthree\r\n")},
        {QStringLiteral("a\r\n      \r\n\r\n  b"), QStringLiteral("a\r\n\r\n\r\nb")},
        {QStringLiteral("  first\r\n   last"), QStringLiteral("first\r\nlast")},
        {QStringLiteral("\t  a\r\n  \tb\r\n\u3000c"), QStringLiteral("\t  a\r\n\tb\r\n\u3000c")},
        {QStringLiteral("  a\n  b\r\n  c\r  d"), QStringLiteral("a\n  b\r\nc\r  d")},
        {QStringLiteral("\r"), QStringLiteral("\r")},
        {QStringLiteral("  \n"), QStringLiteral("\n")},
        {QStringLiteral(" \r \r\n \n\r\n"), QStringLiteral("\r \r\n\n\r\n")},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(run(c.text), c.result) << qPrintable(c.text.toUtf8().toPercentEncoding());
}

TEST_F(BlankRemoverTest, EmptyAndOneCharacterTexts)
{
    EXPECT_EQ(run(QString()), QString());
    EXPECT_EQ(editor.search().position(), 0);
    EXPECT_EQ(run(QStringLiteral(" ")), QString());
    EXPECT_EQ(run(QStringLiteral("x")), QStringLiteral("x"));
    EXPECT_EQ(editor.search().position(), 1);
}

TEST_F(BlankRemoverTest, UndoGivesBackTheIndentedText)
{
    const QString indented = QStringLiteral("  x\r\n  y");
    run(indented);
    EXPECT_EQ(caption(1), QStringLiteral("*文档 1"));
    EXPECT_EQ(doc(1).selStart(), 0);
    EditCommands(platform).undo(editor.activeDocument());
    EXPECT_EQ(doc(1).text(), indented);
}

TEST_F(BlankRemoverTest, FindNextAfterwardsMissesOnceThenStartsOver)
{
    const QString text = QStringLiteral("   ab\r\n   ab");
    run(text);
    EXPECT_EQ(editor.search().position(), text.size());
    editor.search().setText(QStringLiteral("ab"));
    editor.search().findNext();
    ASSERT_EQ(platform.shownMessages.size(), 1);
    EXPECT_EQ(platform.shownMessages[0].text, QStringLiteral("Cannot Find \"ab\""));
    editor.search().findNext();
    EXPECT_EQ(doc(1).selStart(), 0);
    EXPECT_EQ(doc(1).selLength(), 2);
}

TEST_F(BlankRemoverTest, LongTextsAreHandledWhole)
{
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += QStringLiteral("  line\r\n");
    const QString result = run(text);
    EXPECT_EQ(result.size(), 20000 * 6);
    EXPECT_EQ(lineCount(result), lineCount(text));
    EXPECT_EQ(editor.search().position(), text.size());
}

// Random texts of spaces, tabs, CR, LF and letters: the remover ends, keeps every CR LF
// line, and removes exactly the leading spaces of each.
TEST(BlankRemoverProperty, RandomTextsKeepTheirLinesAndLoseOnlyLeadingSpaces)
{
    QRandomGenerator random(20261207);
    const QChar alphabet[] = {QLatin1Char(' '),  QLatin1Char(' '), QLatin1Char('\t'), QLatin1Char('\r'),
                              QLatin1Char('\n'), QLatin1Char('a'), QLatin1Char('b')};
    for (int round = 0; round < 3000; ++round) {
        const int length = random.bounded(0, 40);
        QString text;
        for (int i = 0; i < length; ++i)
            text += alphabet[random.bounded(int(std::size(alphabet)))];
        const QString result = BlankRemover::stripLeadingBlanks(text);
        ASSERT_EQ(lineCount(result), lineCount(text)) << qPrintable(text.toUtf8().toPercentEncoding());
        ASSERT_EQ(result, expectedResult(text)) << qPrintable(text.toUtf8().toPercentEncoding());
        QString withoutSpaces = text;
        withoutSpaces.remove(QLatin1Char(' '));
        QString resultWithoutSpaces = result;
        resultWithoutSpaces.remove(QLatin1Char(' '));
        ASSERT_EQ(resultWithoutSpaces, withoutSpaces); // nothing but spaces goes, nothing is repeated
    }
}
