#pragma once

#include "editor/textbox/FrameKeys.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QMdiArea;

namespace korvane {

class BlankRemover;
class CipherCommands;
class EditCommands;
class Editor;
class InsertCommands;
class MdiDocumentHost;
class Platform;
class ToolWindows;

// The main frame "Form4": a multiple-document frame whose menu carries every editor
// command and the launchers of the tools.
class MainFrame : public QMainWindow, public FrameKeys {
    Q_OBJECT
public:
    static constexpr auto kObjectName = "Form4";
    static constexpr auto kClientAreaName = "MDIClient";

    MainFrame(Platform &platform, ToolWindows &tools, std::function<void()> startSaver, QWidget *parent = nullptr);
    ~MainFrame() override;

    Editor &editor() { return *m_editor; }
    MdiDocumentHost &documents() { return *m_host; }
    QMdiArea *mdiArea() const { return m_area; }

    // The arrangements of the "窗口" menu.
    enum class ArrangeMode { Cascade, TileHorizontal, TileVertical, Icons };
    void arrange(ArrangeMode mode);

    static QSize initialClientSize();

    // Files given on the command line: the first goes into the document the frame started
    // with, each further one into a new document of its own.
    void openFiles(const QStringList &paths);

    QAction *actionForKey(const QKeySequence &key) const override;
    QList<QAction *> contextMenuActions() const override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();

    Platform &m_platform;
    ToolWindows &m_tools;
    std::function<void()> m_startSaver;
    QMdiArea *m_area;
    std::unique_ptr<MdiDocumentHost> m_host;
    std::unique_ptr<Editor> m_editor;
    std::unique_ptr<EditCommands> m_edit;
    std::unique_ptr<InsertCommands> m_insert;
    std::unique_ptr<CipherCommands> m_cipher;
    std::unique_ptr<BlankRemover> m_blankRemover;
    QList<QPair<QKeySequence, QAction *>> m_keys;
};

} // namespace korvane
