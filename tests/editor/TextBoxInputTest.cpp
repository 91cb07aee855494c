#include "ScriptedPlatform.h"
#include "editor/textbox/TextBoxBehaviours.h"
#include "editor/textbox/TextBoxView.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

// A text box in a sub-window of a multi-document area, as in the program, beside a
// second sub-window that can take the focus away.
class TextBoxInput : public ::testing::Test {
protected:
    TextBoxInput() : box(*new TextBoxView(&doc)), other(*new QLineEdit)
    {
        TextBoxBehaviours::attach(box, nullptr, platform);
        area.resize(520, 340);
        area.addSubWindow(&other)->resize(100, 60);
        area.addSubWindow(&box)->setGeometry(0, 0, 400, 300);
        area.show();
        QApplication::setActiveWindow(&area);
        box.setFocus();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(&box, k, m); }
    void compose(const QString &preedit, int cursor, const QString &commit = {}, int from = 0, int length = 0)
    {
        QTextCharFormat underline;
        underline.setFontUnderline(true);
        QInputMethodEvent e(preedit, {{QInputMethodEvent::TextFormat, 0, int(preedit.size()), underline},
                                      {QInputMethodEvent::Cursor, cursor, 1, {}}});
        e.setCommitString(commit, from, length);
        QApplication::sendEvent(&box, &e);
    }
    // x in the text, wherever it is scrolled to.
    int xAt(qsizetype position) { return box.caretRect(position).x() + box.horizontalScrollBar()->value(); }
    QVariant im(Qt::InputMethodQuery q) { return static_cast<QWidget &>(box).inputMethodQuery(q); }
    QRect imCursor() { return im(Qt::ImCursorRectangle).toRect(); }

    ScriptedPlatform platform;
    TextDocument doc;
    QMdiArea area;
    TextBoxView &box;
    QLineEdit &other;
};

} // namespace

TEST_F(TextBoxInput, TabIsTextAndShiftTabKeepsTheFocus)
{
    key(Qt::Key_Tab);
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(doc.text(), QStringLiteral("\t"));
    EXPECT_TRUE(box.hasFocus());
}

// Each cluster between "a" and "b": the caret never stops inside it, Backspace takes
// its last code point, a click on it lands at one of its edges.
TEST_F(TextBoxInput, TheCaretStepsOverWholeClusters)
{
    const char32_t *clusters[] = {U"e\u0301\u0323",      U"\U0001F1E8\U0001F1F3", U"\U0001F469\u200D\U0001F4BB",
                                  U"\u1100\u1161\u11A8", U"\U0001F600",           U"\r\n"};
    for (const char32_t *c : clusters) {
        const QString cluster = QString::fromUcs4(c);
        const qsizetype n = cluster.size();
        SCOPED_TRACE(cluster.toStdString());
        doc.setText(QStringLiteral("a") + cluster + QStringLiteral("b"));
        QList<qsizetype> stops;
        for (int i = 0; i < 4; stops << box.caretPosition(), ++i)
            key(Qt::Key_Right);
        EXPECT_EQ(stops, (QList<qsizetype>{1, 1 + n, 2 + n, 2 + n}));
        key(Qt::Key_Left);
        key(Qt::Key_Left, Qt::ShiftModifier);
        EXPECT_EQ(doc.selText(), cluster);
        key(Qt::Key_Right);
        if (n > 2 || cluster[0] != u'\r')
            QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, QPoint((xAt(1) + xAt(1 + n)) / 2, 5));
        EXPECT_TRUE(box.caretPosition() == 1 || box.caretPosition() == 1 + n) << box.caretPosition();
        doc.setSelStart(1 + n);
        key(Qt::Key_Backspace);
        const qsizetype last = cluster.back().isLowSurrogate() || cluster == u"\r\n" ? 2
                                                                                     : 1; // a code point, a line end
        EXPECT_EQ(doc.text(), QStringLiteral("a") + cluster.left(n - last) + QStringLiteral("b"));
    }
}

// In a line that runs right to left the arrows move on screen, across the pieces of a long
// line too; Home and End and Shift-selections keep to the text's own order.
TEST_F(TextBoxInput, RightToLeftLinesMoveOnScreen)
{
    for (const int repeat : {1, 400}) {
        SCOPED_TRACE(repeat);
        doc.setText(QStringLiteral("שלום עולם").repeated(repeat) + QStringLiteral("\nx"));
        const qsizetype length = doc.lines().lineLength(0);
        EXPECT_GT(xAt(0), xAt(std::min<qsizetype>(length, 2000))) << "the line starts at the right";
        // Left goes on through the text and on screen, over a piece's edge too.
        for (const qsizetype from : {qsizetype(0), std::min(length, qsizetype(2047))}) {
            doc.setSelStart(from);
            for (qsizetype expected = from + 1; expected <= std::min(length, from + 3); ++expected) {
                const int x = xAt(box.caretPosition());
                key(Qt::Key_Left);
                ASSERT_EQ(box.caretPosition(), expected);
                ASSERT_LT(xAt(expected), x);
            }
        }
        key(Qt::Key_Right, Qt::ShiftModifier);
        EXPECT_EQ(doc.selLength(), 1);
        key(Qt::Key_Home);
        EXPECT_EQ(box.caretPosition(), 0);
        key(Qt::Key_End, Qt::ShiftModifier);
        EXPECT_EQ(doc.selLength(), length);
    }
}

