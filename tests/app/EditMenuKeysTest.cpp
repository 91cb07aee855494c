#include "ScriptedPlatform.h"
#include "app/MainFrame.h"
#include "app/MdiDocumentHost.h"
#include "app/ToolWindows.h"
#include "editor/Editor.h"
#include "editor/dialogs/FindDialog.h"
#include "editor/document/TextDocument.h"
#include "editor/textbox/DocumentWindow.h"
#include "editor/textbox/TextBoxView.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QTest>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

// The edit, insert and format keys as the user presses them in the frame.
class EditMenuKeysTest : public ::testing::Test {
protected:
    EditMenuKeysTest() : frame(platform, tools, {})
    {
        frame.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
    }
    TextBoxView *box()
    {
        auto *w = qobject_cast<DocumentWindow *>(frame.mdiArea()->currentSubWindow());
        return w ? w->textBox() : nullptr;
    }
    TextDocument &doc() { return frame.editor().document(frame.documents().activeSlot()); }
    void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(box(), Qt::Key(key), mods); }

    ScriptedPlatform platform;
    ToolWindows tools;
    MainFrame frame;
};

} // namespace

TEST_F(EditMenuKeysTest, ClipboardAndUndoKeysRunTheMenuCommands)
{
    ASSERT_NE(box(), nullptr);
    QTest::keyClicks(box(), QStringLiteral("hello world"));
    doc().select(6, 5);
    press(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(doc().text(), QStringLiteral("hello "));
    EXPECT_EQ(platform.clipboardText(), QStringLiteral("world"));
    QTest::keyClicks(box(), QStringLiteral("there"));
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc().text(), QStringLiteral("hello world"));

    press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(doc().selLength(), 11);
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(platform.clipboardText(), QStringLiteral("hello world"));
    doc().setSelStart(5);
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(doc().text(), QStringLiteral("hellohello world world"));
    EXPECT_EQ(box()->toPlainText(), QStringLiteral("hellohello world world"));

    doc().setSelStart(0);
    press(Qt::Key_Delete);
    EXPECT_EQ(doc().text().size(), 22);
}

// The keys a text box usually handles by itself run the menu's commands, snapshot and all.
TEST_F(EditMenuKeysTest, SecondClipboardKeysAndKeypadDelRunTheMenuCommands)
{
    QTest::keyClicks(box(), QStringLiteral("hello world"));
    doc().select(0, 6);
    press(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(platform.clipboardText(), QStringLiteral("hello "));
    press(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(doc().text(), QStringLiteral("world"));
    doc().setSelStart(5);
    press(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(doc().text(), QStringLiteral("worldhello "));
    doc().select(0, 5);
    press(Qt::Key_Delete, Qt::KeypadModifier);
    EXPECT_EQ(doc().text(), QStringLiteral("hello "));
    press(Qt::Key_Z, Qt::ControlModifier); // each was a command: Undo gives the text before the last
    EXPECT_EQ(doc().text(), QStringLiteral("worldhello "));
}

TEST_F(EditMenuKeysTest, FindKeysAndTheRemoverKey)
{
    QTest::keyClicks(box(), QStringLiteral("  ab"));
    QTest::keyClick(box(), Qt::Key_Return);
    QTest::keyClicks(box(), QStringLiteral("  ab"));
    ASSERT_EQ(doc().text(), QStringLiteral("  ab\r\n  ab"));

    press(Qt::Key_F, Qt::ControlModifier);
    FindDialog *d = FindDialog::instance();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(d->isWindow());
    EXPECT_EQ(d->parentWidget(), &frame); // stays above the frame and goes with it
    QTest::keyClicks(d->searchBox(), QStringLiteral("AB"));
    d->close();

    press(Qt::Key_F3);
    EXPECT_EQ(doc().selStart(), 2);
    press(Qt::Key_F3);
    EXPECT_EQ(doc().selStart(), 8);

    press(Qt::Key_W, Qt::ControlModifier); // the frame's key, not the document window's Close
    EXPECT_EQ(frame.editor().openCount(), 1);
    EXPECT_EQ(doc().text(), QStringLiteral("ab\r\nab"));
    EXPECT_EQ(box()->toPlainText(), QStringLiteral("ab\r\nab"));
    press(Qt::Key_F3);
    EXPECT_EQ(platform.shownMessages.size(), 1);
    press(Qt::Key_F3);
    EXPECT_EQ(doc().selStart(), 0);
}

TEST_F(EditMenuKeysTest, InsertItemsOfTheMenu)
{
    frame.findChild<QAction *>(QStringLiteral("mnuInsertDateLong"))->trigger();
    frame.findChild<QAction *>(QStringLiteral("mnuInsertTimeMedium"))->trigger();
    EXPECT_EQ(doc().text(), QStringLiteral("2026年12月7日05:45 下午"));
    EXPECT_EQ(box()->toPlainText(), doc().text());
}

TEST_F(EditMenuKeysTest, ClosingTheFrameClosesTheFindWindow)
{
    press(Qt::Key_F, Qt::ControlModifier);
    QPointer<FindDialog> d = FindDialog::instance();
    ASSERT_TRUE(d);
    frame.showMinimized();
    EXPECT_EQ(FindDialog::instance(), d.data());
    frame.showNormal();
    ASSERT_TRUE(frame.close());
    EXPECT_EQ(FindDialog::instance(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(d.isNull());
}
