#pragma once

#include "editor/document/TextDocument.h"
#include "editor/textbox/LineLayouts.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QColor>
#include <QPointer>
#include <memory>

namespace korvane {

class ClipboardService;
class PiecePainter;

// The text box "Text1" of a document window. It holds no text of its own: it draws the
// lines of its TextDocument that are on screen, straight from the document's one string,
// so what is shown is always what Save writes. Every line end (CR LF, a lone CR, a lone
// LF) starts a new line on screen. The view itself draws lines, caret and selection,
// scrolls, selects with the mouse and takes typing into the document as an edit. What
// else the box does is done by small objects that whoever builds the box attaches to it
// (see TextBoxBehaviours), each with one job; the box knows none of them.
class TextBoxView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static inline const QString ObjectName = QStringLiteral("Text1");

    explicit TextBoxView(TextDocument *document, QWidget *parent = nullptr);
    ~TextBoxView() override;

    TextDocument *textDocument() const { return m_document; }
    QString toPlainText() const { return m_document ? m_document->text() : QString(); }

    qsizetype anchorPosition() const { return m_anchor; }
    qsizetype caretPosition() const { return m_caret; }
    // The text position under a point of the viewport, and the caret rectangle of a
    // position in viewport coordinates.
    qsizetype positionAt(QPoint point);
    QRect caretRect(qsizetype position);
    // What the screen shows for one line (see LineLayouts::shownText).
    QString shownLineText(qsizetype line) { return m_layouts.shownText(line); }
    qsizetype firstVisibleLine() const;
    void ensureCaretVisible();

    // What the text is drawn with: the font and colour, the document's own as dressed by
    // FontDecoration. Until it is given, the box's own font in black.
    void setTextFont(const QFont &font, const QColor &color);
    // Drawn over every piece of a line after its text; none by default.
    void setPiecePainter(std::unique_ptr<PiecePainter> painter);
    // Where a selection made with the mouse is offered to other programs, as on every X11
    // desktop; none by default.
    void setClipboard(ClipboardService *clipboard) { m_clipboard = clipboard; }
    // A caret in the highlight colour where a drop would land; -1 shows none.
    void showDropCaret(qsizetype position);

signals:
    // The mouse pressed on the selection [start, end) and moved far enough to drag it.
    void selectionDragStarted(qsizetype start, qsizetype end);

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    // Tab and Shift+Tab are keys of the text, never a way out of it.
    bool focusNextPrevChild(bool) override { return false; }
    void timerEvent(QTimerEvent *e) override;

private:
    void onTextReplaced(qsizetype position, qsizetype removed, const QString &added, TextDocument::Origin origin);
    void onSelectionChanged(TextDocument::Origin origin);
    void updateScrollBars();
    void typed(qsizetype position, qsizetype removed, const QString &text);
    void moveCaret(qsizetype position, bool extend, bool keepColumn = false);
    void moveLines(qsizetype lines, bool extend);
    void restartBlink();
    void notifyAccessibleCaret();
    qsizetype previousPosition(qsizetype position) const;
    qsizetype nextPosition(qsizetype position) const;
    qsizetype snapped(qsizetype position) const;
    // Where the caret is drawn: at the input method's cursor while it composes.
    QRect shownCaretRect();
    // One step left or right on screen, in the direction of the text under the caret.
    qsizetype visualStep(bool toRight) const;
    // The pre-edit ends: the input method is asked to commit it, and what it leaves is
    // dropped, as the toolkit's own editors do on a click or when the focus goes.
    void commitPreedit();
    void dropPreedit();
    void updateInputMethod();
    qsizetype wordStart(qsizetype position) const;
    qsizetype wordEnd(qsizetype position) const;
    qsizetype visibleLines() const;
    qreal leftX() const;

    QPointer<TextDocument> m_document;
    LineLayouts m_layouts;
    QColor m_textColor = Qt::black;
    std::unique_ptr<PiecePainter> m_piecePainter;
    ClipboardService *m_clipboard = nullptr;
    qsizetype m_dropCaret = -1;
    qsizetype m_lineCount = 1;
    qsizetype m_anchor = 0;
    qsizetype m_caret = 0;
    qreal m_desiredX = -1;
    bool m_caretShown = true;
    QBasicTimer m_blink;
    QBasicTimer m_autoScroll;
    QString m_preedit;
    int m_preeditCursor = 0;
    bool m_preeditCursorShown = true;
    bool m_selecting = false;
    bool m_pressedOnSelection = false;
    QPoint m_pressPoint;
};

} // namespace korvane
