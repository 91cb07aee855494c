#include "FileTestSupport.h"
#include "editor/file/TextFile.h"

#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace korvane;

namespace {

constexpr uid_t Nobody = 65534;

// Saving over files that must stay the files they are, and in folders that take no new files.
class InPlaceSaveTest : public FileFixture {
protected:
    QByteArray native(const char *name) { return QFile::encodeName(path(QString::fromLatin1(name))); }
    struct stat info(const char *name)
    {
        struct stat st {};
        EXPECT_EQ(::stat(native(name).constData(), &st), 0) << name;
        return st;
    }
    void saveNewText(const QString &text)
    {
        openFile(QStringLiteral("a.txt"));
        doc(1).setText(text);
        files.save(editor.activeDocument());
    }
};

// Same inode: the other names see the new text, and owner and mode stay as they were.
TEST_F(InPlaceSaveTest, AFileWithASecondNameOrAnotherOwnerStaysTheSameFile)
{
    for (const bool secondName : {true, false}) {
        SCOPED_TRACE(secondName ? "second name" : "another owner");
        if (!secondName && ::geteuid() != 0)
            GTEST_SKIP() << "only root can give a file to another user";
        writeFile("a.txt", "old text that is longer\r\n");
        ASSERT_EQ(secondName ? ::link(native("a.txt").constData(), native("b.txt").constData())
                             : ::chown(native("a.txt").constData(), Nobody, Nobody),
                  0);
        ASSERT_EQ(::chmod(native("a.txt").constData(), 0640), 0);
        const struct stat before = info("a.txt");
        saveNewText(QStringLiteral("new"));
        const struct stat after = info("a.txt");
        EXPECT_EQ(readFile(secondName ? "b.txt" : "a.txt"), QByteArray("new\r\n"));
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_nlink, before.st_nlink);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_TRUE(platform.shownMessages.isEmpty());
        QFile::remove(path(QStringLiteral("a.txt")));
        QFile::remove(path(QStringLiteral("b.txt")));
    }
}

// Root may create files anywhere, so the save runs with an ordinary user's file rights.
TEST_F(InPlaceSaveTest, AWritableFileInALockedFolderIsSavedInPlace)
{
    writeFile("a.txt", "old\r\n");
    ASSERT_EQ(::chmod(native("a.txt").constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
    const bool root = ::geteuid() == 0;
    if (root)
        ::setfsuid(Nobody);
    QFile probe(path(QStringLiteral("probe")));
    const bool locked = !probe.open(QIODevice::WriteOnly);
    if (locked)
        saveNewText(QStringLiteral("new"));
    if (root)
        ::setfsuid(0);
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    if (!locked)
        GTEST_SKIP() << "the folder could not be locked against this test's own user";
    EXPECT_TRUE(platform.shownMessages.isEmpty()) << platform.shownMessages.value(0).text.toStdString();
    EXPECT_EQ(readFile("a.txt"), QByteArray("new\r\n"));
    EXPECT_FALSE(editor.document(1).isChanged());
}

TEST_F(InPlaceSaveTest, AWriteInPlaceThatFailsPutsTheOldTextBack)
{
    writeFile("a.txt", "old contents\r\n");
    ASSERT_EQ(::link(native("a.txt").constData(), native("b.txt").constData()), 0);
    {
        const FileSizeLimit limit;
        ASSERT_TRUE(limit.applied);
        saveNewText(QString(200000, u'中'));
    }

    ASSERT_EQ(platform.shownMessages.size(), 1);
    EXPECT_TRUE(platform.shownMessages[0].text.contains(TextFile::reasonFor(EFBIG)));
    EXPECT_EQ(readFile("b.txt"), QByteArray("old contents\r\n"));
    EXPECT_TRUE(editor.document(1).isChanged());
}

} // namespace
