#include "app/MainFrame.h"

#include "app/MdiArranger.h"
#include "app/MdiDocumentHost.h"
#include "app/Tool.h"
#include "app/ToolWindows.h"
#include "editor/Editor.h"
#include "editor/commands/BlankRemover.h"
#include "editor/commands/CipherCommands.h"
#include "editor/commands/DocumentSearch.h"
#include "editor/commands/EditCommands.h"
#include "editor/commands/FileCommands.h"
#include "editor/commands/InsertCommands.h"
#include "editor/dialogs/EditorDialogs.h"
#include "editor/textbox/TextBoxView.h"
#include "platform/Platform.h"
#include "platform/Twips.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStyle>

namespace korvane {

namespace {
// Items of the "编辑" menu that the text box's context menu and the extra clipboard
// keys reach as well.
constexpr char UndoName[] = "mnuUndo";
constexpr char CutName[] = "mnuCut";
constexpr char CopyName[] = "mnuCopy";
constexpr char PasteName[] = "mnuPaste";
constexpr char DeleteName[] = "mnuDelete";
constexpr char SelectAllName[] = "mnuSelectAll";
} // namespace

QSize MainFrame::initialClientSize() { return twipsToPixels(7635, 5175); }

MainFrame::MainFrame(Platform &platform, ToolWindows &tools, std::function<void()> startSaver, QWidget *parent)
    : QMainWindow(parent), m_platform(platform), m_tools(tools), m_startSaver(std::move(startSaver)),
      m_area(new QMdiArea(this)), m_host(std::make_unique<MdiDocumentHost>(m_area)),
      m_editor(std::make_unique<Editor>(platform, *m_host)), m_edit(std::make_unique<EditCommands>(platform)),
      m_insert(std::make_unique<InsertCommands>(platform)), m_cipher(std::make_unique<CipherCommands>(platform)),
      m_blankRemover(std::make_unique<BlankRemover>(platform, m_editor->search()))
{
    setObjectName(QLatin1String(kObjectName));
    setWindowTitle(QStringLiteral("Korvane"));
    // A long Open or Save shows its progress over the frame, and blocks it meanwhile.
    m_platform.longTasks().setOwner(this);
    m_area->setObjectName(QLatin1String(kClientAreaName));
    m_area->setBackground(palette().brush(QPalette::Dark)); // the application-workspace colour
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_area);
    m_host->setEditor(m_editor.get());
    m_host->setFrameKeys(this);

    buildMenus();
    const QSize client = initialClientSize();
    resize(client.width(), client.height() + menuBar()->sizeHint().height());

    // Start-up: the program always opens with one empty document, "文档 1".
    m_editor->newDocument();
}

MainFrame::~MainFrame()
{
    // Document windows go before the editor whose slots they refer to.
    for (QMdiSubWindow *w : m_area->subWindowList())
        delete w;
}

