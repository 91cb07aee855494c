#include "RecoveryTestSupport.h"

#include "editor/file/ByteStandIn.h"
#include "editor/file/TextEncoding.h"
#include "editor/recovery/AbandonedRuns.h"
#include "editor/recovery/RecoveryStartup.h"

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace korvane;

namespace {

using Lock = RecoveryFixture::Lock;

// Which folders of earlier runs are offered, by how their lock was left.
struct Leftover {
    const char *name;
    Lock lock;
    int records;
    bool offered;
    bool folderStays; // after 否
};

class RecoveryLockTest : public RecoveryFixture, public ::testing::WithParamInterface<Leftover> {};

TEST_P(RecoveryLockTest, OnlyRunsThatNoRunningProgramHoldsAreOffered)
{
    QList<RecoveryRecord> records;
    for (int i = 1; i <= GetParam().records; ++i)
        records << sample(i, QStringLiteral("text %1").arg(i));
    const QString folder = makeRun(GetParam().lock, records);

    platform.messageAnswers.push_back(MsgAnswer::No);
    RecoveryStartup(editor, *journal).offer();
    ASSERT_EQ(platform.shownMessages.size(), GetParam().offered ? 1 : 0);
    if (GetParam().offered) {
        EXPECT_EQ(platform.shownMessages[0].text, RecoveryStartup::question(GetParam().records));
        EXPECT_EQ(platform.shownMessages[0].buttons, MsgButtons::YesNo);
    }
    EXPECT_EQ(QDir(folder).exists(), GetParam().folderStays);
}

INSTANTIATE_TEST_SUITE_P(Locks, RecoveryLockTest,
                         ::testing::Values(Leftover{"LiveLockIsLeftAlone", Lock::Live, 2, false, true},
                                           Leftover{"StaleLockAfterAKill", Lock::Stale, 2, true, false},
                                           Leftover{"NoLockAfterAnEndWithoutPrompts", Lock::None, 1, true, false},
                                           Leftover{"StaleLockWithoutRecordsGoesQuietly", Lock::Stale, 0, false,
                                                    false}),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

using RecoveryStartupTest = RecoveryFixture;

TEST_F(RecoveryStartupTest, YesBringsEachDocumentBackChangedAndProtected)
{
    const QString tricky = QStringLiteral("甲") + QChar(0xD800) + byteStandIn(0x81) + QStringLiteral("\r\n乙") +
                           QChar(0xDFFF);
    RecoveryRecord withFile = sample(3, tricky, QStringLiteral("/data/笔记.txt"));
    withFile.font = TextFont{QStringLiteral("宋体"), 16, true, false, false, false, Qt::red};
    withFile.encoding = QStringLiteral("UTF-8 BOM");
    const QString earlier = makeRun(Lock::Stale, {sample(5, QString()), withFile});

    platform.messageAnswers.push_back(MsgAnswer::Yes);
    EXPECT_EQ(RecoveryStartup(editor, *journal).offer(), 2);
    ASSERT_EQ(editor.openCount(), 2);
    // In slot order, the first into the empty "文档 1".
    EXPECT_EQ(doc(1).text(), tricky);
    EXPECT_EQ(caption(1), QStringLiteral("*笔记.txt"));
    EXPECT_EQ(editor.document(1).fileTitle(), QStringLiteral("笔记.txt"));
    EXPECT_EQ(editor.document(1).filePath(), QStringLiteral("/data/笔记.txt"));
    EXPECT_EQ(doc(1).font(), withFile.font);
    EXPECT_EQ(editor.document(1).encoding(), TextEncoding::Utf8WithBom); // saved again as its file was
    EXPECT_EQ(editor.document(2).encoding(), TextEncoding::Gb18030);
    EXPECT_EQ(doc(2).text(), QString());
    EXPECT_EQ(caption(2), QStringLiteral("*文档 2"));
    EXPECT_TRUE(editor.document(1).isChanged() && editor.document(2).isChanged());
    // The records now belong to this run.
    EXPECT_FALSE(QDir(earlier).exists());
    EXPECT_EQ(recordText(1), tricky);
    EXPECT_EQ(RecoveryFile::read(QDir(journal->runFolder()).filePath(QStringLiteral("slot-1.krec")))->encoding,
              QStringLiteral("UTF-8 BOM"));
    EXPECT_EQ(runFolderFiles(),
              (QStringList{RecoveryRunFolder::LockName, QStringLiteral("slot-1.krec"), QStringLiteral("slot-2.krec")}));
    // Edits go on into them.
    doc(1).setSelText(QStringLiteral("续"));
    wait(2000);
    EXPECT_EQ(recordText(1), QStringLiteral("续") + tricky);

    // The close prompt protects them again.
    platform.messageAnswers.push_back(MsgAnswer::Cancel);
    editor.closeActive();
    EXPECT_EQ(platform.shownMessages.last().text, FileCommands::SavePrompt);
    EXPECT_EQ(editor.openCount(), 2);
}

TEST_F(RecoveryStartupTest, ADocumentOneWithTextIsNotReused)
{
    doc(1).setSelText(QStringLiteral("typed before"));
    makeRun(Lock::None, {sample(1, QStringLiteral("back"))});
    platform.messageAnswers.push_back(MsgAnswer::Yes);
    RecoveryStartup(editor, *journal).offer();
    EXPECT_EQ(doc(1).text(), QStringLiteral("typed before"));
    EXPECT_EQ(doc(2).text(), QStringLiteral("back"));
}

TEST_F(RecoveryStartupTest, NoPutsTheFilesAsideAndKeepsTheNewestTwenty)
{
    const QDir discarded(root + QLatin1Char('/') + AbandonedRuns::DiscardedFolder);
    discarded.mkpath(QStringLiteral("."));
    for (int i = 0; i < 25; ++i) {
        QFile f(discarded.filePath(QStringLiteral("old-%1.krec").arg(i)));
        f.open(QIODevice::WriteOnly);
        f.setFileTime(QDateTime::currentDateTime().addDays(-30).addSecs(i), QFileDevice::FileModificationTime);
    }
    const QString earlier = makeRun(Lock::Stale, {sample(1, QStringLiteral("a")), sample(2, QStringLiteral("b"))});
    QFile(earlier + QStringLiteral("/slot-9.krec")).open(QIODevice::WriteOnly); // not a whole record: never offered

    platform.messageAnswers.push_back(MsgAnswer::No);
    EXPECT_EQ(RecoveryStartup(editor, *journal).offer(), 0);
    EXPECT_EQ(platform.shownMessages[0].text, RecoveryStartup::question(2));
    EXPECT_EQ(editor.openCount(), 1);
    EXPECT_FALSE(editor.document(1).isChanged());
    EXPECT_FALSE(QDir(earlier).exists());
    const QStringList kept = discarded.entryList(QDir::Files);
    EXPECT_EQ(kept.size(), AbandonedRuns::KeptDiscarded);
    for (const char *name :
         {"run-earlier-slot-1.krec", "run-earlier-slot-2.krec", "run-earlier-slot-9.krec", "old-8.krec"})
        EXPECT_TRUE(kept.contains(QString::fromLatin1(name))) << name;
    EXPECT_FALSE(kept.contains(QStringLiteral("old-7.krec"))); // the oldest go
    EXPECT_EQ(RecoveryFile::read(discarded.filePath(QStringLiteral("run-earlier-slot-2.krec")))->text,
              QStringLiteral("b"));

    RecoveryStartup(editor, *journal).offer(); // nothing is offered a second time
    EXPECT_EQ(platform.shownMessages.size(), 1);
}

TEST_F(RecoveryStartupTest, DocumentsBeyondTheLimitWaitForTheNextStart)
{
    for (int i = 2; i <= 29; ++i)
        editor.newDocument();
    makeRun(Lock::Stale,
            {sample(1, QStringLiteral("a")), sample(2, QStringLiteral("b")), sample(3, QStringLiteral("c"))});
    platform.messageAnswers.push_back(MsgAnswer::Yes);
    EXPECT_EQ(RecoveryStartup(editor, *journal).offer(), 1);
    EXPECT_EQ(doc(30).text(), QStringLiteral("a"));
    EXPECT_EQ(platform.shownMessages.last().text, Editor::LimitMessage);

    AbandonedRuns next(root, journal->runFolder());
    ASSERT_EQ(next.records().size(), 2);
    EXPECT_EQ(next.records()[1].header.slot, 3);
}

// Things in the recovery folder that are not what a run leaves: neither offered, nor
// followed, nor deleted, nor waited on.
enum class Planted { LinkToAFolder, LinkToARecord, Fifo, FifoAsLock };
const char *const PlantedNames[] = {"LinkToAFolder", "LinkToARecord", "Fifo", "FifoAsLock"};

class RecoveryPlantedTest : public RecoveryFixture, public ::testing::WithParamInterface<Planted> {};

TEST_P(RecoveryPlantedTest, IsSkippedAndNothingIsDeleted)
{
    const QString victim = state.filePath(QStringLiteral("victim")); // somebody's folder, looking like a run
    QDir().mkpath(victim);
    RecoveryFile::writeAtomically(victim + QStringLiteral("/slot-1.krec"),
                                  RecoveryFile::encode(sample(1, QStringLiteral("theirs"))));
    const bool folder = GetParam() == Planted::LinkToAFolder, lock = GetParam() == Planted::FifoAsLock;
    QDir().mkpath(root);
    const QString planted = folder ? root + QStringLiteral("/run-evil")
                            : lock ? makeRun(Lock::None, {sample(1, QStringLiteral("x"))}) + QStringLiteral("/lock")
                                   : makeRun(Lock::None, {}) + QStringLiteral("/slot-2.krec");
    const bool fifo = GetParam() == Planted::Fifo || lock;
    if (fifo)
        ASSERT_EQ(::mkfifo(QFile::encodeName(planted).constData(), 0600), 0);
    else
        ASSERT_TRUE(QFile::link(folder ? victim : victim + QStringLiteral("/slot-1.krec"), planted));

    // A start that waits on the FIFO is freed after five seconds, and fails instead of hanging.
    std::atomic<bool> done{false}, freed{false};
    std::thread guard([&, name = QFile::encodeName(planted)] {
        for (int tick = 0; fifo && !done && !freed; ++tick) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            const int fd = tick > 500 ? ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC) : -1;
            freed = fd >= 0 && ::close(fd) == 0;
        }
    });
    platform.messageAnswers.push_back(MsgAnswer::No);
    EXPECT_EQ(RecoveryStartup(editor, *journal).offer(), 0);
    done = true;
    guard.join();
    EXPECT_FALSE(freed) << "the start waited on the FIFO";
    EXPECT_TRUE(platform.shownMessages.isEmpty());
    EXPECT_EQ(QDir(victim).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("slot-1.krec")});
    EXPECT_TRUE(QFileInfo(planted).isSymLink() || QFileInfo::exists(planted)) << "left where it was";
    EXPECT_FALSE(QDir(root + QLatin1Char('/') + AbandonedRuns::DiscardedFolder).exists());
}

