#include "editor/textbox/TextBoxView.h"
#include "ScriptedPlatform.h"
#include "editor/file/ByteStandIn.h"
#include "editor/file/TextMarkers.h"
#include "editor/textbox/CaretMotion.h"
#include "editor/textbox/FontDecoration.h"
#include "editor/textbox/FrameKeys.h"
#include "editor/textbox/TextBoxBehaviours.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

// A text box with its behaviours, whose middle click pastes the scripted primary
// selection, and a document whose command snapshots are counted, as the editor takes them.
class TextBoxViewTest : public ::testing::Test {
protected:
    // The box lives where it does in the program: in a sub-window of a multi-document area.
    TextBoxViewTest() : box(*new TextBoxView(&doc))
    {
        TextBoxBehaviours::attach(box, nullptr, platform);
        QObject::connect(&doc, &TextDocument::commandStarting, [this] { snapshots << doc.text(); });
        area.resize(420, 340);
        area.addSubWindow(&box)->resize(400, 300);
        area.show();
        QApplication::setActiveWindow(&area);
        box.setFocus();
    }

    QPoint pointOf(qsizetype position) { return box.caretRect(position).center() + QPoint(1, 0); }

    // What the screen shows, line by line, joined by the document's own line ends, must
    // be the document's text; the caret and the selection must be the document's.
    void expectViewMatchesDocument(const std::string &where)
    {
        const LineIndex &lines = doc.lines();
        const LineIndex fresh(doc.text());
        ASSERT_EQ(lines.lineCount(), fresh.lineCount()) << where;
        QString shown;
        for (qsizetype i = 0; i < lines.lineCount(); ++i) {
            ASSERT_EQ(lines.lineStart(i), fresh.lineStart(i)) << where;
            shown += box.shownLineText(i);
            const qsizetype next = i + 1 < lines.lineCount() ? lines.lineStart(i + 1) : doc.length();
            shown += doc.text().mid(lines.lineEnd(i), next - lines.lineEnd(i));
        }
        ASSERT_EQ(shown, doc.text()) << where;
        ASSERT_EQ(std::min(box.anchorPosition(), box.caretPosition()), doc.selStart()) << where;
        ASSERT_EQ(std::abs(box.caretPosition() - box.anchorPosition()), doc.selLength()) << where;
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(&box);
        ASSERT_NE(a, nullptr);
        QAccessibleTextInterface *t = a->textInterface();
        ASSERT_NE(t, nullptr) << where;
        ASSERT_EQ(t->text(0, t->characterCount()), doc.text()) << where;
        int s = 0, e = 0;
        t->selection(0, &s, &e);
        ASSERT_EQ(s, doc.selLength() ? doc.selStart() : 0) << where;
        ASSERT_EQ(e - s, doc.selLength()) << where;
    }

    void commit(const QString &text, int replaceFrom = 0, int replaceLength = 0)
    {
        QInputMethodEvent e(QStringLiteral("预"), {});
        QApplication::sendEvent(&box, &e); // a pre-edit first, as an input method sends it
        QInputMethodEvent done;
        done.setCommitString(text, replaceFrom, replaceLength);
        QApplication::sendEvent(&box, &done);
    }

    void drop(const QString &text, qsizetype position)
    {
        QMimeData mime;
        mime.setText(text);
        const QPointF at = pointOf(position);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box.viewport(), &enter);
        QDropEvent dropped(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box.viewport(), &dropped);
    }

    ScriptedPlatform platform;
    QString &primary = platform.selectionContent;
    TextDocument doc;
    QMdiArea area;
    TextBoxView &box;
    QStringList snapshots;
};

// A window that offers its text box one menu key and a context menu, as the main window does.
class MenuWindow : public QWidget, public FrameKeys {
public:
    mutable QAction cut{QStringLiteral("剪切(&T)")};
    mutable QAction paste{QStringLiteral("粘贴(&P)")};

    QAction *actionForKey(const QKeySequence &key) const override
    {
        return key == QKeySequence(Qt::SHIFT | Qt::Key_Delete) ? &cut : nullptr;
    }
    QList<QAction *> contextMenuActions() const override { return {&cut, nullptr, &paste}; }
};

// The items of the menu a context-menu event opens ("-" for a separator), closed again at once.
QStringList contextMenuShown(QObject *receiver, QContextMenuEvent::Reason reason)
{
    QStringList shown;
    QTimer::singleShot(0, [&shown] {
        if (QWidget *popup = QApplication::activePopupWidget()) {
            for (const QAction *a : popup->actions())
                shown << (a->isSeparator() ? QStringLiteral("-") : a->text());
            popup->close();
        }
    });
    QContextMenuEvent e(reason, QPoint(5, 5), QPoint(5, 5));
    QApplication::sendEvent(receiver, &e);
    QApplication::processEvents(); // runs the timer when no menu did
    return shown;
}

} // namespace