void MainFrame::buildMenus()
{
    struct Row {
        int level;
        QString name;
        QString caption;
        QKeySequence shortcut;
        std::function<void()> action; // empty for submenus, separators and the note item
    };
    Editor &ed = *m_editor;
    FileCommands &files = ed.files();
    // Every editor command acts on the active document, created first when none is open.
    auto onActive = [&ed](auto *commands, auto command) {
        return [&ed, commands, command] { (commands->*command)(ed.activeDocument()); };
    };
    auto tool = [this](int level, Tool t, const QString &caption) {
        return Row{level, toolMenuName(t), caption, {}, [this, t] { m_tools.show(t); }};
    };
    auto insert = [this, &ed](InsertItem item) {
        return [this, &ed, item] { m_insert->insert(ed.activeDocument(), item); };
    };
    const QString sep = QStringLiteral("-");
    const std::function<void()> submenu;

    const QList<Row> rows = {
        {0, "jsb", QStringLiteral("记事本"), {}, submenu},
        {1, "mnuFile", QStringLiteral("文件"), {}, submenu},
        {2, "mnuNew", QStringLiteral("新建"), QKeySequence(Qt::CTRL | Qt::Key_N), [&ed] { ed.newDocument(); }},
        {2, "mnuOpen", QStringLiteral("打开"), QKeySequence(Qt::CTRL | Qt::Key_O), onActive(&files, &FileCommands::open)},
        {2, "mnuSave", QStringLiteral("保存"), QKeySequence(Qt::CTRL | Qt::Key_S), onActive(&files, &FileCommands::save)},
        {2, "mnuSaveAs", QStringLiteral("另存为..."), {}, onActive(&files, &FileCommands::saveAs)},
        {2, "DummyA", sep, {}, submenu},
        {2, "mnuPrint", QStringLiteral("页面打印"), QKeySequence(Qt::CTRL | Qt::Key_P), onActive(&files, &FileCommands::print)},
        {2, "DummyB", sep, {}, submenu},
        {2, "mnuClose", QStringLiteral("关闭"), {}, [&ed] { ed.closeActive(); }},
        {2, "mnuCloseAll", QStringLiteral("关闭所有..."), {}, [&ed] { ed.closeAll(); }},
        {2, "DummyAA", sep, {}, submenu},
        {2, "mnuExit", QStringLiteral("退出"), QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); }},
        {1, "mnuEdit", QStringLiteral("编辑"), {}, submenu},
        {2, UndoName, QStringLiteral("撤销"), QKeySequence(Qt::CTRL | Qt::Key_Z), onActive(m_edit.get(), &EditCommands::undo)},
        {2, "DummyC", sep, {}, submenu},
        {2, CutName, QStringLiteral("剪切"), QKeySequence(Qt::CTRL | Qt::Key_X), onActive(m_edit.get(), &EditCommands::cut)},
        {2, CopyName, QStringLiteral("复制"), QKeySequence(Qt::CTRL | Qt::Key_C), onActive(m_edit.get(), &EditCommands::copy)},
        {2, PasteName, QStringLiteral("粘贴"), QKeySequence(Qt::CTRL | Qt::Key_V), onActive(m_edit.get(), &EditCommands::paste)},
        {2, DeleteName, QStringLiteral("删除"), QKeySequence(Qt::Key_Delete), onActive(m_edit.get(), &EditCommands::deleteSelection)},
        {2, "DummyD", sep, {}, submenu},
        {2, SelectAllName, QStringLiteral("全选"), QKeySequence(Qt::CTRL | Qt::Key_A), onActive(m_edit.get(), &EditCommands::selectAll)},
        {2, "DummyE", sep, {}, submenu},
        {2, "mnuFind", QStringLiteral("查找"), QKeySequence(Qt::CTRL | Qt::Key_F), [this] { showFindDialog(*m_editor, this); }},
        {2, "mnuFindNext", QStringLiteral("查找下一个"), QKeySequence(Qt::Key_F3), onActive(&ed.search(), qOverload<TextDocument &>(&DocumentSearch::findNext))},
        {1, "mnuInsert", QStringLiteral("插入"), {}, submenu},
        {2, "mnuInsertDate", QStringLiteral("日期"), {}, submenu},
        {3, "mnuInsertDateShort", QStringLiteral("简短"), {}, insert(InsertItem::DateShort)},
        {3, "mnuInsertDateMedium", QStringLiteral("一般"), {}, insert(InsertItem::DateMedium)},
        {3, "mnuInsertDateLong", QStringLiteral("完整"), {}, insert(InsertItem::DateLong)},
        {2, "mnuInsertTime", QStringLiteral("时间"), {}, submenu},
        {3, "mnuInsertTimeShort", QStringLiteral("简短"), {}, insert(InsertItem::TimeShort)},
        {3, "mnuInsertTimeMedium", QStringLiteral("一般"), {}, insert(InsertItem::TimeMedium)},
        {3, "mnuInsertTimeLong", QStringLiteral("完整"), {}, insert(InsertItem::TimeLong)},
        {2, "mnuInsertFileName", QStringLiteral("文件名"), {}, insert(InsertItem::FileName)},
        {2, "mnuInsertPathAndFile", QStringLiteral("路径及文件名"), {}, insert(InsertItem::PathAndFile)},
        {1, "mnuFormat", QStringLiteral("格式"), {}, submenu},
        {2, "mnuFont", QStringLiteral("字体"), QKeySequence(Qt::Key_F9), [this] { showFontDialog(*m_editor, this); }},
        {2, "DummyF", sep, {}, submenu},
        {2, "mnuEncryptHex", QStringLiteral("加密"), QKeySequence(Qt::SHIFT | Qt::Key_F1), onActive(m_cipher.get(), &CipherCommands::encryptHex)},
        {2, "mnuDecryptHex", QStringLiteral("解密"), QKeySequence(Qt::SHIFT | Qt::Key_F2), onActive(m_cipher.get(), &CipherCommands::decryptHex)},
        {2, "mnuEncryptBinary", QStringLiteral("增强加密"), QKeySequence(Qt::SHIFT | Qt::Key_F3), onActive(m_cipher.get(), &CipherCommands::encryptBinary)},
        {2, "mnuDecryptBinary", QStringLiteral("增强解密"), QKeySequence(Qt::SHIFT | Qt::Key_F4), onActive(m_cipher.get(), &CipherCommands::decryptBinary)},
        {2, "bj", QStringLiteral("      (以上加密不支持中文)"), {}, [] {}},
        {2, "DummyG", sep, {}, submenu},
        {2, "mnuUnWebPagify", QStringLiteral("选择最后一行"), QKeySequence(Qt::CTRL | Qt::Key_W), onActive(m_blankRemover.get(), &BlankRemover::run)},
        {1, "mnuWindow", QStringLiteral("窗口"), {}, submenu},
        {2, "mnuArrHoriz", QStringLiteral("平铺"), {}, [this] { arrange(ArrangeMode::TileHorizontal); }},
        {2, "mnuArrVert", QStringLiteral("垂直平铺"), {}, [this] { arrange(ArrangeMode::TileVertical); }},
        {2, "mnuCascade", QStringLiteral("重叠"), {}, [this] { arrange(ArrangeMode::Cascade); }},
        {2, "mnuArrIcons", QStringLiteral("排列图标"), {}, [this] { arrange(ArrangeMode::Icons); }},
        {2, "DummyK", sep, {}, submenu},
        {2, "mnuMinimizeAll", QStringLiteral("全部最小化"), {}, [&ed] { ed.minimizeAll(); }},
        {2, "DummyL", sep, {}, submenu},
        {2, "mnuNextDoc", QStringLiteral("下一个文档"), QKeySequence(Qt::Key_F1), [&ed] { ed.nextDocument(); }},
        {2, "mnuPreviousDoc", QStringLiteral("上一个文档"), QKeySequence(Qt::Key_F2), [&ed] { ed.previousDocument(); }},
        {0, "zx", QStringLiteral("杂项"), {}, submenu},
        tool(1, Tool::Calendar, QStringLiteral("日历")),
        tool(1, Tool::Calculator, QStringLiteral("计算器")),
        tool(1, Tool::Media, QStringLiteral("多媒体")),
        {0, "yoqi", QStringLiteral("游戏"), {}, submenu},
        tool(1, Tool::Blocks, QStringLiteral("方块")),
        tool(1, Tool::Puzzle, QStringLiteral("拼图")),
        {0, "pmbh", QStringLiteral("屏幕保护"), {}, [this] { if (m_startSaver) m_startSaver(); }},
        tool(0, Tool::About, QStringLiteral("关于")),
    };

    QList<QMenu *> parents; // parents[level - 1] is the menu that holds items of that level
    for (const Row &row : rows) {
        const QString &name = row.name;
        parents.resize(row.level);
        auto addAction = [&](QAction *a) {
            if (row.level == 0)
                menuBar()->addAction(a);
            else
                parents.last()->addAction(a);
        };
        if (row.caption == sep) {
            auto *a = new QAction(this);
            a->setSeparator(true);
            a->setObjectName(name);
            addAction(a);
        } else if (!row.action) {
            QMenu *menu = row.level == 0 ? menuBar()->addMenu(row.caption) : parents.last()->addMenu(row.caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name + QStringLiteral("Action"));
            parents.append(menu);
        } else {
            auto *a = new QAction(row.caption, this);
            a->setObjectName(name);
            if (!row.shortcut.isEmpty()) {
                a->setShortcut(row.shortcut);
                a->setShortcutContext(Qt::WindowShortcut);
                m_keys.append({row.shortcut, a});
            }
            connect(a, &QAction::triggered, this, row.action);
            addAction(a);
        }
    }
    // The other keys for the clipboard commands, which a text box would otherwise
    // handle by itself.
    const QList<QPair<QKeySequence, const char *>> extraKeys = {
        {QKeySequence(Qt::SHIFT | Qt::Key_Delete), CutName},
        {QKeySequence(Qt::SHIFT | Qt::Key_Insert), PasteName},
        {QKeySequence(Qt::CTRL | Qt::Key_Insert), CopyName},
    };
    for (const auto &[key, name] : extraKeys)
        m_keys.append({key, findChild<QAction *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly)});
}

