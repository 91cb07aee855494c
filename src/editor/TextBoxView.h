#pragma once

#include "editor/TextDocument.h"

#include <QKeySequence>
#include <QList>
#include <QPlainTextEdit>
#include <QPointer>

namespace korvane {

// The text box "Text1" of a document window: a thin view over a TextDocument.
// Typing goes into the document as edits; commands that change the document are
// mirrored here. The keys of the main frame's menu reach the menu, not the text box.
class TextBoxView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TextBoxView(TextDocument *document, QWidget *parent = nullptr);

    TextDocument *textDocument() const { return m_document; }

    // Positions between the document's text and this view.
    qsizetype toViewPosition(qsizetype textPosition) const;
    qsizetype toTextPosition(qsizetype viewPosition) const;

    // Keys that belong to the frame's menu; the text box lets them through.
    static void setFrameShortcuts(const QList<QKeySequence> &keys);

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void onViewContentsChange(int position, int removed, int added);
    void onViewCursorMoved();
    void onTextReplaced(qsizetype position, qsizetype removed, const QString &added, TextDocument::Origin origin);
    void onSelectionChanged(TextDocument::Origin origin);
    void applyFont();
    void rebuildFromDocument();
    void rebuildDocumentFromView();

    QPointer<TextDocument> m_document;
    bool m_syncing = false;
    qsizetype m_viewLength = 0;
};

} // namespace korvane
