#include "../editor/files/FileTestSupport.h"
#include "app/MainFrame.h"
#include "app/ToolWindows.h"
#include "editor/Editor.h"

#include <QAction>
#include <QMdiArea>
#include <QTest>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

using CloseSaveTest = FileFixture;

TEST_F(CloseSaveTest, YesWritesTheDocumentsFileAndCloses)
{
    platform.saveAnswers.push_back(path("a.txt"));
    doc(1).setSelText(QStringLiteral("first"));
    files.save(editor.activeDocument());
    doc(1).setSelText(QStringLiteral(" second"));
    platform.messageAnswers.push_back(MsgAnswer::Yes);
    editor.closeActive();
    EXPECT_TRUE(host.open.isEmpty());
    EXPECT_EQ(readFile("a.txt"), QByteArray("first second\r\n"));
    EXPECT_EQ(platform.saveFilters.size(), 1); // no dialog for a document with a file
}

TEST_F(CloseSaveTest, YesOnAnUnnamedDocumentAsksForANameAndCloses)
{
    doc(1).setSelText(QStringLiteral("new"));
    platform.messageAnswers.push_back(MsgAnswer::Yes);
    platform.saveAnswers.push_back(path("named.txt"));
    editor.closeActive();
    EXPECT_TRUE(host.open.isEmpty());
    EXPECT_EQ(readFile("named.txt"), QByteArray("new\r\n"));
}

TEST_F(CloseSaveTest, YesWithACancelledDialogKeepsTheWindow)
{
    doc(1).setSelText(QStringLiteral("unsaved"));
    platform.messageAnswers.push_back(MsgAnswer::Yes);
    editor.closeActive();
    ASSERT_EQ(host.open, QList<int>{1});
    EXPECT_EQ(doc(1).text(), QStringLiteral("unsaved"));
    EXPECT_EQ(caption(1), QStringLiteral("*文档 1"));
    EXPECT_TRUE(filesInDir().isEmpty());
}

TEST_F(CloseSaveTest, YesWhoseSaveFailsKeepsTheWindowAndSaysWhy)
{
    QDir(dir.path()).mkdir(QStringLiteral("sub"));
    platform.saveAnswers.push_back(path("sub/b.txt"));
    files.saveAs(editor.activeDocument());
    doc(1).setSelText(QStringLiteral("edits"));
    QDir(path("sub")).removeRecursively();
    platform.messageAnswers.push_back(MsgAnswer::Yes);
    editor.closeActive();
    ASSERT_EQ(host.open, QList<int>{1});
    EXPECT_EQ(caption(1), QStringLiteral("*b.txt"));
    EXPECT_EQ(doc(1).text(), QStringLiteral("edits"));
    ASSERT_EQ(platform.shownMessages.size(), 2);
    EXPECT_EQ(platform.shownMessages[0].text, FileCommands::SavePrompt);
    EXPECT_TRUE(platform.shownMessages[1].text.startsWith(QStringLiteral("无法保存文件")));
}

TEST_F(CloseSaveTest, CloseAllKeepsOnlyTheDocumentsThatCouldNotBeSaved)
{
    doc(1).setSelText(QStringLiteral("one"));
    editor.newDocument();
    doc(2).setSelText(QStringLiteral("two"));
    editor.newDocument();
    doc(3).setSelText(QStringLiteral("three"));
    platform.messageAnswers = {MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes};
    platform.saveAnswers = {path("missing/1.txt"), path("2.txt"), QString()};
    EXPECT_FALSE(editor.closeAll());
    EXPECT_EQ(host.open, (QList<int>{1, 3}));
    EXPECT_EQ(readFile("2.txt"), QByteArray("two\r\n"));
    EXPECT_EQ(caption(1), QStringLiteral("*文档 1"));
    EXPECT_EQ(caption(3), QStringLiteral("*文档 3"));
}

// The frame's close box: its documents close through the same prompt.
class FrameCloseTest : public ::testing::Test {
protected:
    FrameCloseTest() : frame(platform, tools, [] {})
    {
        frame.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
    }
    void triggerMenu(const char *name) { frame.findChild<QAction *>(QString::fromLatin1(name))->trigger(); }
    int windowCount()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return int(frame.mdiArea()->subWindowList().size());
    }

    QTemporaryDir dir;
    ScriptedPlatform platform;
    ToolWindows tools;
    MainFrame frame;
};

TEST_F(FrameCloseTest, FailedSaveKeepsTheFrameAndTheDocumentOpen)
{
    frame.editor().document(1).setSelText(QStringLiteral("text"));
    platform.messageAnswers.push_back(MsgAnswer::Yes);
    platform.saveAnswers.push_back(dir.filePath(QStringLiteral("none/x.txt")));
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(windowCount(), 1);
    EXPECT_EQ(frame.editor().document(1).caption(), QStringLiteral("*文档 1"));

    platform.messageAnswers.push_back(MsgAnswer::Yes);
    platform.saveAnswers.push_back(dir.filePath(QStringLiteral("x.txt")));
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(windowCount(), 0);
    QFile saved(dir.filePath(QStringLiteral("x.txt")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("text\r\n"));
}

TEST_F(FrameCloseTest, MenuCommandsReachTheFileCommands)
{
    QFile f(dir.filePath(QStringLiteral("m.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xD6\xD0\xCE\xC4");
    f.close();
    platform.openAnswers.push_back(f.fileName());
    triggerMenu("mnuOpen");
    EXPECT_EQ(frame.editor().document(1).text(), QStringLiteral("中文\r\n"));
    EXPECT_EQ(frame.editor().document(1).caption(), QStringLiteral("m.txt"));
    frame.editor().document(1).setSelText(QStringLiteral("新"));
    triggerMenu("mnuSave");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("\xD0\xC2\xD6\xD0\xCE\xC4\r\n\r\n"));
}

} // namespace
