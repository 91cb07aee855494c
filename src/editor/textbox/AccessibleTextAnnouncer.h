#pragma once

#include "editor/document/TextDocument.h"

#include <QAccessible>
#include <QObject>
#include <QPointer>

class QWidget;

namespace korvane {

// Tells a screen reader what changed in a text box's document: the text removed, as it
// was before it went, and the text added. A change larger than a screenful is announced
// as a new text instead, so that Select All + Delete of a big file does not send the
// whole file over the accessibility bus; the reader then asks for the lines it needs.
class AccessibleTextAnnouncer : public QObject {
    Q_OBJECT
public:
    // More than any screen shows at once.
    static constexpr qsizetype LargeChange = 8192;

    AccessibleTextAnnouncer(QWidget *box, TextDocument *document);

    // Whether a screen reader listens (nothing is prepared for none), and how it is told.
    // Tests put themselves in the reader's place.
    static inline bool (*readerListening)() = &QAccessible::isActive;
    static inline void (*tellReader)(QAccessibleEvent *) = &QAccessible::updateAccessibility;

private:
    void onAboutToReplace(qsizetype position, qsizetype removed);
    void onTextReplaced(qsizetype position, qsizetype removed, const QString &added);

    QWidget *m_box;
    QPointer<TextDocument> m_document;
    QString m_removedText;
    bool m_removedKept = false;
};

} // namespace korvane
