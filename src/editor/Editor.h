#pragma once

#include "editor/DocumentSlot.h"
#include "editor/SearchState.h"

#include <QObject>
#include <array>
#include <functional>

namespace korvane {

class DocumentHost;
class Platform;
class TextDocument;

// The editor's slot table and the document commands every other editor command
// builds on: new, close, close all, next and previous, and finding the active document.
class Editor : public QObject {
    Q_OBJECT
public:
    static constexpr int SlotCount = 30;
    static inline const QString LimitMessage = QStringLiteral("You are only allowed 30 documents opened at one time.");
    static inline const QString SavePrompt = QStringLiteral("文件 无标题 的文字已经改变.相保存文件吗?");

    Editor(Platform &platform, DocumentHost &host, QObject *parent = nullptr);
    ~Editor() override;

    Platform &platform() { return m_platform; }
    DocumentHost &host() { return m_host; }

    DocumentSlot &slot(int n) { return m_slots.at(n - 1); }
    const DocumentSlot &slot(int n) const { return m_slots.at(n - 1); }
    TextDocument &document(int n) { return *slot(n).document; }
    int openCount() const;

    int allocateDocumentSlot();
    // Slot of the active document; creates a new document first when none is open.
    int activeDocumentIndex();
    // Copies the whole text into the slot's undo snapshot.
    void takeSnapshot(int n);

    void newDocument();
    void closeActive();
    // Closes every open document in slot order; true when all of them closed.
    bool closeAll();
    void nextDocument();
    void previousDocument();
    void minimizeAll();

    // The close handling of a document window: asks about unsaved changes and saves
    // on Yes. True when the window may close.
    bool queryClose(int n);
    // Frees the slot after its window has closed.
    void releaseSlot(int n);

    // Writes the document to its file for the close prompt's Yes (Save, or Save As when
    // it has no file). Returns false when nothing was written; the window then stays open.
    void setSaveForClose(std::function<bool(int)> save) { m_saveForClose = std::move(save); }

    int lastAllocatedSlot = 0;
    bool loadingText = false;
    SearchState search;

signals:
    void documentOpened(int slot);
    void documentClosed(int slot);

private:
    void onTextChanged(int n);

    Platform &m_platform;
    DocumentHost &m_host;
    std::array<DocumentSlot, SlotCount> m_slots;
    std::function<bool(int)> m_saveForClose;
};

} // namespace korvane
