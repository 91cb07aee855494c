#pragma once

#include <QString>

namespace korvane {

class Platform;
class TextDocument;

// Open, Save, Save As and Print of the "文件" menu, and the close prompt that saves a
// document before its window closes. Each acts on the document it is given. The editor
// owns one (Editor::files()).
class FileCommands {
public:
    static inline const QString SavePrompt = QStringLiteral("文件 无标题 的文字已经改变.相保存文件吗?");
    static inline const QString TextFilter = QStringLiteral("Text Files (*.TXT)|*.txt|All Files (*.*)|*.*");
    // Asked by Save when the document's file is no longer as it was read or last written;
    // %1 is the file title.
    static inline const QString ChangedOutsideQuestion = QStringLiteral(
        "文件“%1”在打开后已被其他程序修改。要用本文档覆盖它吗？");

    // The progress dialog's text while a file is read or written; %1 is the file's name.
    static inline const QString OpeningLabel = QStringLiteral("正在打开 “%1”…");
    static inline const QString SavingLabel = QStringLiteral("正在保存 “%1”…");

    explicit FileCommands(Platform &platform);

    // Open: the text before it becomes the undo snapshot, then the dialog.
    void open(TextDocument &document);
    // Loads a file into the document in place, as Open does after its dialog; false (and
    // a message naming the file) when it cannot be read, and false without a message when
    // the user cancelled the reading.
    bool openPath(TextDocument &document, const QString &path);
    // Save: written to the document's file, or through Save As when it has none. False
    // when nothing was written (a failure, a cancelled save dialog or a save the user
    // cancelled half-way, which leaves the file as it was).
    bool save(TextDocument &document);
    bool saveAs(TextDocument &document);
    void print(TextDocument &document);

    // The close handling of a document with unsaved edits: asks whether to save them
    // and, on Yes, saves. True when the document may close; Cancel, and a failed or
    // cancelled save, keep it open, as closing then would throw the edits away.
    bool maybeSave(TextDocument &document);

    // How many bytes Open reads and decodes between two progress reports.
    void setReadChunkSize(qsizetype bytes) { m_readChunkSize = bytes; }

    // The text as the printer gets it: one line feed per line end, and the characters the
    // text box shows as symbols printed as those symbols.
    static QString printableText(const QString &text);

private:
    // Writes the document to path; on success its file identity is the file as written.
    // ownFile: the document's own file, which is not overwritten unasked when another
    // program has changed it.
    bool writeStep(TextDocument &document, const QString &path, bool ownFile);
    static bool changedOutside(const TextDocument &document, const QString &path);

    Platform &m_platform;
    qsizetype m_readChunkSize;
};

} // namespace korvane
