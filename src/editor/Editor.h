#pragma once

#include "editor/DocumentSlot.h"
#include "editor/document/TextDocument.h"

#include <QObject>
#include <array>
#include <memory>

namespace korvane {

class DocumentHost;
class DocumentSearch;
class FileCommands;
class Platform;

// The editor's slot table of 30 documents and the active one, and the commands on the
// table: new, close, close all, next, previous and minimize all. Everything else belongs
// to a document (TextDocument) and the commands that act on it.
class Editor : public QObject {
    Q_OBJECT
public:
    static constexpr int SlotCount = 30;
    static inline const QString LimitMessage = QStringLiteral("You are only allowed 30 documents opened at one time.");

    Editor(Platform &platform, DocumentHost &host, QObject *parent = nullptr);
    ~Editor() override;

    Platform &platform() { return m_platform; }
    DocumentHost &host() { return m_host; }
    // Open, Save, Save As and Print, and the close prompt's save.
    FileCommands &files() { return *m_files; }
    // The one search text, match-case flag and position of Find and Find Next.
    DocumentSearch &search() { return *m_search; }

    bool isOpen(int n) const { return slot(n).inUse; }
    TextDocument &document(int n) { return *slot(n).document; }
    // The slot's document, or nullptr while the slot is free.
    TextDocument *textDocument(int n) const { return slot(n).document; }
    int openCount() const;

    // Slot of the active document; creates a new document first when none is open.
    int activeDocumentIndex();
    // The document every editor command acts on, created first when none is open.
    TextDocument &activeDocument() { return document(activeDocumentIndex()); }

    // Opens a new empty document; returns its slot, or 0 when all 30 are taken (the
    // limit message has then been shown).
    int newDocument();
    void closeActive();
    // Closes every open document in slot order; true when all of them closed.
    bool closeAll();
    void nextDocument();
    void previousDocument();
    void minimizeAll();

    // Frees the slot after its window has closed.
    void releaseSlot(int n);

signals:
    // A new document has its slot; the recovery journal starts watching it.
    void documentOpened(int slot);
    // The slot is free again; the recovery journal drops its record.
    void documentClosed(int slot);
    // The document's edits are no longer unsaved (TextDocument::settled).
    void documentSettled(int slot, korvane::TextDocument::Settled how);

private:
    DocumentSlot &slot(int n) { return m_slots.at(n - 1); }
    const DocumentSlot &slot(int n) const { return m_slots.at(n - 1); }
    int allocateDocumentSlot();
    void activateNeighbour(int step);

    Platform &m_platform;
    DocumentHost &m_host;
    std::array<DocumentSlot, SlotCount> m_slots;
    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<DocumentSearch> m_search;
    int m_lastAllocated = 0; // what the active document falls back to when New hits the limit
};

} // namespace korvane
