#include "EditorFixture.h"
#include "ScriptedPlatform.h"

#include <QTemporaryDir>

using namespace korvane;

using EditorSlots = EditorFixture;

TEST_F(EditorSlots, StartsWithDocumentOneAndReusesTheLowestFreeNumber)
{
    EXPECT_EQ(caption(1), QStringLiteral("文档 1"));
    EXPECT_EQ(editor.newDocument(), 2);
    EXPECT_EQ(editor.newDocument(), 3);
    EXPECT_EQ(caption(2), QStringLiteral("文档 2"));
    EXPECT_EQ(caption(3), QStringLiteral("文档 3"));

    ASSERT_TRUE(host.closeWindow(2));
    EXPECT_FALSE(editor.isOpen(2));
    EXPECT_EQ(editor.newDocument(), 2);
    EXPECT_EQ(caption(2), QStringLiteral("文档 2"));
    EXPECT_EQ(host.activeSlot(), 2);
}

TEST_F(EditorSlots, ThirtyFirstDocumentIsRefusedWithTheLimitMessage)
{
    for (int i = 2; i <= 30; ++i)
        editor.newDocument();
    EXPECT_EQ(editor.openCount(), 30);
    EXPECT_TRUE(platform.shownMessages.isEmpty());
    const int active = host.activeSlot();

    EXPECT_EQ(editor.newDocument(), 0);
    EXPECT_EQ(editor.openCount(), 30);
    ASSERT_EQ(platform.shownMessages.size(), 1);
    EXPECT_EQ(platform.shownMessages[0].text, QStringLiteral("You are only allowed 30 documents opened at one time."));
    EXPECT_EQ(platform.shownMessages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(host.activeSlot(), active);
}

TEST_F(EditorSlots, NewDocumentResetsWhatTheSlotRememberedFromBefore)
{
    editor.newDocument();
    editor.document(2).setFile(QStringLiteral("/tmp/a.txt"), QStringLiteral("a.txt"));
    editor.document(2).setEncoding(TextEncoding::Utf8);
    setText(QStringLiteral("old"), 2);
    editor.document(2).beginCommand();
    editor.document(2).setChanged(true);
    platform.messageAnswers.push_back(MsgAnswer::No);
    ASSERT_TRUE(host.closeWindow(2));
    editor.newDocument();
    EXPECT_TRUE(editor.document(2).fileTitle().isEmpty());
    EXPECT_TRUE(editor.document(2).filePath().isEmpty());
    EXPECT_TRUE(editor.document(2).undoSnapshot().isEmpty());
    EXPECT_FALSE(editor.document(2).isChanged());
    EXPECT_EQ(editor.document(2).encoding(), TextEncoding::Gb18030);
    EXPECT_EQ(caption(2), QStringLiteral("文档 2"));
}

TEST_F(EditorSlots, CaptionIsTheTitleWithAStarWhileChanged)
{
    editor.document(1).setFile(QStringLiteral("/home/user/笔记.txt"), QStringLiteral("笔记.txt"));
    EXPECT_EQ(caption(1), QStringLiteral("笔记.txt"));
    editor.document(1).setChanged(true);
    EXPECT_EQ(caption(1), QStringLiteral("*笔记.txt"));
    EXPECT_EQ(editor.document(1).title(), QStringLiteral("笔记.txt"));
    editor.document(1).setFile(QStringLiteral("/home/user/报告.txt"), QStringLiteral("报告.txt"));
    EXPECT_EQ(caption(1), QStringLiteral("*报告.txt"));
    editor.document(1).settle(TextDocument::Settled::Saved);
    EXPECT_EQ(caption(1), QStringLiteral("报告.txt"));
    editor.document(1).setFile(QString(), QString());
    EXPECT_EQ(caption(1), QStringLiteral("文档 1"));
}

TEST_F(EditorSlots, FirstEditMarksCaptionOnceAndLoadingIsNotAnEdit)
{
    editor.newDocument();
    editor.newDocument();
    editor.newDocument(); // 文档 4
    TextDocument &d = doc(4);
    d.setSelText(QStringLiteral("x"));
    EXPECT_EQ(caption(4), QStringLiteral("*文档 4"));
    EXPECT_TRUE(editor.document(4).isChanged());
    d.setSelText(QStringLiteral("yz"));
    EXPECT_EQ(caption(4), QStringLiteral("*文档 4"));

    // A load leaves the document unchanged, even one that was changed before; the
    // next edit counts again.
    setText(QStringLiteral("loaded"), 1);
    setText(QStringLiteral("loaded"), 4);
    EXPECT_FALSE(editor.document(1).isChanged());
    EXPECT_FALSE(editor.document(4).isChanged());
    EXPECT_EQ(caption(1), QStringLiteral("文档 1"));
    EXPECT_EQ(caption(4), QStringLiteral("文档 4"));
    doc(1).setSelText(QStringLiteral("!"));
    EXPECT_EQ(caption(1), QStringLiteral("*文档 1"));
}

TEST_F(EditorSlots, ClosePromptAnswersDecideTheWindow)
{
    QTemporaryDir dir;
    const QString savedPath = dir.filePath(QStringLiteral("saved.txt"));

    // Unchanged: nothing is asked.
    editor.newDocument();
    ASSERT_TRUE(host.closeWindow(2));
    EXPECT_TRUE(platform.shownMessages.isEmpty());

    doc(1).setSelText(QStringLiteral("text"));
    platform.messageAnswers.push_back(MsgAnswer::Cancel);
    EXPECT_FALSE(host.closeWindow(1));
    ASSERT_EQ(platform.shownMessages.size(), 1);
    EXPECT_EQ(platform.shownMessages[0].text, QStringLiteral("文件 无标题 的文字已经改变.相保存文件吗?"));
    EXPECT_EQ(platform.shownMessages[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_TRUE(editor.isOpen(1));
    EXPECT_EQ(doc(1).text(), QStringLiteral("text"));

    platform.messageAnswers.push_back(MsgAnswer::No);
    EXPECT_TRUE(host.closeWindow(1));
    EXPECT_FALSE(editor.isOpen(1));
    EXPECT_TRUE(platform.saveFilters.isEmpty());

    // Yes saves through Save As, since the document has no file yet, and then closes.
    editor.newDocument();
    doc(1).setSelText(QStringLiteral("again"));
    platform.messageAnswers.push_back(MsgAnswer::Yes);
    platform.saveAnswers.push_back(savedPath);
    EXPECT_TRUE(host.closeWindow(1));
    EXPECT_FALSE(editor.isOpen(1));
    EXPECT_TRUE(QFile::exists(savedPath));
}

TEST_F(EditorSlots, YesWhoseSaveFailsKeepsTheDocumentOpen)
{
    // The save dialog is cancelled: nothing is written.
    platform.saveAnswers.push_back(QString());
    doc(1).setSelText(QStringLiteral("precious"));
    platform.messageAnswers.push_back(MsgAnswer::Yes);
    EXPECT_FALSE(host.closeWindow(1));
    EXPECT_TRUE(editor.isOpen(1));
    EXPECT_EQ(caption(1), QStringLiteral("*文档 1"));
    EXPECT_EQ(doc(1).text(), QStringLiteral("precious"));
}

TEST_F(EditorSlots, CloseAllGoesOnPastACancelledDocument)
{
    editor.newDocument();
    editor.newDocument();
    doc(2).setSelText(QStringLiteral("keep me"));
    platform.messageAnswers.push_back(MsgAnswer::Cancel);
    EXPECT_FALSE(editor.closeAll());
    EXPECT_FALSE(editor.isOpen(1));
    EXPECT_TRUE(editor.isOpen(2));
    EXPECT_FALSE(editor.isOpen(3));
    EXPECT_EQ(platform.shownMessages.size(), 1);
    EXPECT_EQ(host.open, QList<int>{2});
}

TEST_F(EditorSlots, NextAndPreviousWrapAroundAndSkipFreeSlots)
{
    editor.newDocument();
    editor.newDocument();
    editor.newDocument();
    ASSERT_TRUE(host.closeWindow(3)); // open: 1, 2, 4
    host.activateWindow(4);
    const std::pair<bool, int> steps[] = {{true, 1}, {true, 2}, {true, 4}, {false, 2}, {false, 1}, {false, 4}};
    for (const auto &[forward, expected] : steps) {
        forward ? editor.nextDocument() : editor.previousDocument();
        EXPECT_EQ(host.activeSlot(), expected) << (forward ? "next to " : "previous to ") << expected;
    }
}

TEST_F(EditorSlots, NextWithASingleDocumentDoesNothing)
{
    host.activations.clear();
    editor.nextDocument();
    editor.previousDocument();
    EXPECT_TRUE(host.activations.isEmpty());
    EXPECT_EQ(host.activeSlot(), 1);
    EXPECT_EQ(editor.openCount(), 1);
}

TEST_F(EditorSlots, CommandsWithNoDocumentOpenCreateTheLowestFreeOne)
{
    editor.newDocument();
    editor.newDocument();
    ASSERT_TRUE(editor.closeAll());
    EXPECT_EQ(host.activeSlot(), 0);
    EXPECT_EQ(editor.activeDocumentIndex(), 1);
    EXPECT_EQ(caption(1), QStringLiteral("文档 1"));
    EXPECT_EQ(editor.openCount(), 1);

    ASSERT_TRUE(editor.closeAll());
    editor.nextDocument(); // asks for the active document, which creates one
    EXPECT_EQ(editor.openCount(), 1);
    EXPECT_TRUE(editor.isOpen(1));
}

TEST_F(EditorSlots, MinimizeAllAsksEveryOpenDocumentInSlotOrder)
{
    editor.newDocument();
    editor.newDocument();
    ASSERT_TRUE(host.closeWindow(2));
    editor.minimizeAll();
    EXPECT_EQ(host.minimized, (QList<int>{1, 3}));
}

TEST_F(EditorSlots, SnapshotCopiesTheWholeText)
{
    doc(1).setText(QStringLiteral("a\r\nb"));
    editor.document(1).beginCommand();
    EXPECT_EQ(editor.document(1).undoSnapshot(), QStringLiteral("a\r\nb"));
}
