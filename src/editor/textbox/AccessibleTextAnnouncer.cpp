#include "editor/textbox/AccessibleTextAnnouncer.h"

#include <QAccessible>
#include <QWidget>

namespace korvane {

AccessibleTextAnnouncer::AccessibleTextAnnouncer(QWidget *box, TextDocument *document)
    : QObject(box), m_box(box), m_document(document)
{
    connect(document, &TextDocument::aboutToReplace, this, &AccessibleTextAnnouncer::onAboutToReplace);
    connect(document, &TextDocument::textReplaced, this,
            [this](qsizetype position, qsizetype removed, const QString &added) {
        onTextReplaced(position, removed, added);
    });
}

void AccessibleTextAnnouncer::onAboutToReplace(qsizetype position, qsizetype removed)
{
    // The document signals its change after the text is gone, so what goes is kept here.
    m_removedKept = readerListening() && m_document && removed > 0 && removed <= LargeChange;
    m_removedText = m_removedKept ? m_document->text().mid(position, removed) : QString();
}

void AccessibleTextAnnouncer::onTextReplaced(qsizetype position, qsizetype removed, const QString &added)
{
    const QString removedText = std::exchange(m_removedText, QString());
    const bool removedKept = std::exchange(m_removedKept, false);
    if (!readerListening() || position > INT_MAX)
        return;
    if ((removed > 0 && !removedKept) || added.size() > LargeChange) {
        QAccessibleEvent reset(m_box, QAccessible::VisibleDataChanged);
        tellReader(&reset);
        QAccessibleTextCursorEvent caret(m_box, int(position));
        tellReader(&caret);
        return;
    }
    if (removed > 0) {
        QAccessibleTextRemoveEvent event(m_box, int(position), removedText);
        tellReader(&event);
    }
    if (!added.isEmpty()) {
        QAccessibleTextInsertEvent event(m_box, int(position), added);
        tellReader(&event);
    }
}

} // namespace korvane