TEST(TextMarkers, CharactersWithoutAGlyphGetALabel)
{
    const QString text = QStringLiteral("a\t") + QChar(0) + QChar(7) + QChar(0x7F) + QChar(0x85) + QChar(0x2028) +
                         QChar(0x2029) + byteStandIn(0xB5) + QChar(0xD83D) + QStringLiteral("x") + QChar(0xD83D) +
                         QChar(0xDE00) + QChar(0xDE00) + QStringLiteral("中");
    QStringList labels;
    for (qsizetype i = 0; i < text.size(); ++i)
        labels << (TextMarkers::labelAt(text, i).isNull() ? QStringLiteral("-") : TextMarkers::labelAt(text, i));
    EXPECT_EQ(labels.join(u' '), QStringLiteral("- - NUL BEL DEL x85 LS PS B5 D83D - - - DE00 -"));
}

TEST(FontDecoration, TheDocumentsSettingsReplaceTheBoxsOwnFont)
{
    QFont boxFont(QStringLiteral("Box Sans"), 9);
    boxFont.setBold(true);
    TextFont arial;
    arial.name = QStringLiteral("Arial");
    arial.size = 14;
    arial.underline = true;
    arial.foreColor = Qt::red;
    TextFont unnamed;
    unnamed.size = 0;
    unnamed.italic = true;
    unnamed.strikethrough = true;
    const struct {
        const char *what;
        TextFont settings;
        QString family;
        double points;
        bool bold, italic, underline, strikeOut;
        QColor color;
    } cases[] = {
        {"named", arial, QStringLiteral("Arial"), 14, false, false, true, false, Qt::red},
        {"no name, no size", unnamed, QStringLiteral("Box Sans"), 10.5, false, true, false, true, Qt::black},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        FontDecoration decoration;
        decoration.apply(c.settings, boxFont);
        const QFont &f = decoration.font();
        EXPECT_EQ(f.family(), c.family);
        EXPECT_EQ(f.pointSizeF(), c.points);
        EXPECT_EQ(f.bold(), c.bold);
        EXPECT_EQ(f.italic(), c.italic);
        EXPECT_EQ(f.underline(), c.underline);
        EXPECT_EQ(f.strikeOut(), c.strikeOut);
        EXPECT_EQ(decoration.textColor(), c.color);
    }
}

TEST_F(TextBoxViewTest, EveryLineEndShowsAsALineAndTheTextKeepsIt)
{
    doc.setText(QStringLiteral("crlf\r\nlone cr\rlone lf\nlast"));
    ASSERT_EQ(doc.lines().lineCount(), 4);
    EXPECT_EQ(box.shownLineText(0), QStringLiteral("crlf"));
    EXPECT_EQ(box.shownLineText(1), QStringLiteral("lone cr"));
    EXPECT_EQ(box.shownLineText(2), QStringLiteral("lone lf"));
    EXPECT_EQ(box.shownLineText(3), QStringLiteral("last"));
    // Down from the first line lands on the second, whatever ends the first.
    QTest::keyClick(&box, Qt::Key_Down);
    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_EQ(doc.selStart(), 14);
    QTest::keyClick(&box, Qt::Key_End);
    EXPECT_EQ(doc.selStart(), 21);
    QTest::keyClick(&box, Qt::Key_Right); // over the lone LF
    QTest::keyClicks(&box, QStringLiteral("X"));
    EXPECT_EQ(doc.text(), QStringLiteral("crlf\r\nlone cr\rlone lf\nXlast"));
    expectViewMatchesDocument("lines");
}

// Both ways the old view drifted from its document.
TEST_F(TextBoxViewTest, PastedSeparatorsAndJoinedLineEndsStayAsTheDocumentHasThem)
{
    primary = QStringLiteral("ab") + QChar(0x2028) + QStringLiteral("cd");
    QTest::mouseClick(box.viewport(), Qt::MiddleButton, {}, pointOf(0));
    ASSERT_EQ(doc.text(), primary);
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(doc.text(), QStringLiteral("ab") + QChar(0x2028) + QStringLiteral("c"));
    EXPECT_EQ(snapshots, QStringList{QString()}); // the paste was a command, the Backspace typing
    expectViewMatchesDocument("separator");

    doc.setText(QStringLiteral("a\rX\nb"));
    ASSERT_EQ(doc.lines().lineCount(), 3);
    doc.setSelStart(3);
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(doc.text(), QStringLiteral("a\r\nb"));
    EXPECT_EQ(doc.lines().lineCount(), 2);
    EXPECT_EQ(box.shownLineText(1), QStringLiteral("b"));
    expectViewMatchesDocument("joined");
}

