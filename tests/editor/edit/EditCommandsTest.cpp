#include "editor/commands/EditCommands.h"
#include "EditorFixture.h"

using namespace korvane;

namespace {

class EditCommandsTest : public EditorFixture {
protected:
    // Typing into the text box, as the view reports it.
    void type(const QString &text) { doc(1).applyViewEdit(doc(1).selStart(), doc(1).selLength(), text); }

    EditCommands edit{platform};
};

} // namespace

TEST_F(EditCommandsTest, UndoAfterCutAndTypingBringsBackTheTextBeforeTheCut)
{
    setText(QStringLiteral("hello world"));
    doc(1).select(6, 5);
    edit.cut(editor.activeDocument());
    EXPECT_EQ(doc(1).text(), QStringLiteral("hello "));
    EXPECT_EQ(platform.clipboardText(), QStringLiteral("world"));
    type(QStringLiteral("there"));
    EXPECT_EQ(doc(1).text(), QStringLiteral("hello there"));

    edit.undo(editor.activeDocument());
    EXPECT_EQ(doc(1).text(), QStringLiteral("hello world"));
    EXPECT_EQ(doc(1).selStart(), 0);
    EXPECT_EQ(caption(1), QStringLiteral("*文档 1"));
    // No redo: a second Undo gives the very same text.
    type(QStringLiteral("zz"));
    edit.undo(editor.activeDocument());
    EXPECT_EQ(doc(1).text(), QStringLiteral("hello world"));
    edit.undo(editor.activeDocument());
    EXPECT_EQ(doc(1).text(), QStringLiteral("hello world"));
}

TEST_F(EditCommandsTest, UndoWithoutSnapshotLeavesTextAndSelectionAlone)
{
    type(QStringLiteral("typed"));
    doc(1).select(1, 2);
    edit.copy(editor.activeDocument());
    edit.selectAll(editor.activeDocument());
    edit.undo(editor.activeDocument());
    EXPECT_EQ(doc(1).text(), QStringLiteral("typed"));
    EXPECT_EQ(doc(1).selStart(), 0);
    EXPECT_EQ(doc(1).selLength(), 5);
}

TEST_F(EditCommandsTest, OnlyTheLastSnapshottingCommandIsUndone)
{
    setText(QStringLiteral("abcdef"));
    doc(1).select(0, 2);
    edit.cut(editor.activeDocument()); // cdef
    doc(1).setSelStart(4);
    edit.paste(editor.activeDocument()); // cdefab
    EXPECT_EQ(doc(1).text(), QStringLiteral("cdefab"));
    EXPECT_EQ(doc(1).selStart(), 6);
    edit.undo(editor.activeDocument());
    EXPECT_EQ(doc(1).text(), QStringLiteral("cdef"));
}

TEST_F(EditCommandsTest, CopyOfNothingPutsEmptyTextOnTheClipboardAndPasteThenDeletes)
{
    setText(QStringLiteral("keep this"));
    platform.setClipboardText(QStringLiteral("old"));
    doc(1).setSelStart(3);
    edit.copy(editor.activeDocument());
    EXPECT_TRUE(platform.clipboardHasText);
    EXPECT_EQ(platform.clipboardText(), QString());
    EXPECT_TRUE(editor.document(1).undoSnapshot().isEmpty()); // Copy takes no snapshot

    doc(1).select(4, 5);
    edit.paste(editor.activeDocument());
    EXPECT_EQ(doc(1).text(), QStringLiteral("keep"));
    EXPECT_EQ(editor.document(1).undoSnapshot(), QStringLiteral("keep this"));
}

TEST_F(EditCommandsTest, PasteOfAClipboardWithoutTextStillDeletesTheSelection)
{
    setText(QStringLiteral("abc"));
    platform.clearClipboard();
    doc(1).select(1, 1);
    edit.paste(editor.activeDocument());
    EXPECT_EQ(doc(1).text(), QStringLiteral("ac"));
    EXPECT_EQ(doc(1).selStart(), 1);
}

TEST_F(EditCommandsTest, PasteGivesBareLfLinesCrLfEndsButKeepsTextThatHasCr)
{
    platform.setClipboardText(QStringLiteral("one\ntwo\n"));
    edit.paste(editor.activeDocument());
    EXPECT_EQ(doc(1).text(), QStringLiteral("one\r\ntwo\r\n"));

    setText(QString());
    platform.setClipboardText(QStringLiteral("a\r\nb\nc\rd"));
    edit.paste(editor.activeDocument());
    EXPECT_EQ(doc(1).text(), QStringLiteral("a\r\nb\nc\rd"));
}

TEST_F(EditCommandsTest, DeleteWithoutSelectionChangesNothingButTakesTheSnapshot)
{
    setText(QStringLiteral("abc"));
    doc(1).setSelStart(1);
    edit.deleteSelection(editor.activeDocument());
    EXPECT_EQ(doc(1).text(), QStringLiteral("abc"));
    EXPECT_FALSE(editor.document(1).isChanged());
    EXPECT_EQ(editor.document(1).undoSnapshot(), QStringLiteral("abc"));

    doc(1).select(0, 2);
    edit.deleteSelection(editor.activeDocument());
    EXPECT_EQ(doc(1).text(), QStringLiteral("c"));
    EXPECT_TRUE(editor.document(1).isChanged());
}

TEST_F(EditCommandsTest, CutClearsTheClipboardAndPutsTheSelectionOnIt)
{
    setText(QStringLiteral("xyz"));
    platform.setClipboardText(QStringLiteral("before"));
    edit.cut(editor.activeDocument()); // nothing selected
    EXPECT_TRUE(platform.clipboardHasText);
    EXPECT_EQ(platform.clipboardText(), QString());
    EXPECT_EQ(doc(1).text(), QStringLiteral("xyz"));
}

TEST_F(EditCommandsTest, CommandsWithNoDocumentOpenFirstCreateOne)
{
    ASSERT_TRUE(editor.closeAll());
    platform.setClipboardText(QStringLiteral("pasted"));
    edit.paste(editor.activeDocument());
    ASSERT_EQ(editor.openCount(), 1);
    EXPECT_EQ(doc(1).text(), QStringLiteral("pasted"));
}