INSTANTIATE_TEST_SUITE_P(Listing, RecoveryPlantedTest,
                         ::testing::Values(Planted::LinkToAFolder, Planted::LinkToARecord, Planted::Fifo,
                                           Planted::FifoAsLock),
                         [](const auto &testInfo) { return std::string(PlantedNames[int(testInfo.param)]); });

TEST_F(RecoveryStartupTest, TheQuestionShowsWhereEachDocumentWillBeSavedAndTakesOnlyFullPaths)
{
    makeRun(Lock::None, {sample(1, QStringLiteral("a"), path("a.txt")), sample(2, QStringLiteral("b")),
                         sample(3, QStringLiteral("c"), QStringLiteral("../elsewhere/c.txt"))});
    platform.messageAnswers.push_back(MsgAnswer::Yes);
    EXPECT_EQ(RecoveryStartup(editor, *journal).offer(), 3);
    ASSERT_EQ(platform.shownMessages.size(), 1);
    EXPECT_EQ(platform.shownMessages[0].details,
              QStringLiteral("保存到 ") + path("a.txt") + QStringLiteral("\n新文档，尚未保存过\n新文档，尚未保存过"));
    EXPECT_EQ(editor.document(1).filePath(), path("a.txt"));
    EXPECT_EQ(editor.document(3).filePath(), QString());
    EXPECT_EQ(caption(3), QStringLiteral("*文档 3"));
}

} // namespace
