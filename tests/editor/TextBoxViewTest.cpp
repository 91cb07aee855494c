#include "editor/TextBoxView.h"
#include "editor/ViewText.h"

#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

QString viewText(TextBoxView &view)
{
    QTextCursor c(view.document());
    c.select(QTextCursor::Document);
    return c.selectedText();
}

} // namespace

TEST(ViewText, CrLfBecomesOneBreakAndLoneBreaksStayVisibleCharacters)
{
    const QString text = QStringLiteral("a\r\nb\rc\nd\r\r\ne\r\n\n");
    const QString view = ViewText::toView(text);
    const QString sep(QChar::ParagraphSeparator);
    EXPECT_EQ(view, QStringLiteral("a") + sep + QStringLiteral("b\u240Dc\u240Ad\u240D") + sep + QStringLiteral("e") + sep + QStringLiteral("\u240A"));
    EXPECT_EQ(ViewText::fromTyped(QStringLiteral("x") + sep + QStringLiteral("y")), QStringLiteral("x\r\ny"));
}

TEST(TextBoxView, PositionMappingCountsOneViewCharacterPerCrLf)
{
    TextDocument doc;
    doc.setText(QStringLiteral("ab\r\ncd\re\nf\r\n\r\ng"));
    TextBoxView view(&doc);
    // text:  a b CR LF c d CR e LF f CR LF CR LF g
    //        0 1 2  3  4 5 6  7 8  9 10 11 12 13 14
    EXPECT_EQ(view.document()->blockCount(), 4);
    EXPECT_EQ(view.toViewPosition(0), 0);
    EXPECT_EQ(view.toViewPosition(2), 2);  // before the CR LF
    EXPECT_EQ(view.toViewPosition(3), 2);  // between CR and LF: the end of the line
    EXPECT_EQ(view.toViewPosition(4), 3);  // c
    EXPECT_EQ(view.toViewPosition(6), 5);  // lone CR is one character
    EXPECT_EQ(view.toViewPosition(9), 8);  // f
    EXPECT_EQ(view.toViewPosition(12), 10);
    EXPECT_EQ(view.toViewPosition(14), 11); // g
    EXPECT_EQ(view.toViewPosition(15), 12);
    for (qsizetype t : {0, 2, 4, 5, 6, 7, 8, 9, 10, 12, 14, 15})
        EXPECT_EQ(view.toTextPosition(view.toViewPosition(t)), t) << t;
}

TEST(TextBoxView, TypingEnterInsertsCrLfAndTypedTextLandsAtTheRightPlace)
{
    TextDocument doc;
    doc.setText(QStringLiteral("one\r\ntwo\nthree"));
    TextBoxView view(&doc);
    doc.setSelStart(8); // just before the lone LF, after "two"
    QTest::keyClicks(&view, QStringLiteral("X"));
    EXPECT_EQ(doc.text(), QStringLiteral("one\r\ntwoX\nthree"));
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(doc.text(), QStringLiteral("one\r\ntwoX\r\n\nthree"));
    EXPECT_EQ(doc.selStart(), 11);
    QTest::keyClick(&view, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(doc.text(), QStringLiteral("one\r\ntwoX\r\n\r\n\nthree"));
    QTest::keyClick(&view, Qt::Key_Backspace);
    QTest::keyClick(&view, Qt::Key_Backspace);
    EXPECT_EQ(doc.text(), QStringLiteral("one\r\ntwoX\nthree"));
}

TEST(TextBoxView, CommandEditsAreMirroredWithoutSplittingCrLfPairs)
{
    TextDocument doc;
    doc.setText(QStringLiteral("ab\r\ncd"));
    TextBoxView view(&doc);
    // Remove only the LF of the pair: a lone CR is left and the view shows it.
    doc.select(3, 1);
    doc.setSelText(QString());
    EXPECT_EQ(viewText(view), QStringLiteral("ab\u240Dcd"));
    // Put a LF back after the CR: the pair (and the line break) returns.
    doc.setSelText(QStringLiteral("\n"));
    EXPECT_EQ(viewText(view), QStringLiteral("ab") + QChar(QChar::ParagraphSeparator) + QStringLiteral("cd"));
    // Insert between CR and LF.
    doc.select(3, 0);
    doc.setSelText(QStringLiteral("Z"));
    EXPECT_EQ(doc.text(), QStringLiteral("ab\rZ\ncd"));
    EXPECT_EQ(viewText(view), QStringLiteral("ab\u240DZ\u240Acd"));
    // The view's caret follows the document's selection.
    doc.select(5, 2);
    EXPECT_EQ(view.textCursor().selectedText(), QStringLiteral("cd"));
}

TEST(TextBoxView, SelectingWithTheKeyboardUpdatesTheDocumentSelection)
{
    TextDocument doc;
    doc.setText(QStringLiteral("ab\r\ncd"));
    TextBoxView view(&doc);
    view.show();
    QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(doc.selStart(), 6);
    QTest::keyClick(&view, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(doc.selStart(), 4);
    EXPECT_EQ(doc.selLength(), 2);
    QTest::keyClick(&view, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(doc.selStart(), 2);
    EXPECT_EQ(doc.selText(), QStringLiteral("\r\ncd"));
}

TEST(TextBoxView, LongTextsKeepMappingPastSixteenBits)
{
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += QStringLiteral("line\r\n");
    text += QStringLiteral("end");
    TextDocument doc;
    doc.setText(text);
    TextBoxView view(&doc);
    const qsizetype endPos = text.size() - 3;
    EXPECT_EQ(view.toViewPosition(endPos), endPos - 20000);
    doc.select(endPos, 3);
    EXPECT_EQ(view.textCursor().selectedText(), QStringLiteral("end"));
    doc.setSelText(QStringLiteral("END"));
    EXPECT_EQ(view.document()->lastBlock().text(), QStringLiteral("END"));
}
