#include "EditorFixture.h"

using namespace korvane;

using EditorSlots = EditorFixture;

TEST_F(EditorSlots, StartsWithDocumentOneAndReusesTheLowestFreeNumber)
{
    EXPECT_EQ(caption(1), QStringLiteral("文档 1"));
    editor.newDocument();
    editor.newDocument();
    EXPECT_EQ(caption(2), QStringLiteral("文档 2"));
    EXPECT_EQ(caption(3), QStringLiteral("文档 3"));
    EXPECT_EQ(editor.lastAllocatedSlot, 3);

    ASSERT_TRUE(host.closeWindow(2));
    EXPECT_FALSE(editor.slot(2).inUse);
    editor.newDocument();
    EXPECT_EQ(editor.lastAllocatedSlot, 2);
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

    editor.newDocument();
    EXPECT_EQ(editor.openCount(), 30);
    ASSERT_EQ(platform.shownMessages.size(), 1);
    EXPECT_EQ(platform.shownMessages[0].text, QStringLiteral("You are only allowed 30 documents opened at one time."));
    EXPECT_EQ(platform.shownMessages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(host.activeSlot(), active);
    EXPECT_EQ(editor.allocateDocumentSlot(), -1);
}

TEST_F(EditorSlots, NewDocumentResetsWhatTheSlotRememberedFromBefore)
{
    editor.newDocument();
    editor.slot(2).fileTitle = QStringLiteral("a.txt");
    editor.slot(2).filePath = QStringLiteral("/tmp/a.txt");
    editor.slot(2).undoSnapshot = QStringLiteral("old");
    ASSERT_TRUE(host.closeWindow(2));
    editor.newDocument();
    EXPECT_TRUE(editor.slot(2).fileTitle.isEmpty());
    EXPECT_TRUE(editor.slot(2).filePath.isEmpty());
    EXPECT_TRUE(editor.slot(2).undoSnapshot.isEmpty());
    EXPECT_FALSE(editor.slot(2).changed);
}

TEST_F(EditorSlots, FirstEditMarksCaptionOnceAndLoadingIsNotAnEdit)
{
    editor.newDocument();
    editor.newDocument();
    editor.newDocument(); // 文档 4
    TextDocument &d = doc(4);
    d.setSelText(QStringLiteral("x"));
    EXPECT_EQ(caption(4), QStringLiteral("*文档 4"));
    EXPECT_TRUE(editor.slot(4).changed);
    d.setSelText(QStringLiteral("yz"));
    EXPECT_EQ(caption(4), QStringLiteral("*文档 4"));

    // A fill with LoadingText raised leaves the document unchanged and lowers the flag.
    editor.loadingText = true;
    doc(1).setText(QStringLiteral("loaded"));
    EXPECT_FALSE(editor.slot(1).changed);
    EXPECT_EQ(caption(1), QStringLiteral("文档 1"));
    EXPECT_FALSE(editor.loadingText);
    doc(1).setSelText(QStringLiteral("!"));
    EXPECT_EQ(caption(1), QStringLiteral("*文档 1"));
}

TEST_F(EditorSlots, ClosePromptAnswersDecideTheWindow)
{
    bool saved = false;
    editor.setSaveForClose([&saved](int) { return saved = true; });

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
    EXPECT_TRUE(editor.slot(1).inUse);
    EXPECT_EQ(doc(1).text(), QStringLiteral("text"));

    platform.messageAnswers.push_back(MsgAnswer::No);
    EXPECT_TRUE(host.closeWindow(1));
    EXPECT_FALSE(editor.slot(1).inUse);
    EXPECT_FALSE(saved);

    editor.newDocument();
    doc(1).setSelText(QStringLiteral("again"));
    platform.messageAnswers.push_back(MsgAnswer::Yes);
    EXPECT_TRUE(host.closeWindow(1));
    EXPECT_TRUE(saved);
}

TEST_F(EditorSlots, YesWhoseSaveFailsKeepsTheDocumentOpen)
{
    editor.setSaveForClose([](int) { return false; });
    doc(1).setSelText(QStringLiteral("precious"));
    platform.messageAnswers.push_back(MsgAnswer::Yes);
    EXPECT_FALSE(host.closeWindow(1));
    EXPECT_TRUE(editor.slot(1).inUse);
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
    EXPECT_FALSE(editor.slot(1).inUse);
    EXPECT_TRUE(editor.slot(2).inUse);
    EXPECT_FALSE(editor.slot(3).inUse);
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
    editor.nextDocument();
    EXPECT_EQ(host.activeSlot(), 1);
    editor.nextDocument();
    EXPECT_EQ(host.activeSlot(), 2);
    editor.nextDocument();
    EXPECT_EQ(host.activeSlot(), 4);
    editor.previousDocument();
    EXPECT_EQ(host.activeSlot(), 2);
    editor.previousDocument();
    EXPECT_EQ(host.activeSlot(), 1);
    editor.previousDocument();
    EXPECT_EQ(host.activeSlot(), 4);
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
    EXPECT_TRUE(editor.slot(1).inUse);
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
    editor.takeSnapshot(1);
    EXPECT_EQ(editor.slot(1).undoSnapshot, QStringLiteral("a\r\nb"));
}
