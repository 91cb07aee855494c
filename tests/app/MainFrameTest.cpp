#include "app/MainFrame.h"
#include "ScriptedPlatform.h"
#include "app/MdiDocumentHost.h"
#include "app/ToolWindows.h"
#include "editor/Editor.h"
#include "editor/document/TextDocument.h"
#include "editor/textbox/DocumentWindow.h"
#include "editor/textbox/TextBoxView.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

class MainFrameTest : public ::testing::Test {
protected:
    MainFrameTest() : frame(platform, tools, [this] { ++saverStarts; })
    {
        frame.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
    }

    QAction *action(const char *name) { return frame.findChild<QAction *>(QString::fromLatin1(name)); }
    TextBoxView *activeTextBox()
    {
        auto *w = qobject_cast<DocumentWindow *>(frame.mdiArea()->currentSubWindow());
        return w ? w->textBox() : nullptr;
    }
    QList<QMdiSubWindow *> windows()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // closed windows are gone
        return frame.mdiArea()->subWindowList(QMdiArea::CreationOrder);
    }

    ScriptedPlatform platform;
    ToolWindows tools;
    int saverStarts = 0;
    MainFrame frame;
};

// One menu item as the user finds it: the captions clicked through to reach it (a
// separator line reads "--"), its object name and the key shown beside it.
struct SeenItem {
    QString path;
    QString name;
    QString keys;
    bool operator==(const SeenItem &) const = default;
};

void PrintTo(const SeenItem &item, std::ostream *os)
{
    *os << (item.path + QLatin1Char('|') + item.name + QLatin1Char('|') + item.keys).toStdString();
}

void collect(const QList<QAction *> &actions, const QString &prefix, QList<SeenItem> &out)
{
    for (QAction *a : actions) {
        const QString path = prefix + (a->isSeparator() ? QStringLiteral("--") : a->text());
        out << SeenItem{path, a->menu() ? a->menu()->objectName() : a->objectName(),
                        a->shortcut().toString(QKeySequence::PortableText)};
        if (a->menu())
            collect(a->menu()->actions(), path + QStringLiteral(" > "), out);
    }
}

} // namespace

TEST_F(MainFrameTest, StartsAsKorvaneWithDocumentOne)
{
    EXPECT_EQ(frame.objectName(), QStringLiteral("Form4"));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Korvane"));
    EXPECT_EQ(frame.mdiArea()->size(), MainFrame::initialClientSize());
    ASSERT_EQ(windows().size(), 1);
    EXPECT_EQ(windows()[0]->windowTitle(), QStringLiteral("文档 1"));
    EXPECT_EQ(windows()[0]->objectName(), QStringLiteral("Form1"));
    EXPECT_EQ(qobject_cast<DocumentWindow *>(windows()[0])->slotNumber(), 1);
    EXPECT_EQ(frame.documents().activeSlot(), 1);
}

