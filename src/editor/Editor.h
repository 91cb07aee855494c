#pragma once

#include "editor/DocumentSearch.h"
#include "editor/DocumentSlot.h"
#include "editor/FileCommands.h"
#include "editor/FileIdentity.h"
#include "editor/TextEncoding.h"

#include <QObject>
#include <array>
#include <memory>

namespace korvane {

class DocumentHost;
class Platform;
class TextDocument;

// The editor's slot table and the document commands every other editor command
// builds on: new, close, close all, next and previous, and finding the active document.
// The caption follows the document's changed flag by itself; a document's file is
// named only through setFile below, so that the caption shows the new title too.
class Editor : public QObject {
    Q_OBJECT
public:
    static constexpr int SlotCount = 30;
    static inline const QString LimitMessage = QStringLiteral("You are only allowed 30 documents opened at one time.");
    static inline const QString SavePrompt = QStringLiteral("文件 无标题 的文字已经改变.相保存文件吗?");

    // How a document's edits stopped being unsaved. Only saved edits and edits the user
    // gave up at the close prompt may be forgotten; edits replaced by a file's text are
    // kept aside by the recovery journal.
    enum class Settled { Saved, Replaced, Declined };

    Editor(Platform &platform, DocumentHost &host, QObject *parent = nullptr);
    ~Editor() override;

    Platform &platform() { return m_platform; }
    DocumentHost &host() { return m_host; }
    // Open, Save, Save As and Print; also what writes a document for the close prompt's Yes.
    FileCommands &files() { return *m_files; }
    // The one search text, match-case flag and position of Find and Find Next.
    DocumentSearch &search() { return *m_search; }

    bool isOpen(int n) const { return slot(n).inUse; }
    TextDocument &document(int n) { return *slot(n).document; }
    // The slot's document, or nullptr while the slot is free.
    TextDocument *textDocument(int n) const { return slot(n).document; }
    int openCount() const;

    // The document's own state, by slot. A free slot reads as an unchanged document
    // without a file, and the setters leave it alone.
    bool isChanged(int n) const;
    // Marks the document changed or saved; the caption's "*" follows. Clearing the flag
    // means the text is in its file now.
    void setChanged(int n, bool changed);
    QString fileTitle(int n) const;
    QString filePath(int n) const;
    // Names the document after its file (the caption shows the title). The file's identity
    // is unknown until setFileIdentity.
    void setFile(int n, const QString &path, const QString &title);
    FileIdentity fileIdentity(int n) const;
    void setFileIdentity(int n, const FileIdentity &identity);
    TextEncoding encoding(int n) const;
    void setEncoding(int n, TextEncoding encoding);
    // The caption without the changed mark: the file's title, or "文档 n" without a file.
    // A title with bytes that are not UTF-8 is shown readably (NativePath::shown).
    QString title(int n) const;
    // Fills the document as a file load does: the fill is not an edit, and the
    // document reads as unchanged afterwards.
    void loadText(int n, const QString &text);

    // See TextDocument::undoSnapshot, beginCommand and revertToSnapshot.
    QString undoSnapshot(int n) const;
    void takeSnapshot(int n);
    void revertToSnapshot(int n);

    // Slot of the active document; creates a new document first when none is open.
    int activeDocumentIndex();

    // Opens a new empty document; returns its slot, or 0 when all 30 are taken (the
    // limit message has then been shown).
    int newDocument();
    void closeActive();
    // Closes every open document in slot order; true when all of them closed.
    bool closeAll();
    void nextDocument();
    void previousDocument();
    void minimizeAll();

    // The close handling of a document window: asks about unsaved changes and, on Yes,
    // saves (Save, or Save As when it has no file). True when the window may close;
    // a failed or cancelled save keeps it open.
    bool queryClose(int n);
    // Frees the slot after its window has closed.
    void releaseSlot(int n);

signals:
    // A new document has its slot; the recovery journal starts watching it.
    void documentOpened(int slot);
    // The slot is free again; the recovery journal drops its record.
    void documentClosed(int slot);
    // The document's edits are no longer unsaved; the caption has lost its "*", or, for
    // Declined, the window is about to close.
    void documentSettled(int slot, korvane::Editor::Settled how);

private:
    DocumentSlot &slot(int n) { return m_slots.at(n - 1); }
    const DocumentSlot &slot(int n) const { return m_slots.at(n - 1); }
    int allocateDocumentSlot();
    void activateNeighbour(int step);
    void updateCaption(int n);
    void clearChanged(int n, Settled how);

    Platform &m_platform;
    DocumentHost &m_host;
    std::array<DocumentSlot, SlotCount> m_slots;
    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<DocumentSearch> m_search;
    int m_lastAllocated = 0; // what the active document falls back to when New hits the limit
};

} // namespace korvane
