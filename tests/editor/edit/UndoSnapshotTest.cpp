#include "editor/document/UndoSnapshot.h"
#include "EditorFixture.h"
#include "editor/commands/EditCommands.h"

#include <QRandomGenerator>

using namespace korvane;

namespace {

// Line ends, surrogate halves (paired or not) and plain letters: what an edit can split.
QString randomText(QRandomGenerator &random, int max)
{
    static const char16_t alphabet[] = {u'a', u'b', u'\r', u'\n', u'中', 0xD83D, 0xDE00};
    QString s;
    const int n = random.bounded(max + 1);
    for (int i = 0; i < n; ++i)
        s.append(QChar(alphabet[random.bounded(int(std::size(alphabet)))]));
    return s;
}

class UndoSnapshotTest : public EditorFixture {
protected:
    // Typing into the text box at the caret, as the view reports it.
    void type(const QString &text) { doc(1).applyViewEdit(doc(1).selStart(), doc(1).selLength(), text); }

    EditCommands edit{platform};
};

} // namespace

// Random typing, Backspace and Del runs, edits anywhere, the commands that take a snapshot,
// whole-text replacements and Undo: the snapshot always reads the text as it was when it was
// taken, and Undo gives exactly that back.
TEST_F(UndoSnapshotTest, SnapshotIsAlwaysTheTextAtTheLastCommand)
{
    QRandomGenerator random(20261208);
    QString expected; // no snapshot yet: it reads empty
    for (int step = 0; step < 30000; ++step) {
        TextDocument &d = doc(1);
        const qsizetype length = d.length();
        const int what = random.bounded(100);
        if (what < 40) {
            type(randomText(random, 3)); // typing on at the caret
        } else if (what < 50) {
            const qsizetype caret = d.selStart();
            if (caret > 0)
                d.applyViewEdit(caret - 1, 1, QString()); // Backspace
        } else if (what < 55) {
            d.applyViewEdit(d.selStart(), 1, QString()); // Del
        } else if (what < 70) {
            const qsizetype position = random.bounded(int(length) + 1);
            d.applyViewEdit(position, random.bounded(int(std::min<qsizetype>(length - position, 5)) + 1),
                            randomText(random, 4));
        } else if (what < 78) {
            const qsizetype start = random.bounded(int(length) + 1);
            d.setSelectionFromView(start, start + random.bounded(int(length - start) + 1));
        } else if (what < 84) {
            expected = d.text();
            switch (random.bounded(3)) {
            case 0: edit.cut(editor.activeDocument()); break;
            case 1:
                platform.setClipboardText(randomText(random, 6));
                edit.paste(editor.activeDocument());
                break;
            default: edit.deleteSelection(editor.activeDocument()); break;
            }
        } else if (what < 86) {
            expected = d.text(); // Open
            editor.document(1).beginCommand();
            setText(randomText(random, 40));
        } else if (what < 88) {
            expected = d.text(); // Select All, Delete
            edit.selectAll(editor.activeDocument());
            edit.deleteSelection(editor.activeDocument());
        } else if (what < 95) {
            edit.undo(editor.activeDocument());
            if (!expected.isEmpty()) {
                ASSERT_EQ(d.text(), expected) << "step " << step;
            }
        } else if (d.length() > 200) {
            expected = d.text();
            d.select(0, 150);
            edit.deleteSelection(editor.activeDocument()); // keeps texts short, so that every step is quick
        }
        ASSERT_EQ(editor.document(1).undoSnapshot(), expected) << "step " << step;
    }
}

// Thousands of edits that cannot merge pass the bound: the snapshot is then a text of its
// own, still the right one, and later edits leave it alone.
TEST_F(UndoSnapshotTest, ManyScatteredEditsStillUndoToTheSnapshot)
{
    QString text;
    for (int i = 0; i < 3000; ++i)
        text += QStringLiteral("line %1\n").arg(i);
    setText(text);
    editor.document(1).beginCommand();
    for (size_t i = 0; i < UndoSnapshot::MaxChanges + 10; ++i)
        doc(1).applyViewEdit(qsizetype((i * 7919) % size_t(text.size())), 1, QStringLiteral("#"));
    EXPECT_EQ(editor.document(1).undoSnapshot(), text);
    edit.undo(editor.activeDocument());
    EXPECT_EQ(doc(1).text(), text);
}

// After Undo and after Open nothing else holds the document's text, so the next keystroke
// changes it in place instead of copying it whole.
TEST_F(UndoSnapshotTest, TheDocumentsTextIsItsOwnAfterOpenAndUndo)
{
    editor.document(1).beginCommand();
    setText(QStringLiteral("opened"));
    type(QStringLiteral("x"));
    EXPECT_TRUE(doc(1).text().isDetached());
    EXPECT_EQ(editor.document(1).undoSnapshot(), QString());

    editor.document(1).beginCommand();
    doc(1).setSelStart(doc(1).length());
    type(QStringLiteral("yz"));
    edit.undo(editor.activeDocument());
    EXPECT_EQ(doc(1).text(), QStringLiteral("xopened"));
    EXPECT_TRUE(doc(1).text().isDetached());
    type(QStringLiteral("w"));
    EXPECT_EQ(editor.document(1).undoSnapshot(), QStringLiteral("xopened"));
}
