#include "editor/textbox/DocumentWindow.h"

#include "editor/DocumentHost.h"
#include "editor/Editor.h"
#include "editor/commands/FileCommands.h"
#include "editor/document/TextDocument.h"
#include "editor/textbox/TextBoxBehaviours.h"
#include "editor/textbox/TextBoxView.h"
#include "platform/Platform.h"
#include "platform/Twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

namespace korvane {

QSize DocumentWindow::initialClientSize() { return twipsToPixels(4680, 3135); }

DocumentWindow::DocumentWindow(Editor &editor, int slot, TextDocument *document, const FrameKeys *frameKeys,
                               QWidget *parent)
    : QMdiSubWindow(parent), m_editor(editor), m_slot(slot), m_textBox(new TextBoxView(document))
{
    TextBoxBehaviours::attach(*m_textBox, frameKeys, editor.platform().clipboard());
    setObjectName(QLatin1String(kObjectName));
    setAttribute(Qt::WA_DeleteOnClose);
    // The text box fills the client area, so it keeps its size while the window is
    // minimized and is refitted when it is restored.
    setWidget(m_textBox);
    setWindowTitle(document->caption());
    connect(document, &TextDocument::captionChanged, this, &QWidget::setWindowTitle);
    // The system menu's Close also listens to Ctrl+W, which belongs to the frame's menu;
    // two owners of one key would leave it dead. Close keeps Ctrl+F4.
    if (QMenu *menu = systemMenu()) {
        const QKeySequence frameKey(Qt::CTRL | Qt::Key_W);
        for (QAction *a : menu->actions()) {
            QList<QKeySequence> keys = a->shortcuts();
            if (keys.removeAll(frameKey) > 0)
                a->setShortcuts(keys);
        }
    }
}

void DocumentWindow::closeEvent(QCloseEvent *event)
{
    const int n = m_slot;
    TextDocument *document = m_editor.textDocument(n);
    if (document != m_textBox->textDocument()) {
        event->accept();
        return;
    }
    // The save prompt is about this document: Close all and the frame closing show it first.
    if (document->isChanged())
        m_editor.host().bringForward(n);
    if (!m_editor.files().maybeSave(*document)) {
        event->ignore();
        return;
    }
    event->accept();
    m_editor.releaseSlot(n);
}

} // namespace korvane
