#include "editor/commands/CipherCommands.h"
#include "EditorFixture.h"
#include "editor/commands/EditCommands.h"

using namespace korvane;

namespace {

class CipherCommandsTest : public EditorFixture {
protected:
    CipherCommands commands{platform};
    EditCommands edit{platform};
};

} // namespace

TEST_F(CipherCommandsTest, EachCommandHasItsPromptAndTitleAndUndoRestoresTheText)
{
    struct Case {
        void (CipherCommands::*run)(TextDocument &);
        QString prompt;
        QString title;
        QString before;
        QString after;
    };
    const QList<Case> cases{
        {&CipherCommands::encryptHex, QStringLiteral("请输入加密码"), QStringLiteral("Encrypt"), QStringLiteral("Hi"),
         QStringLiteral("715E")},
        {&CipherCommands::decryptHex, QStringLiteral("请输入解密码"), QStringLiteral("Decrypt"), QStringLiteral("715E"),
         QStringLiteral("Hi")},
        {&CipherCommands::encryptBinary, QStringLiteral("请输入加密码"), QStringLiteral("Encrypt"),
         QStringLiteral("Hi"), QStringLiteral("0111000101011110")},
        {&CipherCommands::decryptBinary, QStringLiteral("请输入解密码"), QStringLiteral("Decrypt"),
         QStringLiteral("0111000101011110"), QStringLiteral("Hi")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.prompt.toStdString() + " " + c.before.toStdString());
        platform.shownInputs.clear();
        doc(1).setText(c.before);
        doc(1).setSelStart(2);
        platform.inputAnswers = {QStringLiteral("ab")};
        (commands.*c.run)(editor.activeDocument());
        ASSERT_EQ(platform.shownInputs.size(), 1);
        EXPECT_EQ(platform.shownInputs[0].prompt, c.prompt);
        EXPECT_EQ(platform.shownInputs[0].title, c.title);
        // The whole text is replaced, the caret goes to its start, and it counts as an edit.
        EXPECT_EQ(doc(1).text(), c.after);
        EXPECT_EQ(doc(1).selStart(), 0);
        EXPECT_TRUE(editor.document(1).isChanged());
        EXPECT_EQ(caption(1), QStringLiteral("*文档 1"));
        EXPECT_EQ(editor.document(1).undoSnapshot(), c.before);
        edit.undo(editor.activeDocument());
        EXPECT_EQ(doc(1).text(), c.before);
    }
}

TEST_F(CipherCommandsTest, CancelOrAnEmptyCodeChangesNothingButStillTakesTheSnapshot)
{
    for (void (CipherCommands::*run)(TextDocument &) :
         {&CipherCommands::encryptHex, &CipherCommands::decryptHex, &CipherCommands::encryptBinary,
          &CipherCommands::decryptBinary}) {
        setText(QStringLiteral("older text"));
        editor.document(1).beginCommand();
        setText(QStringLiteral("715E"));
        platform.inputAnswers = {QString()}; // Cancel and an empty entry both answer empty
        (commands.*run)(editor.activeDocument());
        EXPECT_EQ(doc(1).text(), QStringLiteral("715E"));
        EXPECT_FALSE(editor.document(1).isChanged());
        EXPECT_EQ(editor.document(1).undoSnapshot(), QStringLiteral("715E"));
        edit.undo(editor.activeDocument());
        EXPECT_EQ(doc(1).text(), QStringLiteral("715E"));
    }
    EXPECT_EQ(platform.shownInputs.size(), 4);
}

TEST_F(CipherCommandsTest, LineBreaksAndLongTextsRoundTripThroughTheCommands)
{
    QString text;
    for (int i = 0; i < 9000; ++i)
        text += QStringLiteral("line %1\r\n").arg(i); // far beyond 32767 characters
    doc(1).setText(text);
    platform.inputAnswers = {QStringLiteral("密码x"), QStringLiteral("密码x")};
    commands.encryptBinary(editor.activeDocument());
    EXPECT_EQ(doc(1).text().size(), text.size() * 8);
    EXPECT_FALSE(doc(1).text().contains(QLatin1Char('\n')));
    commands.decryptBinary(editor.activeDocument());
    EXPECT_EQ(doc(1).text(), text);
}

TEST_F(CipherCommandsTest, WithNoDocumentOpenANewOneIsCreated)
{
    ASSERT_TRUE(host.closeWindow(1));
    platform.inputAnswers = {QStringLiteral("ab")};
    commands.encryptHex(editor.activeDocument());
    EXPECT_TRUE(editor.isOpen(1));
    EXPECT_EQ(doc(1).text(), QString());
}