TEST_F(MainFrameTest, MenuBarHoldsTheWholeTreeInOrder)
{
    const QString notepad = QStringLiteral("记事本 > ");
    const QString file = notepad + QStringLiteral("文件 > ");
    const QString edit = notepad + QStringLiteral("编辑 > ");
    const QString insert = notepad + QStringLiteral("插入 > ");
    const QString format = notepad + QStringLiteral("格式 > ");
    const QString window = notepad + QStringLiteral("窗口 > ");
    const QList<SeenItem> expected = {
        {"记事本", "jsb", ""},
        {notepad + "文件", "mnuFile", ""},
        {file + "新建", "mnuNew", "Ctrl+N"},
        {file + "打开", "mnuOpen", "Ctrl+O"},
        {file + "保存", "mnuSave", "Ctrl+S"},
        {file + "另存为...", "mnuSaveAs", ""},
        {file + "--", "DummyA", ""},
        {file + "页面打印", "mnuPrint", "Ctrl+P"},
        {file + "--", "DummyB", ""},
        {file + "关闭", "mnuClose", ""},
        {file + "关闭所有...", "mnuCloseAll", ""},
        {file + "--", "DummyAA", ""},
        {file + "退出", "mnuExit", "Ctrl+Q"},
        {notepad + "编辑", "mnuEdit", ""},
        {edit + "撤销", "mnuUndo", "Ctrl+Z"},
        {edit + "--", "DummyC", ""},
        {edit + "剪切", "mnuCut", "Ctrl+X"},
        {edit + "复制", "mnuCopy", "Ctrl+C"},
        {edit + "粘贴", "mnuPaste", "Ctrl+V"},
        {edit + "删除", "mnuDelete", "Del"},
        {edit + "--", "DummyD", ""},
        {edit + "全选", "mnuSelectAll", "Ctrl+A"},
        {edit + "--", "DummyE", ""},
        {edit + "查找", "mnuFind", "Ctrl+F"},
        {edit + "查找下一个", "mnuFindNext", "F3"},
        {notepad + "插入", "mnuInsert", ""},
        {insert + "日期", "mnuInsertDate", ""},
        {insert + "日期 > 简短", "mnuInsertDateShort", ""},
        {insert + "日期 > 一般", "mnuInsertDateMedium", ""},
        {insert + "日期 > 完整", "mnuInsertDateLong", ""},
        {insert + "时间", "mnuInsertTime", ""},
        {insert + "时间 > 简短", "mnuInsertTimeShort", ""},
        {insert + "时间 > 一般", "mnuInsertTimeMedium", ""},
        {insert + "时间 > 完整", "mnuInsertTimeLong", ""},
        {insert + "文件名", "mnuInsertFileName", ""},
        {insert + "路径及文件名", "mnuInsertPathAndFile", ""},
        {notepad + "格式", "mnuFormat", ""},
        {format + "字体", "mnuFont", "F9"},
        {format + "--", "DummyF", ""},
        {format + "加密", "mnuEncryptHex", "Shift+F1"},
        {format + "解密", "mnuDecryptHex", "Shift+F2"},
        {format + "增强加密", "mnuEncryptBinary", "Shift+F3"},
        {format + "增强解密", "mnuDecryptBinary", "Shift+F4"},
        {format + "      (以上加密不支持中文)", "bj", ""},
        {format + "--", "DummyG", ""},
        {format + "选择最后一行", "mnuUnWebPagify", "Ctrl+W"},
        {notepad + "窗口", "mnuWindow", ""},
        {window + "平铺", "mnuArrHoriz", ""},
        {window + "垂直平铺", "mnuArrVert", ""},
        {window + "重叠", "mnuCascade", ""},
        {window + "排列图标", "mnuArrIcons", ""},
        {window + "--", "DummyK", ""},
        {window + "全部最小化", "mnuMinimizeAll", ""},
        {window + "--", "DummyL", ""},
        {window + "下一个文档", "mnuNextDoc", "F1"},
        {window + "上一个文档", "mnuPreviousDoc", "F2"},
        {"杂项", "zx", ""},
        {"杂项 > 日历", "rily", ""},
        {"杂项 > 计算器", "jsq", ""},
        {"杂项 > 多媒体", "mnuMP3", ""},
        {"游戏", "yoqi", ""},
        {"游戏 > 方块", "fankai", ""},
        {"游戏 > 拼图", "pt", ""},
        {"屏幕保护", "pmbh", ""},
        {"关于", "mnuAbout", ""},
    };
    QList<SeenItem> seen;
    collect(frame.menuBar()->actions(), QString(), seen);
    EXPECT_EQ(seen, expected);

    for (QAction *a : frame.findChildren<QAction *>(Qt::FindDirectChildrenOnly)) {
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
        EXPECT_FALSE(a->isCheckable()) << a->objectName().toStdString();
    }
}

