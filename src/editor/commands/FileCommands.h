#pragma once

#include <QString>

namespace korvane {

class Editor;

// Open, Save, Save As and Print of the "文件" menu, and the save the close prompt uses.
// The editor owns one (Editor::files()).
class FileCommands {
public:
    static inline const QString TextFilter = QStringLiteral("Text Files (*.TXT)|*.txt|All Files (*.*)|*.*");
    // Asked by Save when the document's file is no longer as it was read or last written;
    // %1 is the file title.
    static inline const QString ChangedOutsideQuestion = QStringLiteral(
        "文件“%1”在打开后已被其他程序修改。要用本文档覆盖它吗？");

    // The progress dialog's text while a file is read or written; %1 is the file's name.
    static inline const QString OpeningLabel = QStringLiteral("正在打开 “%1”…");
    static inline const QString SavingLabel = QStringLiteral("正在保存 “%1”…");

    explicit FileCommands(Editor &editor);

    void open();
    // Loads a file into document n in place, as Open does after its dialog; false (and a
    // message naming the file) when it cannot be read, and false without a message when
    // the user cancelled the reading.
    bool openPath(int n, const QString &path);
    void save();
    void saveAs();
    void print();

    // Save for document n: written to its file, or through Save As when it has none.
    // False when nothing was written (a failure, a cancelled save dialog or a save the
    // user cancelled half-way, which leaves the file as it was); the close
    // prompt's Yes (Editor::queryClose) then keeps the window open.
    bool saveDocument(int n);

    // How many bytes Open reads and decodes between two progress reports.
    void setReadChunkSize(qsizetype bytes) { m_readChunkSize = bytes; }

    // The text as the printer gets it: one line feed per line end, and the characters the
    // text box shows as symbols printed as those symbols.
    static QString printableText(const QString &text);

private:
    // Writes document n to path; on success the document's file identity is the file as
    // written. ownFile: the document's own file, which is not overwritten unasked when
    // another program has changed it.
    bool writeStep(int n, const QString &path, bool ownFile);
    bool changedOutside(int n, const QString &path) const;
    bool saveAsSlot(int n);

    Editor &m_editor;
    qsizetype m_readChunkSize;
};

} // namespace korvane
