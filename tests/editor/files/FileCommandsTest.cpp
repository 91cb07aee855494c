#include "FileTestSupport.h"
#include "editor/commands/EditCommands.h"
#include "editor/file/ByteStandIn.h"

#include <gtest/gtest.h>

using namespace korvane;

namespace {

using OpenTest = FileFixture;
using SaveTest = FileFixture;

TEST_F(OpenTest, EveryLineEndsWithCrLfAndTheCaptionBecomesTheFileTitle)
{
    writeFile("abc.txt", "a\r\nb\r\nc");
    openFile("abc.txt");
    EXPECT_EQ(doc(1).text(), QStringLiteral("a\r\nb\r\nc\r\n"));
    EXPECT_EQ(caption(1), QStringLiteral("abc.txt"));
    EXPECT_EQ(editor.document(1).fileTitle(), QStringLiteral("abc.txt"));
    EXPECT_EQ(editor.document(1).filePath(), path("abc.txt"));
    EXPECT_FALSE(editor.document(1).isChanged());
    EXPECT_EQ(platform.openFilters, QStringList{FileCommands::TextFilter});
    EXPECT_EQ(host.open, QList<int>{1}); // loaded in place, no new window
}

TEST_F(OpenTest, LoneCrEndsALineAndLoneLfStaysInside)
{
    writeFile("mixed.txt", "one\rtwo\nstill two\r\nthree\r");
    openFile("mixed.txt");
    EXPECT_EQ(doc(1).text(), QStringLiteral("one\r\ntwo\nstill two\r\nthree\r\n"));

    writeFile("empty.txt", "");
    openFile("empty.txt");
    EXPECT_EQ(doc(1).text(), QString());
    EXPECT_EQ(caption(1), QStringLiteral("empty.txt"));

    writeFile("lf.txt", "x\n");
    openFile("lf.txt");
    EXPECT_EQ(doc(1).text(), QStringLiteral("x\n\r\n"));
}

TEST_F(OpenTest, OpeningIntoAChangedDocumentCanBeUndoneAndLaterEditsMarkIt)
{
    doc(1).setSelText(QStringLiteral("draft"));
    ASSERT_EQ(caption(1), QStringLiteral("*文档 1"));
    writeFile("notes.txt", "saved\r\n");
    openFile("notes.txt");
    EXPECT_EQ(doc(1).text(), QStringLiteral("saved\r\n"));
    EXPECT_EQ(caption(1), QStringLiteral("notes.txt"));
    EXPECT_FALSE(editor.document(1).isChanged());
    EXPECT_EQ(editor.document(1).undoSnapshot(), QStringLiteral("draft"));

    doc(1).setSelText(QStringLiteral("x"));
    EXPECT_EQ(caption(1), QStringLiteral("*notes.txt"));
}

TEST_F(OpenTest, UndoBringsBackTheReplacedTextUnderTheFilesCaption)
{
    doc(1).setSelText(QStringLiteral("before"));
    writeFile("loaded.txt", "loaded");
    openFile("loaded.txt");
    EditCommands(platform).undo(editor.activeDocument());
    EXPECT_EQ(doc(1).text(), QStringLiteral("before"));
    EXPECT_EQ(caption(1), QStringLiteral("*loaded.txt"));
    EXPECT_EQ(editor.document(1).filePath(), path("loaded.txt"));
}

TEST_F(OpenTest, OpeningTheSameTextAgainLeavesTheNextEditCounted)
{
    writeFile("same.txt", "same\r\n");
    openFile("same.txt");
    openFile("same.txt");
    doc(1).setSelText(QStringLiteral("y"));
    EXPECT_TRUE(editor.document(1).isChanged());
}

TEST_F(OpenTest, CancelledDialogLeavesTheDocumentButTakesTheSnapshot)
{
    doc(1).setSelText(QStringLiteral("keep"));
    ASSERT_TRUE(editor.document(1).undoSnapshot().isEmpty());
    files.open(editor.activeDocument());
    EXPECT_EQ(doc(1).text(), QStringLiteral("keep"));
    EXPECT_EQ(caption(1), QStringLiteral("*文档 1"));
    EXPECT_TRUE(editor.document(1).isChanged());
    EXPECT_EQ(editor.document(1).undoSnapshot(), QStringLiteral("keep"));
    EXPECT_TRUE(platform.shownMessages.isEmpty());
}

TEST_F(OpenTest, WithNoDocumentOpenItOpensIntoAFreshOne)
{
    editor.closeAll();
    writeFile("a.txt", "a");
    openFile("a.txt");
    ASSERT_EQ(host.open, QList<int>{1});
    EXPECT_EQ(doc(1).text(), QStringLiteral("a\r\n"));
}

TEST_F(SaveTest, SaveThenOpenGrowsByOneCrLfEachCycle)
{
    doc(1).setSelText(QStringLiteral("x"));
    platform.saveAnswers.push_back(path("cycle.txt"));
    files.save(editor.activeDocument());
    EXPECT_EQ(readFile("cycle.txt"), QByteArray("x\r\n"));
    openFile("cycle.txt");
    EXPECT_EQ(doc(1).text(), QStringLiteral("x\r\n"));
    files.save(editor.activeDocument());
    openFile("cycle.txt");
    EXPECT_EQ(doc(1).text(), QStringLiteral("x\r\n\r\n"));
    files.save(editor.activeDocument());
    EXPECT_EQ(readFile("cycle.txt"), QByteArray("x\r\n\r\n\r\n"));
}

TEST_F(SaveTest, SaveAsksForANameOnlyOnce)
{
    doc(1).setSelText(QStringLiteral("v1"));
    platform.saveAnswers.push_back(path("doc.txt"));
    files.save(editor.activeDocument());
    EXPECT_EQ(platform.saveFilters, QStringList{FileCommands::TextFilter});
    EXPECT_EQ(caption(1), QStringLiteral("doc.txt"));
    EXPECT_FALSE(editor.document(1).isChanged());

    doc(1).setSelText(QStringLiteral(" v2"));
    EXPECT_EQ(caption(1), QStringLiteral("*doc.txt"));
    files.save(editor.activeDocument());
    EXPECT_EQ(platform.saveFilters.size(), 1);
    EXPECT_EQ(caption(1), QStringLiteral("doc.txt"));
    EXPECT_EQ(readFile("doc.txt"), QByteArray("v1 v2\r\n"));
}

TEST_F(SaveTest, SaveNeverWritesIntoAnotherDocumentsFile)
{
    doc(1).setSelText(QStringLiteral("one"));
    platform.saveAnswers.push_back(path("one.txt"));
    files.saveAs(editor.activeDocument());
    editor.newDocument();
    doc(2).setSelText(QStringLiteral("two"));
    platform.saveAnswers.push_back(path("two.txt"));
    files.save(editor.activeDocument());
    host.activateWindow(1);
    doc(1).setSelText(QStringLiteral("!"));
    files.save(editor.activeDocument()); // the last dialog chose two.txt; document 1 still has its own file
    EXPECT_EQ(readFile("one.txt"), QByteArray("one!\r\n"));
    EXPECT_EQ(readFile("two.txt"), QByteArray("two\r\n"));
}

// A new user's Ctrl+N, typing, Ctrl+S and Enter: the dialog must not offer the file
// that was chosen last for some other document.
TEST_F(SaveTest, SaveDialogOffersOnlyTheDocumentsOwnFile)
{
    writeFile("other.txt", "keep\r\n");
    openFile("other.txt");
    EXPECT_EQ(platform.openStarts, QStringList{QString()});
    editor.newDocument();
    doc(2).setSelText(QStringLiteral("new"));
    files.save(editor.activeDocument());                 // cancelled
    EXPECT_EQ(platform.saveStarts.value(0), dir.path()); // the last folder, no name

    host.activateWindow(1);
    files.saveAs(editor.activeDocument());
    EXPECT_EQ(platform.saveStarts.value(1), path("other.txt"));
    openFile("other.txt"); // Open still offers the last name chosen
    EXPECT_EQ(platform.openStarts.value(1), path("other.txt"));
    EXPECT_EQ(readFile("other.txt"), QByteArray("keep\r\n"));
}

TEST_F(SaveTest, SaveAsReplacesWithoutAskingAndKeepsTheNameAsTyped)
{
    writeFile("old", "old contents that are longer\r\n");
    doc(1).setSelText(QStringLiteral("new"));
    platform.saveAnswers.push_back(path("old"));
    files.saveAs(editor.activeDocument());
    EXPECT_EQ(readFile("old"), QByteArray("new\r\n"));
    EXPECT_EQ(caption(1), QStringLiteral("old"));
    EXPECT_EQ(editor.document(1).filePath(), path("old"));
    EXPECT_TRUE(platform.shownMessages.isEmpty());
    EXPECT_EQ(filesInDir(), QStringList{QStringLiteral("old")}); // no temporary left behind
}

TEST_F(SaveTest, CancelledSaveDialogWritesNothing)
{
    doc(1).setSelText(QStringLiteral("text"));
    files.save(editor.activeDocument());
    files.saveAs(editor.activeDocument());
    EXPECT_EQ(platform.saveFilters.size(), 2);
    EXPECT_TRUE(filesInDir().isEmpty());
    EXPECT_EQ(caption(1), QStringLiteral("*文档 1"));
    EXPECT_TRUE(editor.document(1).isChanged());
}

TEST_F(SaveTest, ChineseIsWrittenAsGbkAndOtherCharactersSurvive)
{
    const QString text = QStringLiteral("中文\r\n") + QString::fromUcs4(U"한글 \U0001F600 €");
    doc(1).setText(text);
    platform.saveAnswers.push_back(path("zh.txt"));
    files.saveAs(editor.activeDocument());
    const QByteArray written = readFile("zh.txt");
    EXPECT_TRUE(written.startsWith(QByteArray("\xD6\xD0\xCE\xC4\r\n")));
    EXPECT_FALSE(written.contains('?'));
    openFile("zh.txt");
    EXPECT_EQ(doc(1).text(), text + QStringLiteral("\r\n"));
}

TEST_F(SaveTest, AFileThatIsNotGb18030KeepsEveryByteAndGetsTheAddedLineEnd)
{
    static const char raw[] = "\x00\x80\xFF\xD6 UTF-8: \xC3\xA9\xE2\x9C\x93 \x81\x30\x81\r\n\x00\x01\x02\xFE";
    QByteArray binary(raw, sizeof raw - 1);
    binary += "\r\n";
    writeFile("bin.dat", binary);
    openFile("bin.dat");
    EXPECT_TRUE(doc(1).text().contains(byteStandIn(0x80)));
    EXPECT_TRUE(doc(1).text().contains(QChar(0)));
    files.save(editor.activeDocument());
    EXPECT_EQ(readFile("bin.dat"), binary + "\r\n"); // the line end every save adds
}

} // namespace
