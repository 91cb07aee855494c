#include "FileTestSupport.h"
#include "editor/file/AnsiCodec.h"
#include "editor/file/TextFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace korvane;

namespace {

class FileFailureTest : public FileFixture {
protected:
    // The state a failed command must leave alone.
    struct DocState {
        QString text, caption, title, path;
        bool changed;
        bool operator==(const DocState &) const = default;
    };
    DocState state(int n)
    {
        return {doc(n).text(), caption(n), editor.document(n).fileTitle(), editor.document(n).filePath(),
                editor.document(n).isChanged()};
    }

    void expectMessage(const QString &start, const QString &file, const QString &reason)
    {
        ASSERT_EQ(platform.shownMessages.size(), 1);
        const QString text = platform.shownMessages.last().text;
        EXPECT_TRUE(text.startsWith(start)) << text.toStdString();
        EXPECT_TRUE(text.contains(file)) << text.toStdString();
        EXPECT_TRUE(text.contains(reason)) << text.toStdString();
        platform.shownMessages.clear();
    }
};

TEST_F(FileFailureTest, FailedSaveAsKeepsTheDocumentChangedAndSaysWhy)
{
    doc(1).setSelText(QStringLiteral("precious"));
    const DocState before = state(1);
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    writeFile("plain", "x");
    const struct {
        const char *target;
        QString reason;
    } cases[] = {
        {"no-such-folder/a.txt", TextFile::reasonFor(ENOENT)},
        {"folder", QStringLiteral("文件夹")},
        {"plain/a.txt", TextFile::reasonFor(ENOTDIR)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.target);
        const QString target = path(QString::fromLatin1(c.target));
        platform.saveAnswers.push_back(target);
        files.saveAs(editor.activeDocument());
        expectMessage(QStringLiteral("无法保存文件"), target, c.reason);
        EXPECT_EQ(state(1), before);
    }
}

TEST_F(FileFailureTest, FailedSaveToTheDocumentsOwnFileKeepsTheStar)
{
    QDir(dir.path()).mkdir(QStringLiteral("sub"));
    platform.saveAnswers.push_back(path("sub/a.txt"));
    files.saveAs(editor.activeDocument());
    doc(1).setSelText(QStringLiteral("edit"));
    QDir(path("sub")).removeRecursively();
    const DocState before = state(1);
    files.save(editor.activeDocument());
    expectMessage(QStringLiteral("无法保存文件"), path("sub/a.txt"), TextFile::reasonFor(ENOENT));
    EXPECT_EQ(state(1), before);
    EXPECT_EQ(caption(1), QStringLiteral("*a.txt"));
}

TEST_F(FileFailureTest, AWriteThatFailsHalfWayLeavesTheOldFileIntact)
{
    writeFile("keep.txt", "old contents\r\n");
    openFile("keep.txt");
    doc(1).setText(QString(200000, u'中'));

    {
        const FileSizeLimit limit;
        ASSERT_TRUE(limit.applied);
        files.save(editor.activeDocument());
    }

    expectMessage(QStringLiteral("无法保存文件"), path("keep.txt"), TextFile::reasonFor(EFBIG));
    EXPECT_EQ(readFile("keep.txt"), QByteArray("old contents\r\n"));
    EXPECT_EQ(filesInDir(), QStringList{QStringLiteral("keep.txt")}); // the temporary is gone
    EXPECT_TRUE(editor.document(1).isChanged());
}

// A Qt built without the GB18030 converter: Open and Save say why they cannot work,
// and neither the document nor the file loses anything.
TEST_F(FileFailureTest, MissingConverterStopsOpenAndSaveWithAReason)
{
    const QByteArray chinese("\xD6\xD0\xCE\xC4\r\n");
    writeFile("keep.txt", chinese);
    openFile("keep.txt");
    doc(1).setSelText(QStringLiteral("改"));
    const DocState before = state(1);

    AnsiCodec::useConverter("no-such-converter");
    const bool available = AnsiCodec::available();
    files.save(editor.activeDocument());
    const auto saveMessages = platform.shownMessages;
    platform.shownMessages.clear();
    openFile("keep.txt");
    AnsiCodec::useConverter(AnsiCodec::ConverterName);

    EXPECT_FALSE(available);
    ASSERT_EQ(saveMessages.size(), 1);
    EXPECT_TRUE(saveMessages[0].text.startsWith(QStringLiteral("无法保存文件")));
    EXPECT_TRUE(saveMessages[0].text.contains(TextFile::noConverterReason()));
    expectMessage(QStringLiteral("无法打开文件"), path("keep.txt"), TextFile::noConverterReason());
    EXPECT_EQ(state(1), before);
    EXPECT_EQ(readFile("keep.txt"), chinese);
    EXPECT_TRUE(AnsiCodec::available());
}

TEST_F(FileFailureTest, OpenFailuresNeverChangeTheDocument)
{
    doc(1).setSelText(QStringLiteral("mine"));
    const DocState before = state(1);

    QDir(dir.path()).mkdir(QStringLiteral("folder.txt"));
    // A pipe would block the read for ever.
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    {
        QFile huge(path("huge.txt"));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(qint64(256) * 1024 * 1024 + 1)); // sparse: takes no disk space
    }
    platform.memoryAvailable = qint64(100) * 1024 * 1024; // less than its text would take
    const struct {
        const char *name;
        QString reason;
    } cases[] = {
        {"vanished.txt", TextFile::reasonFor(ENOENT)},
        {"folder.txt", TextFile::reasonFor(EISDIR)},
        {"pipe", QStringLiteral("普通文件")},
        {"huge.txt", QStringLiteral("文件太大")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        openFile(QString::fromLatin1(c.name));
        expectMessage(QStringLiteral("无法打开文件"), path(QString::fromLatin1(c.name)), c.reason);
        EXPECT_EQ(state(1), before);
    }
}

} // namespace
