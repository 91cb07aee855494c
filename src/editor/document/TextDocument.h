#pragma once

#include "editor/document/LineIndex.h"
#include "editor/document/TextFont.h"
#include "editor/document/TextReplacement.h"
#include "editor/document/UndoSnapshot.h"
#include "editor/file/FileIdentity.h"
#include "editor/file/TextEncoding.h"

#include <QObject>
#include <QString>
#include <vector>

namespace korvane {

// One document: the one store of its text that the editor's commands change, the view
// shows and Save writes, and everything else that belongs to it: the file it came from,
// the encoding Save writes, whether it has unsaved edits, and the snapshot Undo goes
// back to. The text is a plain string with a 0-based selection, and a change
// notification on every change, typed or set by a command. Positions count UTF-16
// units and are qsizetype, so texts of any length work.
class TextDocument : public QObject {
    Q_OBJECT
public:
    enum class Origin { Program, View };
    // How a document's edits stopped being unsaved. Only saved edits and edits the user
    // gave up at the close prompt may be forgotten; edits replaced by a file's text are
    // kept aside by the recovery journal.
    enum class Settled { Saved, Replaced, Declined };

    // number: the document's place among the open ones (1 to 30), which names it
    // "文档 n" while it has no file; 0 for a document outside the editor's table.
    explicit TextDocument(int number = 0, QObject *parent = nullptr);
    int number() const { return m_number; }

    const QString &text() const { return m_text; }
    qsizetype length() const { return m_text.size(); }
    // Replaces the whole text; the caret goes to the start.
    void setText(const QString &text);
    // The same for a file's text: the fill is no edit, so the changed flag stays as it was.
    void load(const QString &text);
    // The same, for a text that these replacements, applied in order, make of this one:
    // only they are changed (and announced), not the whole text.
    void setTextByReplacing(const std::vector<TextReplacement> &replacements);

    qsizetype selStart() const { return m_selStart; }
    qsizetype selLength() const { return m_selLength; }
    QString selText() const { return m_text.mid(m_selStart, m_selLength); }
    // Moves the caret; the selection becomes empty. Clamped to the text.
    void setSelStart(qsizetype start);
    // Extends the selection from SelStart; clamped to the text.
    void setSelLength(qsizetype length);
    void select(qsizetype start, qsizetype length);
    // Replaces the selection (or inserts at the caret); the caret ends after the new text.
    void setSelText(const QString &text);

    // Applies an edit typed into the view; positions are in this text's coordinates.
    void applyViewEdit(qsizetype position, qsizetype removed, const QString &added);
    // The view moved the caret or selection (anchor and caret, in this text's coordinates).
    void setSelectionFromView(qsizetype anchor, qsizetype caret);

    // Where its lines begin; kept up to date on every change once asked for.
    const LineIndex &lines() const;

    // A command is about to change the text (a menu command, a drop, a middle-click
    // paste): the text as it is now becomes the undo snapshot.
    void beginCommand();
    // Replaces [position, position+removed) with text as one command, snapshot first: how
    // a drop, a middle-click paste or a drag out of the text changes it.
    void replaceAsCommand(qsizetype position, qsizetype removed, const QString &text)
    {
        beginCommand();
        select(position, removed);
        setSelText(text);
    }

    // The window caption: the title, after a "*" while the document has unsaved edits.
    QString caption() const { return m_caption; }
    // The caption without the changed mark: the file's title, or "文档 n" without a file.
    // A title with bytes that are not UTF-8 is shown readably (NativePath::shown).
    QString title() const;

    const TextFont &font() const { return m_font; }
    void setFont(const TextFont &font);

    // The file the text was read from or last saved to, and its name; both empty for a
    // document without a file.
    QString filePath() const { return m_filePath; }
    QString fileTitle() const { return m_fileTitle; }
    // Names the document after a file (the caption shows the title). Its identity is
    // unknown until setFileIdentity.
    void setFile(const QString &path, const QString &title);
    // The file as this document last read or wrote it: Save asks before it overwrites a
    // file that another program has changed since.
    const FileIdentity &fileIdentity() const { return m_fileIdentity; }
    void setFileIdentity(const FileIdentity &identity) { m_fileIdentity = identity; }
    // What Save writes the text in: the encoding of the file it came from.
    TextEncoding encoding() const { return m_encoding; }
    void setEncoding(TextEncoding encoding) { m_encoding = encoding; }

    // Whether the text has edits that are in no file yet: every change but load sets it,
    // before it is announced. Only whoever puts the text in its file clears it.
    bool isChanged() const { return m_changed; }
    void setChanged(bool changed);
    // The unsaved edits are unsaved no longer: in the file now (Saved), replaced by a
    // file's text (Replaced), both of which clear the changed flag, or given up at the
    // close prompt (Declined), after which the document closes with its flag as it is.
    // Announced by settled; nothing happens to a document without unsaved edits.
    void settle(Settled how);

    // The text as the last snapshot left it; empty when none was taken. Put together on
    // request (UndoSnapshot), so reading it may take as long as a copy of the text.
    QString undoSnapshot() const { return m_undo.text(m_text); }
    // Undo: the text becomes the snapshot again, which stays as it is. Nothing happens
    // while the snapshot is empty.
    void revertToSnapshot();

signals:
    // The text changed: every change, whatever its cause (the "Change" event).
    void changed();
    // Detail of a change for the view: the range [position, position+removed) now reads added.
    void textReplaced(qsizetype position, qsizetype removed, const QString &added,
                      korvane::TextDocument::Origin origin);
    // [position, position+removed) is about to be replaced; the text still reads as before.
    void aboutToReplace(qsizetype position, qsizetype removed);
    void selectionChanged(korvane::TextDocument::Origin origin);
    void captionChanged(const QString &caption);
    // The changed flag has turned.
    void changedFlagChanged(bool changed);
    // The unsaved edits have settled (settle); the caption has lost its "*", or, for
    // Declined, the document is about to close.
    void settled(korvane::TextDocument::Settled how);
    void fontChanged();
    // beginCommand has just taken the undo snapshot.
    void commandStarting();
    // The text is about to be changed in place; whoever still shares it can let go first.
    void aboutToChangeInPlace();

private:
    void updateCaption();
    void replaceWhole(const QString &text);
    void replaceRange(qsizetype position, qsizetype removed, const QString &added, Origin origin);

    QString m_text;
    mutable LineIndex m_lines;
    mutable bool m_linesValid = false;
    qsizetype m_selStart = 0;
    qsizetype m_selLength = 0;
    const int m_number;
    QString m_caption;
    TextFont m_font;
    QString m_filePath;
    QString m_fileTitle;
    FileIdentity m_fileIdentity; // unknown (not existing) until read or written here
    TextEncoding m_encoding = TextEncoding::Gb18030;
    bool m_changed = false;
    UndoSnapshot m_undo; // the text before the last command, for Undo
};

} // namespace korvane