TEST_F(TextBoxViewTest, AVeryLongLineIsLaidOutInPiecesThatJoinUp)
{
    QString line;
    for (int i = 0; i < 3000; ++i)
        line += QStringLiteral("词a");
    line.insert(LineLayouts::PieceLength - 1, QString::fromUcs4(U"\U0001F600")); // a pair across a piece's edge
    doc.setText(line + QStringLiteral("\nnext"));
    EXPECT_EQ(box.shownLineText(0), line);
    QTest::keyClick(&box, Qt::Key_End);
    EXPECT_EQ(doc.selStart(), line.size());
    // The caret's x grows with its position, across the pieces' edges.
    int lastX = INT_MIN;
    for (qsizetype p = LineLayouts::PieceLength - 4; p < 2 * LineLayouts::PieceLength + 4; p += 3) {
        const int x = box.caretRect(p).x();
        ASSERT_GE(x, lastX) << p;
        lastX = x;
    }
    doc.setSelStart(2 * LineLayouts::PieceLength + 1);
    const QPoint at = box.caretRect(doc.selStart()).center();
    QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, at);
    EXPECT_NEAR(double(doc.selStart()), double(2 * LineLayouts::PieceLength + 1), 1.0);
}

// Random edits through every way into the text box, with the screen checked against the
// document after each one.
TEST_F(TextBoxViewTest, EveryInputPathKeepsViewAndDocumentTogether)
{
    QRandomGenerator random(14);
    const QStringList pieces = {
        QStringLiteral("a"),
        QStringLiteral("中文"),
        QStringLiteral("\r"),
        QStringLiteral("\n"),
        QStringLiteral("\r\n"),
        QString(QChar(0x2028)),
        QString(QChar(0)),
        QString(byteStandIn(0xB5)),
        QString::fromUcs4(U"\U0001F600"),
        QStringLiteral("\t"),
        QString::fromUcs4(U"e\u0301\U0001F1E8\U0001F1F3\U0001F469\u200D\U0001F4BB\u1100\u1161")};
    auto somePieces = [&] {
        QString s;
        for (int i = random.bounded(1, 4); i > 0; --i)
            s += pieces[random.bounded(int(pieces.size()))];
        return s;
    };
    doc.setText(QStringLiteral("start\r\nof\nthe\rtext"));
    for (int step = 0; step < 600; ++step) {
        const qsizetype length = doc.length();
        const qsizetype at = random.bounded(int(length) + 1);
        std::string what;
        switch (random.bounded(13)) {
        case 0:
            what = "type";
            QTest::keyClicks(&box, QStringLiteral("xy"));
            break;
        case 1:
            what = "enter";
            QTest::keyClick(&box, Qt::Key_Return);
            break;
        case 2:
            what = "backspace";
            QTest::keyClick(&box, Qt::Key_Backspace);
            break;
        case 3:
            what = "tab";
            QTest::keyClick(&box, Qt::Key_Tab);
            break;
        case 4: {
            what = "move";
            const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End};
            const Qt::KeyboardModifiers mods = random.bounded(2) ? Qt::ShiftModifier : Qt::NoModifier;
            QTest::keyClick(&box, keys[random.bounded(6)],
                            mods | (random.bounded(4) == 0 ? Qt::ControlModifier : Qt::NoModifier));
            break;
        }
        case 5:
            what = "input method";
            commit(somePieces());
            break;
        case 6:
            what = "input method replacing";
            commit(QStringLiteral("换"), -1, 1);
            break;
        case 7:
            what = "drop";
            drop(somePieces(), at);
            break;
        case 8:
            what = "middle click";
            primary = somePieces();
            QTest::mouseClick(box.viewport(), Qt::MiddleButton, {}, pointOf(at));
            break;
        case 9:
            what = "click";
            QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, pointOf(at));
            break;
        case 10:
            what = "command";
            doc.select(at, random.bounded(int(length - at) + 1));
            doc.setSelText(somePieces());
            break;
        case 11: {
            what = "compose"; // a pre-edit left showing is never text
            QInputMethodEvent e(somePieces(), {});
            QApplication::sendEvent(&box, &e);
            break;
        }
        default:
            what = "select";
            doc.select(at, random.bounded(int(length - at) + 1));
            break;
        }
        expectViewMatchesDocument("step " + std::to_string(step) + " " + what);
        if (what == "move" || what == "click") { // the keys and the mouse stop between clusters only
            ASSERT_EQ(CaretMotion(doc.text(), doc.lines()).snap(box.caretPosition()), box.caretPosition()) << step;
        }
        if (doc.length() > 400)
            doc.setText(QStringLiteral("again\r\n"));
    }
}

