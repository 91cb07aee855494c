#include "FileTestSupport.h"
#include "editor/file/NativePath.h"
#include "editor/file/TextFile.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace korvane;

namespace {

constexpr uid_t Nobody = 65534;
constexpr gid_t Users = 100; // a group the user nobody is not in

class SaveSafetyTest : public FileFixture {
protected:
    QByteArray native(const QString &name) const { return *NativePath::encode(path(name)); }
    struct stat info(const QString &name) const
    {
        struct stat st {};
        EXPECT_EQ(::lstat(native(name).constData(), &st), 0);
        return st;
    }
    QByteArray attribute(const char *key) const
    {
        QByteArray value(256, '\0');
        const ssize_t n = ::getxattr(native(A).constData(), key, value.data(), size_t(value.size()));
        return n < 0 ? QByteArray("<none>") : value.left(n);
    }
    // Runs body in a child process (as the user nobody when asked); its exit status, or
    // 128 + the signal that ended it.
    static int inChild(bool nobody, const std::function<bool()> &body)
    {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(nobody && (::setgroups(0, nullptr) || ::setgid(Nobody) || ::setuid(Nobody)) ? 99 : !body());
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    void saveAs(const QString &name)
    {
        platform.saveAnswers.push_back(path(name)), files.saveAs(editor.activeDocument());
    }

    const QString A = QStringLiteral("a.txt");
};

// An access list giving nobody (65534) read access, in the kernel's xattr form: version 2,
// then tag, permissions and id of user::rw-, user:nobody:r--, group::r--, mask::r--, other::---.
const QByteArray AclForNobody("\2\0\0\0\1\0\6\0\xff\xff\xff\xff\2\0\4\0\xfe\xff\0\0\4\0\4\0\xff\xff\xff\xff"
                              "\x10\0\4\0\xff\xff\xff\xff\x20\0\0\0\xff\xff\xff\xff",
                              44);

TEST_F(SaveSafetyTest, BothWaysOfSavingKeepGroupModeAclAndExtendedAttributes)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file a group it is not in";
    for (const bool secondName : {false, true}) {
        SCOPED_TRACE(secondName ? "in place" : "new file renamed over the old");
        writeFile(A, "old\r\n");
        const QByteArray a = native(A), acl = AclForNobody;
        ASSERT_TRUE(!secondName || ::link(a.constData(), native(QStringLiteral("b")).constData()) == 0);
        ASSERT_EQ(::chown(a.constData(), 0, Users) | ::chmod(a.constData(), 06640), 0);
        ASSERT_EQ(::setxattr(a.constData(), "user.origin", "archive", 7, 0), 0);
        const bool aclSet = ::setxattr(a.constData(), "system.posix_acl_access", acl.data(), size_t(acl.size()), 0) ==
                            0;
        const struct stat before = info(A);
        saveAs(A);
        const struct stat after = info(A);
        EXPECT_EQ(after.st_ino != before.st_ino, !secondName);
        EXPECT_EQ(after.st_gid, Users);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(attribute("user.origin"), QByteArray("archive"));
        EXPECT_EQ(attribute("system.posix_acl_access"), aclSet ? acl : QByteArray("<none>"));
        EXPECT_TRUE(platform.shownMessages.isEmpty());
        QFile::remove(path(A));
        QFile::remove(path(QStringLiteral("b")));
    }
}

// The user may not give a new file that group: the file is written where it stands.
TEST_F(SaveSafetyTest, AGroupTheUserCannotGiveIsKeptByWritingInPlace)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "the test makes the file and its folder another user's";
    writeFile(A, "old\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    ASSERT_EQ(::chown(native(A).constData(), Nobody, Users) | ::chmod(native(A).constData(), 0664), 0);
    EXPECT_EQ(inChild(true, [&] { return TextFile::write(path(A), QStringLiteral("new")).isEmpty(); }), 0);
    EXPECT_EQ(readFile(A), QByteArray("new\r\n"));
    EXPECT_EQ(info(A).st_gid, Users);
}

// Under a file-size limit, with the signal's own disposition, the writer may die, but
// never with the new text half over the old.
TEST_F(SaveSafetyTest, AFileSizeLimitNeverLeavesAHalfWrittenFile)
{
    writeFile(A, "old contents\r\n");
    ASSERT_EQ(::link(native(A).constData(), native(QStringLiteral("b")).constData()), 0);
    EXPECT_NE(inChild(
                  false,
                  [&] {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{8192, RLIM_INFINITY};
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 && TextFile::write(path(A), QString(200000, u'x')).isEmpty();
                  }),
              0);
    EXPECT_EQ(readFile("b"), QByteArray("old contents\r\n"));
}

// 83 three-byte characters make 249 bytes: no room for a temporary name's suffix. The
// temporary's name is shortened, so that even these are replaced by a complete new file.
TEST_F(SaveSafetyTest, NamesUpTo255BytesAreSaved)
{
    for (const int length : {240, 249, 252, 255}) {
        const QString name = QString(length / 3, u'文') + QString(length % 3, u'a');
        writeFile(name, "old\r\n");
        const ino_t before = info(name).st_ino;
        saveAs(name);
        EXPECT_TRUE(platform.shownMessages.isEmpty()) << length;
        EXPECT_NE(info(name).st_ino, before);
        EXPECT_EQ(filesInDir(), QStringList{name});
        QFile::remove(path(name));
    }
}

TEST_F(SaveSafetyTest, PipesSocketsDevicesAndFoldersAreNeverReplaced)
{
    ASSERT_EQ(::mkfifo(native(QStringLiteral("pipe")).constData(), 0600), 0);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{AF_UNIX, {}};
    qstrncpy(address.sun_path, native(QStringLiteral("socket")).constData(), sizeof address.sun_path);
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ASSERT_EQ(::symlink("/dev/null", native(QStringLiteral("device")).constData()), 0);
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    const std::pair<const char *, unsigned> targets[] = {
        {"pipe", S_IFIFO}, {"socket", S_IFSOCK}, {"device", S_IFLNK}, {"folder", S_IFDIR}};
    for (const auto &[name, type] : targets) {
        saveAs(QString::fromLatin1(name));
        ASSERT_EQ(platform.shownMessages.size(), 1) << name;
        EXPECT_TRUE(platform.shownMessages.takeFirst().text.contains(QStringLiteral("不是普通文件")));
        EXPECT_EQ(info(QString::fromLatin1(name)).st_mode & S_IFMT, type);
    }
    struct stat null {};
    EXPECT_TRUE(::stat("/dev/null", &null) == 0 && S_ISCHR(null.st_mode));
    ::close(sock);
}

TEST_F(SaveSafetyTest, SaveAsksBeforeOverwritingChangesMadeFromOutside)
{
    const struct {
        const char *outside; // what another program does after Open
        std::optional<MsgAnswer> answer;
        QByteArray file;
    } cases[] = {
        {"append", MsgAnswer::Yes, "mine\r\n"},
        {"append", MsgAnswer::No, "old\r\nmore\r\n"},
        {"delete", std::nullopt, "mine\r\n"},
        {"nothing", std::nullopt, "mine\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.outside);
        writeFile(A, "old\r\n");
        openFile(A);
        doc(1).setText(QStringLiteral("mine"));
        if (QByteArray(c.outside) == "append")
            writeFile(A, "old\r\nmore\r\n");
        if (QByteArray(c.outside) == "delete")
            QFile::remove(path(A));
        if (c.answer)
            platform.messageAnswers.push_back(*c.answer);
        // The recovery journal lets go of its copy when the document reads unchanged; by
        // then the text must be in the file.
        QByteArray whenSaved = "<still changed>";
        const auto watch = QObject::connect(&doc(1), &TextDocument::captionChanged, [&] { whenSaved = readFile(A); });
        files.save(editor.activeDocument());
        QObject::disconnect(watch);
        ASSERT_EQ(platform.shownMessages.size(), c.answer ? 1 : 0);
        if (c.answer) {
            EXPECT_EQ(platform.shownMessages.takeFirst().text, FileCommands::ChangedOutsideQuestion.arg(A));
        }
        EXPECT_EQ(readFile(A), c.file);
        EXPECT_EQ(whenSaved, c.answer == MsgAnswer::No ? QByteArray("<still changed>") : c.file);
        EXPECT_EQ(editor.document(1).isChanged(), c.answer == MsgAnswer::No);
    }
}

// Names that are not UTF-8 (Latin-1, GBK) open and save exactly their own file, never
// the one whose name Qt would decode them to.
TEST_F(SaveSafetyTest, NamesThatAreNotUtf8AreKeptExactly)
{
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    auto nativeFile = [&](const QByteArray &name, const char *bytes = nullptr) {
        QFile f;
        const int fd = ::open((folder + name).constData(), bytes ? O_WRONLY | O_CREAT : O_RDONLY, 0644);
        EXPECT_TRUE(fd >= 0 && f.open(fd, bytes ? QIODevice::WriteOnly : QIODevice::ReadOnly, QFile::AutoCloseHandle));
        return bytes ? QByteArray::number(f.write(bytes)) : f.readAll();
    };
    const std::pair<QByteArray, QString> cases[] = {{"caf\xe9.txt", QStringLiteral("caf\uFFFD.txt")},
                                                    {"\xd6\xd0\xce\xc4.txt", QStringLiteral("中文.txt")}};
    for (const auto &[name, shown] : cases) {
        nativeFile(name, "mine\r\n");
        writeFile(QString::fromUtf8(name), "other\r\n"); // the name Qt's decoding gives
        ASSERT_TRUE(files.openPath(editor.document(1), NativePath::decode(folder + name)));
        EXPECT_EQ(doc(1).text(), QStringLiteral("mine\r\n"));
        EXPECT_EQ(caption(1), shown);
        files.save(editor.activeDocument());
        EXPECT_EQ(nativeFile(name), QByteArray("mine\r\n\r\n"));
        EXPECT_EQ(readFile(QString::fromUtf8(name)), QByteArray("other\r\n"));
        // The open dialog shows both files by the name Qt decodes: neither is taken for the other.
        openFile(QString::fromUtf8(name));
        EXPECT_TRUE(platform.shownMessages.takeFirst().text.contains(NativePath::ambiguousReason()));
        QFile::remove(path(QString::fromUtf8(name)));
        openFile(QString::fromUtf8(name));
        EXPECT_EQ(editor.document(1).filePath(), NativePath::decode(folder + name));
        ::unlink((folder + name).constData());
    }
    // A name that no bytes decode to is refused, not taken for another.
    const QString lossy = path(A) + QChar(0xD800);
    EXPECT_FALSE(files.openPath(editor.document(1), lossy));
    platform.saveAnswers.push_back(lossy);
    files.saveAs(editor.activeDocument());
    ASSERT_EQ(platform.shownMessages.size(), 2);
    EXPECT_TRUE(platform.shownMessages[1].text.contains(NativePath::unencodableReason()));
    EXPECT_TRUE(filesInDir().isEmpty());
}

} // namespace