QAction *MainFrame::actionForKey(const QKeySequence &key) const
{
    for (const auto &[k, action] : m_keys) {
        if (k == key)
            return action;
    }
    return nullptr;
}

QList<QAction *> MainFrame::contextMenuActions() const
{
    QList<QAction *> actions;
    for (const char *name : {UndoName, "", CutName, CopyName, PasteName, DeleteName, "", SelectAllName})
        actions << (*name ? findChild<QAction *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly) : nullptr);
    return actions;
}

void MainFrame::openFiles(const QStringList &paths)
{
    bool first = true;
    for (const QString &path : paths) {
        const bool intoStartDocument = first && m_editor->openCount() == 1 && m_editor->isOpen(1) &&
                                       !m_editor->document(1).isChanged() && m_editor->document(1).filePath().isEmpty();
        const int n = intoStartDocument ? 1 : m_editor->newDocument();
        if (n == 0)
            return; // the 30-document limit, already reported
        first = false;
        TextDocument &document = m_editor->document(n);
        document.beginCommand();
        m_editor->files().openPath(document, path);
    }
}

void MainFrame::arrange(ArrangeMode mode)
{
    QList<QMdiSubWindow *> normal;
    QList<QMdiSubWindow *> minimized;
    for (QMdiSubWindow *w : m_area->subWindowList(QMdiArea::CreationOrder)) {
        if (w->isMinimized())
            minimized << w;
        else if (w->isVisible())
            normal << w;
    }
    const QRect area = m_area->viewport()->rect();
    QList<QRect> rects;
    switch (mode) {
    case ArrangeMode::Cascade: {
        const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2;
        rects = MdiArranger::cascade(area, int(normal.size()), step);
        break;
    }
    case ArrangeMode::TileHorizontal: rects = MdiArranger::tileHorizontally(area, int(normal.size())); break;
    case ArrangeMode::TileVertical: rects = MdiArranger::tileVertically(area, int(normal.size())); break;
    case ArrangeMode::Icons: {
        QList<QSize> sizes;
        for (QMdiSubWindow *w : minimized)
            sizes << w->size();
        const QList<QRect> icons = MdiArranger::arrangeIcons(area, sizes);
        for (int i = 0; i < minimized.size(); ++i)
            minimized[i]->move(icons[i].topLeft());
        return;
    }
    }
    for (int i = 0; i < normal.size(); ++i) {
        if (normal[i]->isMaximized())
            normal[i]->showNormal();
        normal[i]->setGeometry(rects[i]);
    }
    if (mode == ArrangeMode::Cascade && !normal.isEmpty())
        m_area->setActiveSubWindow(normal.last());
}

void MainFrame::closeEvent(QCloseEvent *event)
{
    // Not in the middle of an Open or Save (a tool window can ask for the close): the
    // save prompts would start another one over it.
    if (m_platform.longTasks().running()) {
        event->ignore();
        return;
    }
    // Every document closes through its own save prompt; one cancel keeps the frame open.
    if (!m_editor->closeAll()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace korvane
