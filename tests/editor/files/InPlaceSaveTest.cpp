#include "FileTestSupport.h"
#include "editor/TextFile.h"

#include <gtest/gtest.h>
#include <csignal>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace korvane;

namespace {

constexpr uid_t Nobody = 65534;

// Saving over files that must stay the files they are, and in folders that take no new files.
class InPlaceSaveTest : public FileFixture {
protected:
    struct stat info(const char *name)
    {
        struct stat st {};
        EXPECT_EQ(::stat(QFile::encodeName(path(QString::fromLatin1(name))).constData(), &st), 0) << name;
        return st;
    }
    QByteArray native(const char *name) { return QFile::encodeName(path(QString::fromLatin1(name))); }
    // Opens the file into 文档 1, gives it a new text and saves it.
    void saveNewText(const char *name, const QString &text)
    {
        openFile(QString::fromLatin1(name));
        doc(1).setText(text);
        files.save();
    }
};

TEST_F(InPlaceSaveTest, AFileWithTwoNamesKeepsBothAndItsIdentity)
{
    writeFile("a.txt", "old\r\n");
    ASSERT_EQ(::link(native("a.txt").constData(), native("b.txt").constData()), 0);
    const ino_t inode = info("a.txt").st_ino;
    saveNewText("a.txt", QStringLiteral("new"));
    EXPECT_TRUE(platform.shownMessages.isEmpty());
    EXPECT_EQ(readFile("a.txt"), QByteArray("new\r\n"));
    EXPECT_EQ(readFile("b.txt"), QByteArray("new\r\n"));
    EXPECT_EQ(info("a.txt").st_ino, inode);
    EXPECT_EQ(info("a.txt").st_nlink, 2u);
    EXPECT_EQ(filesInDir(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
}

TEST_F(InPlaceSaveTest, AnotherUsersFileKeepsItsOwnerAndPermissions)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    writeFile("theirs.txt", "old text that is longer\r\n");
    ASSERT_EQ(::chown(native("theirs.txt").constData(), Nobody, Nobody), 0);
    ASSERT_EQ(::chmod(native("theirs.txt").constData(), 0640), 0);
    const ino_t inode = info("theirs.txt").st_ino;
    saveNewText("theirs.txt", QStringLiteral("new"));
    EXPECT_TRUE(platform.shownMessages.isEmpty());
    EXPECT_EQ(readFile("theirs.txt"), QByteArray("new\r\n"));
    const struct stat after = info("theirs.txt");
    EXPECT_EQ(after.st_uid, Nobody);
    EXPECT_EQ(after.st_gid, Nobody);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_ino, inode);
}

// A folder that takes no new files holds a file anyone may write. Root may create files
// anywhere, so the save runs with an ordinary user's file rights.
TEST_F(InPlaceSaveTest, AWritableFileInALockedFolderIsSavedInPlace)
{
    writeFile("open.txt", "old\r\n");
    openFile(QStringLiteral("open.txt"));
    doc(1).setText(QStringLiteral("new"));
    ASSERT_EQ(::chmod(native("open.txt").constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
    const bool root = ::geteuid() == 0;
    if (root)
        ::setfsuid(Nobody);
    QFile probe(path(QStringLiteral("probe")));
    const bool locked = !probe.open(QIODevice::WriteOnly);
    if (locked)
        files.save();
    if (root)
        ::setfsuid(0);
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    if (!locked)
        GTEST_SKIP() << "the folder could not be locked against this test's own user";
    EXPECT_TRUE(platform.shownMessages.isEmpty()) << platform.shownMessages.value(0).text.toStdString();
    EXPECT_EQ(readFile("open.txt"), QByteArray("new\r\n"));
    EXPECT_FALSE(editor.slot(1).changed);
}

TEST_F(InPlaceSaveTest, AWriteInPlaceThatFailsPutsTheOldTextBack)
{
    writeFile("a.txt", "old contents\r\n");
    ASSERT_EQ(::link(native("a.txt").constData(), native("b.txt").constData()), 0);
    openFile(QStringLiteral("a.txt"));
    doc(1).setText(QString(200000, u'中'));

    // A file size limit makes the write fail after the first few kilobytes.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = 8192;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    files.save();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_EQ(platform.shownMessages.size(), 1);
    EXPECT_TRUE(platform.shownMessages[0].text.contains(TextFile::reasonFor(EFBIG)));
    EXPECT_EQ(readFile("a.txt"), QByteArray("old contents\r\n"));
    EXPECT_EQ(readFile("b.txt"), QByteArray("old contents\r\n"));
    EXPECT_TRUE(editor.slot(1).changed);
}

} // namespace