TEST_F(TextBoxInput, DoubleClickSelectsTheWordUnderThePointer)
{
    doc.setText(QStringLiteral("word, next"));
    QTest::mouseDClick(box.viewport(), Qt::LeftButton, {}, QPoint(xAt(4) - 1, 5)); // right half of the "d"
    EXPECT_EQ(doc.selText(), QStringLiteral("word"));
}

TEST_F(TextBoxInput, APreeditIsLaidOutInlineAndIsNeverText)
{
    doc.setText(QStringLiteral("The quick brown fox"));
    doc.setSelStart(9);
    const int brown = xAt(10), end = xAt(19);
    compose(QStringLiteral("ni hao"), 2);
    EXPECT_EQ(doc.text(), QStringLiteral("The quick brown fox"));
    EXPECT_EQ(box.shownLineText(0), doc.text());
    EXPECT_GT(xAt(10), brown + 20) << "the text after the pre-edit moves aside";
    EXPECT_EQ(xAt(19) - end, xAt(10) - brown);
    EXPECT_LT(imCursor().x(), xAt(10) - 20) << "the input method's cursor after \"ni\"";
    EXPECT_GT(imCursor().x(), box.caretRect(9).x() + 5);

    compose(QString(), 0, QStringLiteral("你好"));
    EXPECT_EQ(doc.text(), QStringLiteral("The quick你好 brown fox"));
    compose(QStringLiteral("x"), 1);
    compose(QString(), 0, QStringLiteral("您"), -2, 1); // replaces the "你"
    EXPECT_EQ(doc.text(), QStringLiteral("The quick您好 brown fox"));

    doc.select(4, 5);
    compose(QStringLiteral("kuai"), 4);
    EXPECT_EQ(doc.selLength(), 0) << "a selection does not show with a pre-edit";
    compose(QString(), 0, QStringLiteral("快"));
    EXPECT_EQ(doc.text(), QStringLiteral("The 快您好 brown fox"));

    for (const bool click : {true, false}) {
        const int after = xAt(6);
        compose(QStringLiteral("zhong"), 5);
        ASSERT_GT(xAt(6), after);
        if (click)
            QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, QPoint(2, 5));
        else
            other.setFocus();
        EXPECT_EQ(xAt(6), after) << "the pre-edit is gone";
        EXPECT_EQ(doc.text(), QStringLiteral("The 快您好 brown fox"));
        box.setFocus();
    }
}

TEST_F(TextBoxInput, TheInputMethodSeesTheCaretWhereverItGoes)
{
    doc.setText(QStringLiteral("abc\n") + QString(300, u'x') + QStringLiteral("\nend"));
    key(Qt::Key_Down);
    key(Qt::Key_End);
    EXPECT_GT(box.horizontalScrollBar()->value(), 0);
    EXPECT_EQ(imCursor(), box.caretRect(304).translated(box.viewport()->pos()));
    EXPECT_EQ(im(Qt::ImSurroundingText).toString(), QString(300, u'x'));
    EXPECT_EQ(im(Qt::ImCursorPosition).toInt(), 300);
    box.horizontalScrollBar()->setValue(0);
    EXPECT_EQ(imCursor(), box.caretRect(304).translated(box.viewport()->pos()));
    compose(QString(40, u'z'), 40);
    EXPECT_TRUE(box.viewport()->rect().contains(imCursor().translated(-box.viewport()->pos()).topLeft()))
        << "the view follows the pre-edit's cursor";
    doc.setText(QString(3 * LineLayouts::PieceLength, u'x'));
    const int near = xAt(200), far = xAt(5000);
    doc.setSelStart(100);
    compose(QStringLiteral("zz"), 2);
    EXPECT_NEAR(xAt(5000) - far, xAt(200) - near, 1) << "later pieces of a long line move aside too";
}

// A pre-edit in a later piece of a long line with tabs: it stands where the caret is (past
// the spacer that keeps the piece's tab stops), the rest of its field moves aside, and
// the next field stays on its tab stop.
TEST_F(TextBoxInput, APreeditInALaterPieceStandsAtTheCaretAndKeepsTheTabStops)
{
    doc.setText(QStringLiteral("ab\t").repeated(2500));
    const qsizetype at = 3 * 683; // the start of a field in the second piece
    ASSERT_GT(at, LineLayouts::PieceLength);
    doc.setSelStart(at);
    const int caret = xAt(at), b = xAt(at + 1), next = xAt(at + 3);
    compose(QStringLiteral("zz"), 0);
    EXPECT_EQ(imCursor().x() - box.viewport()->x() + box.horizontalScrollBar()->value(), caret);
    EXPECT_NEAR(xAt(at + 1) - b, QFontMetricsF(box.font()).horizontalAdvance(QStringLiteral("zz")), 1.5);
    EXPECT_EQ(xAt(at + 3), next);
}
