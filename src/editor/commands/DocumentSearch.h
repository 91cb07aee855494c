#pragma once

#include <QString>
#include <functional>

namespace korvane {

class Platform;
class TextDocument;

// The program's one search: the text and match-case flag the Find dialog sets, and the
// position Find Next goes on from. Find Next, the Find dialog's button and the blank
// remover all work on this one object, whichever document they search.
class DocumentSearch {
public:
    // activeDocument: the document Find Next and the Find dialog search, created first
    // when none is open.
    using ActiveDocument = std::function<TextDocument &()>;
    DocumentSearch(Platform &platform, ActiveDocument activeDocument);

    const QString &text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
    bool matchCase() const { return m_matchCase; }
    void setMatchCase(bool on) { m_matchCase = on; }
    // 1-based start of the last match, 0 for none. Shared by all documents.
    qsizetype position() const { return m_position; }
    void setPosition(qsizetype position) { m_position = position; }

    // Searches the document for the search text.
    void findNext(TextDocument &document) { find(document, m_text); }
    // Looks for text one character after the start of the previous match (or from the
    // beginning after a miss) and selects it; says so when it is not there.
    void find(TextDocument &document, const QString &text);
    // The same in the active document.
    void findNext() { find(m_activeDocument(), m_text); }
    void find(const QString &text) { find(m_activeDocument(), text); }

    static QString notFoundMessage(const QString &text);

private:
    Platform &m_platform;
    ActiveDocument m_activeDocument;
    QString m_text;
    bool m_matchCase = false;
    qsizetype m_position = 0;
};

} // namespace korvane
