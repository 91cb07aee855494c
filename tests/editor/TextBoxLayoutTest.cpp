#include "ScriptedPlatform.h"
#include "editor/file/ByteStandIn.h"
#include "editor/textbox/LinePieces.h"
#include "editor/textbox/TextBoxBehaviours.h"
#include "editor/textbox/TextBoxView.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

// The text box in a sub-window of an MDI area, where the program shows it.
class TextBoxLayoutTest : public ::testing::Test {
protected:
    TextBoxLayoutTest() : box(new TextBoxView(&doc))
    {
        TextBoxBehaviours::attach(*box, nullptr, platform);
        area.resize(640, 420);
        QMdiSubWindow *window = area.addSubWindow(box);
        window->resize(520, 320);
        area.show();
        window->show();
        box->setFocus();
    }

    int x(qsizetype position) { return box->caretRect(position).x(); }
    bool caretVisible() { return box->viewport()->rect().contains(box->caretRect(box->caretPosition()).center()); }

    ScriptedPlatform platform;
    TextDocument doc;
    QMdiArea area;
    TextBoxView *box;
};

} // namespace

TEST_F(TextBoxLayoutTest, TabsOfALongLineStopOnTheLinesTabStopsAcrossPieceEdges)
{
    QString line;
    for (int i = 0; i < 2500; ++i)
        line += QStringLiteral("ab\t");
    doc.setText(line);
    const int x0 = x(0);
    const qreal tab = (x(3 * 600) - x0) / 600.0; // the tab stops of the first piece's layout
    // Every field starts one tab stop after the one before, on either side of a piece edge.
    for (int field : {2, 681, 682, 683, 1364, 1365, 1366, 2048, 2499}) {
        SCOPED_TRACE(field);
        EXPECT_NEAR(x(3 * field) - x0, field * tab, 2.0);
        EXPECT_NEAR(x(3 * field) - x(3 * field - 3), tab, 1.5);
    }
}

TEST_F(TextBoxLayoutTest, APiecedRightToLeftLineRunsFromTheRightAndHomeShowsItsStart)
{
    QString line;
    while (line.size() < 3 * LineLayouts::PieceLength)
        line += QStringLiteral("שלום עולם ");
    doc.setText(line + QStringLiteral("\nabc"));
    EXPECT_EQ(box->shownLineText(0), line);
    // Read in the text's order, the caret goes leftwards, across every piece edge.
    for (qsizetype p = LineLayouts::PieceLength - 3; p < 2 * LineLayouts::PieceLength + 3; ++p)
        ASSERT_LE(x(p + 1), x(p)) << p;
    EXPECT_GT(x(0) - x(line.size()), 10000);
    QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(doc.selStart(), 0);
    EXPECT_TRUE(caretVisible());
    EXPECT_GT(box->horizontalScrollBar()->value(), 10000); // the start is the line's right end

    // The selected line end shows at the line's logical end: left of the line, not over its last letter.
    doc.setText(QStringLiteral("שלום\nabc"));
    doc.select(0, 6);
    const QImage shot = box->viewport()->grab().toImage();
    const QRect end = box->caretRect(4);
    const QColor highlight = box->palette().color(QPalette::Active, QPalette::Highlight);
    EXPECT_EQ(shot.pixelColor(end.x() - 2, end.center().y()), highlight);
    EXPECT_NE(shot.pixelColor(end.x() + 2, end.center().y()), highlight);
}

TEST_F(TextBoxLayoutTest, TheScrollRangeFollowsTheWidestLineAndAFontChangeKeepsTheCaretInView)
{
    doc.setText(QStringLiteral("short\n") + QString(20000, u'w') + QStringLiteral("\nend"));
    QScrollBar *h = box->horizontalScrollBar();
    EXPECT_GT(h->maximum(), 20000 * QFontMetricsF(box->font()).horizontalAdvance(u'w') - box->viewport()->width());
    doc.setSelStart(6 + 15000);
    ASSERT_TRUE(caretVisible());
    TextFont big;
    big.size = 30;
    doc.setFont(big);
    EXPECT_TRUE(caretVisible());
    doc.select(0, doc.length());
    doc.setSelText(QString());
    EXPECT_EQ(h->maximum(), 0);
}

// Edits anywhere in a long line of tabs, marked characters and pairs leave its pieces as
// a fresh measure of the new line would: one after another, none cutting a pair, and as
// wide in all.
TEST(LinePieces, EditsAgreeWithAFreshMeasure)
{
    CharAdvances advances;
    advances.setFonts(QFont(), QFont());
    QRandomGenerator random(23);
    const QStringList bits = {
        QStringLiteral("word "),          QStringLiteral("\t"),  QString(QChar(1)), QString(byteStandIn(0xFF)),
        QString::fromUcs4(U"\U0001F600"), QStringLiteral("中文")};
    auto some = [&](int n) {
        QString s;
        for (int i = 0; i < n; ++i)
            s += bits[random.bounded(int(bits.size()))];
        return s;
    };
    QString text = QStringLiteral("before\n") + some(3000);
    const qsizetype lineStart = 7;
    LinePieces pieces(advances, text, lineStart, text.size() - lineStart);
    for (int step = 0; step < 300; ++step) {
        const qsizetype length = text.size() - lineStart;
        qsizetype column = random.bounded(int(length) + 1);
        if (column > 0 && column < length && text[lineStart + column].isLowSurrogate())
            --column;
        qsizetype removed = random.bounded(int(std::min<qsizetype>(length - column, 40)) + 1);
        if (column + removed < length && text[lineStart + column + removed].isLowSurrogate())
            ++removed;
        const QString added = some(random.bounded(4));
        text.replace(lineStart + column, removed, added);
        ASSERT_TRUE(pieces.edit(text, lineStart, text.size() - lineStart, column, removed, added.size())) << step;
        const LinePieces fresh(advances, text, lineStart, text.size() - lineStart);
        ASSERT_EQ(pieces.width(), fresh.width()) << step;
        qsizetype next = 0;
        for (size_t i = 0; i < pieces.count(); ++i) {
            const LinePieces::Span &s = pieces.span(i);
            ASSERT_EQ(s.start, next) << step;
            ASSERT_LE(s.length, LinePieces::MaxLength + 1) << step;
            ASSERT_FALSE(s.start > 0 && text[lineStart + s.start].isLowSurrogate()) << step;
            next += s.length;
        }
        ASSERT_EQ(next, text.size() - lineStart) << step;
    }
}