TEST_F(MainFrameTest, ShortcutsReachTheFrameEvenWhileTheTextBoxHasFocus)
{
    TextBoxView *box = activeTextBox();
    ASSERT_NE(box, nullptr);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(windows().size(), 2);
    EXPECT_EQ(frame.documents().activeSlot(), 2);
    QTest::keyClick(activeTextBox(), Qt::Key_F1);
    EXPECT_EQ(frame.documents().activeSlot(), 1);
    QTest::keyClick(activeTextBox(), Qt::Key_F2);
    EXPECT_EQ(frame.documents().activeSlot(), 2);

    // Del and Ctrl+Z belong to the menu: the text box's own delete and undo never run.
    TextBoxView *two = activeTextBox();
    QTest::keyClicks(two, QStringLiteral("abc"));
    TextDocument &doc = frame.editor().document(2);
    EXPECT_EQ(doc.text(), QStringLiteral("abc"));
    doc.setSelStart(0);
    QTest::keyClick(two, Qt::Key_Delete);
    QTest::keyClick(two, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(two, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(doc.text(), QStringLiteral("abc"));
    EXPECT_EQ(windows()[1]->windowTitle(), QStringLiteral("*文档 2"));
}

TEST_F(MainFrameTest, ClosingTheFrameClosesDocumentsAndACancelKeepsItOpen)
{
    frame.editor().newDocument();
    frame.editor().document(1).setSelText(QStringLiteral("unsaved"));
    platform.messageAnswers.push_back(MsgAnswer::Cancel);
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    ASSERT_EQ(windows().size(), 1); // 文档 2 closed, 文档 1 kept
    EXPECT_EQ(windows()[0]->windowTitle(), QStringLiteral("*文档 1"));

    platform.messageAnswers.push_back(MsgAnswer::No);
    action("mnuExit")->trigger();
    EXPECT_FALSE(frame.isVisible());
    QApplication::processEvents();
    EXPECT_EQ(frame.editor().openCount(), 0);
}

// The prompt has the same words for every document: the one it asks about is in front,
// restored if it was minimized.
TEST_F(MainFrameTest, CloseAllBringsEachDocumentForwardBeforeItsPrompt)
{
    frame.editor().newDocument();
    frame.editor().newDocument();
    frame.editor().document(1).setSelText(QStringLiteral("one"));
    frame.editor().document(3).setSelText(QStringLiteral("three"));
    action("mnuMinimizeAll")->trigger();
    QStringList inFront;
    platform.onMessage = [&](const ScriptedPlatform::ShownMessage &shown) {
        EXPECT_EQ(shown.text, QStringLiteral("文件 无标题 的文字已经改变.相保存文件吗?"));
        QMdiSubWindow *w = frame.mdiArea()->currentSubWindow();
        inFront << (w ? w->windowTitle() + (w->isMinimized() ? QStringLiteral(" minimized") : QString()) : QString());
    };
    platform.messageAnswers = {MsgAnswer::Cancel, MsgAnswer::No};
    action("mnuCloseAll")->trigger();
    EXPECT_EQ(inFront, (QStringList{QStringLiteral("*文档 1"), QStringLiteral("*文档 3")}));
    EXPECT_EQ(windows().size(), 1); // 文档 1 kept by its Cancel
}

TEST_F(MainFrameTest, CloseBoxOfAChangedDocumentAsks)
{
    QTest::keyClicks(activeTextBox(), QStringLiteral("x"));
    EXPECT_EQ(windows()[0]->windowTitle(), QStringLiteral("*文档 1"));
    platform.messageAnswers.push_back(MsgAnswer::Cancel);
    EXPECT_FALSE(windows()[0]->close());
    EXPECT_EQ(platform.shownMessages.size(), 1);
    platform.messageAnswers.push_back(MsgAnswer::No);
    action("mnuClose")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(windows().isEmpty());
    EXPECT_FALSE(frame.editor().isOpen(1));
}

TEST_F(MainFrameTest, MinimizeAllLeavesToolWindowsAlone)
{
    QPointer<QWidget> toolWindow;
    tools.add(Tool::Calculator, [&toolWindow] { return toolWindow = new QWidget; });
    action("jsq")->trigger();
    ASSERT_TRUE(toolWindow);
    frame.editor().newDocument();
    action("mnuMinimizeAll")->trigger();
    for (QMdiSubWindow *w : windows())
        EXPECT_TRUE(w->isMinimized());
    EXPECT_FALSE(toolWindow->isMinimized());
    EXPECT_TRUE(toolWindow->isVisible());
    delete toolWindow;
}

TEST_F(MainFrameTest, TileAndCascadeLayOutTheDocumentsInTheClientArea)
{
    frame.editor().newDocument();
    frame.editor().newDocument();
    const QRect area = frame.mdiArea()->viewport()->rect();

    action("mnuArrHoriz")->trigger();
    QList<QMdiSubWindow *> w = windows();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(w[i]->geometry().width(), area.width());
        EXPECT_EQ(w[i]->geometry().left(), 0);
    }
    EXPECT_EQ(w[0]->geometry().top(), 0);
    EXPECT_EQ(w[1]->geometry().top(), w[0]->geometry().bottom() + 1);
    EXPECT_EQ(w[2]->geometry().bottom(), area.bottom());

    action("mnuArrVert")->trigger();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(w[i]->geometry().height(), area.height());
    EXPECT_EQ(w[1]->geometry().left(), w[0]->geometry().right() + 1);
    EXPECT_EQ(w[2]->geometry().right(), area.right());

    w[1]->showMinimized();
    const QRect minimizedBefore = w[1]->geometry();
    action("mnuCascade")->trigger();
    EXPECT_LT(w[0]->geometry().top(), w[2]->geometry().top());
    EXPECT_LT(w[0]->geometry().left(), w[2]->geometry().left());
    EXPECT_EQ(w[0]->size(), w[2]->size());
    EXPECT_EQ(w[1]->geometry(), minimizedBefore); // minimized windows are not cascaded

    action("mnuArrIcons")->trigger();
    EXPECT_EQ(w[1]->geometry().bottom(), area.bottom());
    EXPECT_EQ(w[1]->geometry().left(), 0);
}

TEST_F(MainFrameTest, ArrangingWithNoDocumentOpenChangesNothing)
{
    ASSERT_TRUE(frame.editor().closeAll());
    for (const char *name : {"mnuArrHoriz", "mnuArrVert", "mnuCascade", "mnuArrIcons", "mnuMinimizeAll"})
        action(name)->trigger();
    EXPECT_TRUE(windows().isEmpty());
    EXPECT_TRUE(platform.shownMessages.isEmpty());
}

TEST_F(MainFrameTest, NoteItemDoesNothingAndSaverItemStartsTheSaver)
{
    action("bj")->trigger();
    EXPECT_EQ(windows().size(), 1);
    EXPECT_TRUE(platform.shownMessages.isEmpty());
    action("pmbh")->trigger();
    EXPECT_EQ(saverStarts, 1);
}

TEST_F(MainFrameTest, ToolItemShowsOneSharedWindowAndLoadsItAfreshAfterClose)
{
    int created = 0;
    int loadsOfState = 0;
    auto state = std::make_shared<int>(0); // a tool's own variable outlives its window
    tools.add(Tool::Calculator, [&created, state, &loadsOfState] {
        ++created;
        loadsOfState = ++*state;
        return new QWidget;
    });
    action("jsq")->trigger();
    QWidget *first = tools.window(Tool::Calculator);
    action("jsq")->trigger();
    EXPECT_EQ(created, 1);
    EXPECT_EQ(tools.window(Tool::Calculator), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(first->isWindow());

    first->close();
    QApplication::processEvents();
    EXPECT_EQ(tools.window(Tool::Calculator), nullptr);
    action("jsq")->trigger();
    EXPECT_EQ(created, 2);
    EXPECT_EQ(loadsOfState, 2);
    delete tools.window(Tool::Calculator);
}

TEST_F(MainFrameTest, ActiveDocumentStaysTheCurrentOneWhileAnotherWindowHasFocus)
{
    frame.editor().newDocument();
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(frame.documents().activeSlot(), 2);
    EXPECT_EQ(frame.editor().activeDocumentIndex(), 2);
}

TEST_F(MainFrameTest, FilesFromTheCommandLineOpenEachInADocumentOfItsOwn)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.txt"));
    const QString b = dir.filePath(QStringLiteral("b.txt"));
    for (const auto &[path, bytes] :
         {std::pair{a, QByteArray("first")}, std::pair{b, QByteArray("\xd6\xd0\xce\xc4")}}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    frame.openFiles({a, dir.filePath(QStringLiteral("missing.txt")), b});
    Editor &ed = frame.editor();
    EXPECT_EQ(ed.document(1).caption(), QStringLiteral("a.txt"));
    EXPECT_EQ(ed.document(1).text(), QStringLiteral("first\r\n"));
    EXPECT_FALSE(ed.document(1).isChanged());
    // A file that cannot be read is reported and leaves its new document empty.
    EXPECT_EQ(ed.document(2).caption(), QStringLiteral("文档 2"));
    ASSERT_EQ(platform.shownMessages.size(), 1);
    EXPECT_TRUE(platform.shownMessages[0].text.contains(QStringLiteral("missing.txt")));
    EXPECT_EQ(ed.document(3).caption(), QStringLiteral("b.txt"));
    EXPECT_EQ(ed.document(3).text(), QStringLiteral("中文\r\n"));
    EXPECT_EQ(ed.openCount(), 3);
}

TEST_F(MainFrameTest, NoCommandLineFilesLeaveTheStartAsItWas)
{
    frame.openFiles({});
    EXPECT_EQ(frame.editor().openCount(), 1);
    EXPECT_EQ(frame.editor().document(1).caption(), QStringLiteral("文档 1"));
}