TEST_F(TextBoxViewTest, DropsAndMiddleClicksAreCommandsWithASnapshot)
{
    doc.setText(QStringLiteral("one two"));
    drop(QStringLiteral("A\nB"), 3);
    EXPECT_EQ(doc.text(), QStringLiteral("oneA\r\nB two")); // text from other programs gets CR LF, as Paste gives it
    ASSERT_EQ(snapshots.size(), 1);
    EXPECT_EQ(snapshots[0], QStringLiteral("one two"));
    primary = QStringLiteral("!");
    QTest::mouseClick(box.viewport(), Qt::MiddleButton, {}, pointOf(0));
    EXPECT_EQ(doc.text(), QStringLiteral("!oneA\r\nB two"));
    EXPECT_EQ(snapshots.size(), 2);
    // Typing is no command: no snapshot.
    QTest::keyClicks(&box, QStringLiteral("z"));
    EXPECT_EQ(snapshots.size(), 2);
}

// The primary selection is the platform's: what the mouse selects goes there, and a middle
// click pastes what is there.
TEST_F(TextBoxViewTest, TheMouseSelectsIntoThePrimarySelectionAndPastesFromIt)
{
    doc.setText(QStringLiteral("one two"));
    QTest::mousePress(box.viewport(), Qt::LeftButton, {}, pointOf(4));
    QTest::mouseMove(box.viewport(), pointOf(7));
    QTest::mouseRelease(box.viewport(), Qt::LeftButton, {}, pointOf(7));
    EXPECT_EQ(primary, QStringLiteral("two"));
    QTest::keyClick(&box, Qt::Key_Home, Qt::ShiftModifier); // the keyboard's selections stay in the box
    EXPECT_EQ(primary, QStringLiteral("two"));
    QTest::mouseClick(box.viewport(), Qt::MiddleButton, {}, pointOf(0));
    EXPECT_EQ(doc.text(), QStringLiteral("twoone two"));
    EXPECT_EQ(primary, QStringLiteral("two")); // a click that selects nothing leaves it
}

TEST_F(TextBoxViewTest, KeysOfOtherEditorsDoNothingHere)
{
    doc.setText(QStringLiteral("abc"));
    doc.select(1, 1);
    // Without a frame around it these keys have no command to reach, and the text box
    // has no delete, clipboard or undo of its own.
    for (const auto &[key, mods] :
         std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>>{{Qt::Key_Delete, Qt::NoModifier},
                                                                          {Qt::Key_Delete, Qt::KeypadModifier},
                                                                          {Qt::Key_Delete, Qt::ShiftModifier},
                                                                          {Qt::Key_Insert, Qt::ShiftModifier},
                                                                          {Qt::Key_Z, Qt::ControlModifier},
                                                                          {Qt::Key_Y, Qt::ControlModifier},
                                                                          {Qt::Key_K, Qt::ControlModifier},
                                                                          {Qt::Key_Backspace, Qt::ControlModifier}})
        QTest::keyClick(&box, key, mods);
    EXPECT_EQ(doc.text(), QStringLiteral("abc"));
}

TEST(FrameKeyRouter, TheWindowsMenuKeysAndContextMenuReachTheWindow)
{
    TextDocument doc;
    doc.setText(QStringLiteral("abc"));
    ScriptedPlatform platform;
    MenuWindow window;
    TextBoxView box(&doc, &window);
    TextBoxBehaviours::attach(box, &window, platform);
    window.show();
    box.setFocus();
    int cuts = 0;
    QObject::connect(&window.cut, &QAction::triggered, [&cuts] { ++cuts; });

    QTest::keyClick(&box, Qt::Key_Delete, Qt::ShiftModifier);
    QTest::keyClick(&box, Qt::Key_Delete, Qt::ShiftModifier | Qt::KeypadModifier);
    EXPECT_EQ(cuts, 2);
    window.cut.setEnabled(false);
    QTest::keyClick(&box, Qt::Key_Delete, Qt::ShiftModifier); // a greyed command's key does nothing
    EXPECT_EQ(cuts, 2);
    EXPECT_EQ(doc.text(), QStringLiteral("abc"));

    const QStringList menu = {QStringLiteral("剪切(&T)"), QStringLiteral("-"), QStringLiteral("粘贴(&P)")};
    EXPECT_EQ(contextMenuShown(box.viewport(), QContextMenuEvent::Mouse), menu);
    EXPECT_EQ(contextMenuShown(&box, QContextMenuEvent::Keyboard), menu);
    // A mouse's menu comes through the viewport; one reaching the box itself is not its own.
    EXPECT_EQ(contextMenuShown(&box, QContextMenuEvent::Mouse), QStringList());
}
