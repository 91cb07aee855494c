#include "editor/commands/EditCommands.h"
#include "EditorFixture.h"

using namespace korvane;

namespace {

class EditCommandsTest : public EditorFixture {
protected:
    // Typing into the text box, as the view reports it.
    void type(const QString &text) { doc(1).applyViewEdit(doc(1).selStart(), doc(1).selLength(), text); }

    EditCommands edit{editor};
};

} // namespace

TEST_F(EditCommandsTest, UndoAfterCutAndTypingBringsBackTheTextBeforeTheCut)
{
    setText(QStringLiteral("hello world"));
    doc(1).select(6, 5);
    edit.cut();
    EXPECT_EQ(doc(1).text(), QStringLiteral("hello "));
    EXPECT_EQ(platform.clipboardText(), QStringLiteral("world"));
    type(QStringLiteral("there"));
    EXPECT_EQ(doc(1).text(), QStringLiteral("hello there"));

    edit.undo();
    EXPECT_EQ(doc(1).text(), QStringLiteral("hello world"));
    EXPECT_EQ(doc(1).selStart(), 0);
    EXPECT_EQ(caption(1), QStringLiteral("*文档 1"));
    // No redo: a second Undo gives the very same text.
    type(QStringLiteral("zz"));
    edit.undo();
    EXPECT_EQ(doc(1).text(), QStringLiteral("hello world"));
    edit.undo();
    EXPECT_EQ(doc(1).text(), QStringLiteral("hello world"));
}

TEST_F(EditCommandsTest, UndoWithoutSnapshotLeavesTextAndSelectionAlone)
{
    type(QStringLiteral("typed"));
    doc(1).select(1, 2);
    edit.copy();
    edit.selectAll();
    edit.undo();
    EXPECT_EQ(doc(1).text(), QStringLiteral("typed"));
    EXPECT_EQ(doc(1).selStart(), 0);
    EXPECT_EQ(doc(1).selLength(), 5);
}

TEST_F(EditCommandsTest, OnlyTheLastSnapshottingCommandIsUndone)
{
    setText(QStringLiteral("abcdef"));
    doc(1).select(0, 2);
    edit.cut(); // cdef
    doc(1).setSelStart(4);
    edit.paste(); // cdefab
    EXPECT_EQ(doc(1).text(), QStringLiteral("cdefab"));
    EXPECT_EQ(doc(1).selStart(), 6);
    edit.undo();
    EXPECT_EQ(doc(1).text(), QStringLiteral("cdef"));
}

TEST_F(EditCommandsTest, CopyOfNothingPutsEmptyTextOnTheClipboardAndPasteThenDeletes)
{
    setText(QStringLiteral("keep this"));
    platform.setClipboardText(QStringLiteral("old"));
    doc(1).setSelStart(3);
    edit.copy();
    EXPECT_TRUE(platform.clipboardHasText);
    EXPECT_EQ(platform.clipboardText(), QString());
    EXPECT_TRUE(editor.undoSnapshot(1).isEmpty()); // Copy takes no snapshot

    doc(1).select(4, 5);
    edit.paste();
    EXPECT_EQ(doc(1).text(), QStringLiteral("keep"));
    EXPECT_EQ(editor.undoSnapshot(1), QStringLiteral("keep this"));
}

TEST_F(EditCommandsTest, PasteOfAClipboardWithoutTextStillDeletesTheSelection)
{
    setText(QStringLiteral("abc"));
    platform.clearClipboard();
    doc(1).select(1, 1);
    edit.paste();
    EXPECT_EQ(doc(1).text(), QStringLiteral("ac"));
    EXPECT_EQ(doc(1).selStart(), 1);
}

TEST_F(EditCommandsTest, PasteGivesBareLfLinesCrLfEndsButKeepsTextThatHasCr)
{
    platform.setClipboardText(QStringLiteral("one\ntwo\n"));
    edit.paste();
    EXPECT_EQ(doc(1).text(), QStringLiteral("one\r\ntwo\r\n"));

    setText(QString());
    platform.setClipboardText(QStringLiteral("a\r\nb\nc\rd"));
    edit.paste();
    EXPECT_EQ(doc(1).text(), QStringLiteral("a\r\nb\nc\rd"));
}

TEST_F(EditCommandsTest, DeleteWithoutSelectionChangesNothingButTakesTheSnapshot)
{
    setText(QStringLiteral("abc"));
    doc(1).setSelStart(1);
    edit.deleteSelection();
    EXPECT_EQ(doc(1).text(), QStringLiteral("abc"));
    EXPECT_FALSE(editor.isChanged(1));
    EXPECT_EQ(editor.undoSnapshot(1), QStringLiteral("abc"));

    doc(1).select(0, 2);
    edit.deleteSelection();
    EXPECT_EQ(doc(1).text(), QStringLiteral("c"));
    EXPECT_TRUE(editor.isChanged(1));
}

TEST_F(EditCommandsTest, CutClearsTheClipboardAndPutsTheSelectionOnIt)
{
    setText(QStringLiteral("xyz"));
    platform.setClipboardText(QStringLiteral("before"));
    edit.cut(); // nothing selected
    EXPECT_TRUE(platform.clipboardHasText);
    EXPECT_EQ(platform.clipboardText(), QString());
    EXPECT_EQ(doc(1).text(), QStringLiteral("xyz"));
}

TEST_F(EditCommandsTest, CommandsWithNoDocumentOpenFirstCreateOne)
{
    ASSERT_TRUE(editor.closeAll());
    platform.setClipboardText(QStringLiteral("pasted"));
    edit.paste();
    ASSERT_EQ(editor.openCount(), 1);
    EXPECT_EQ(doc(1).text(), QStringLiteral("pasted"));
}
