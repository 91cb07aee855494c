#include "RecoveryTestSupport.h"

#include "editor/ByteStandIn.h"
#include "editor/recovery/AbandonedRuns.h"
#include "editor/recovery/RecoveryStartup.h"

#include <gtest/gtest.h>

using namespace korvane;

namespace {

using Lock = RecoveryFixture::Lock;

// Which folders of earlier runs are offered, by how their lock was left.
struct Leftover {
    const char *name;
    Lock lock;
    int records;
    bool offered;
    bool folderStays; // after the question was answered 否
};

class RecoveryLockTest : public RecoveryFixture, public ::testing::WithParamInterface<Leftover> {};

TEST_P(RecoveryLockTest, OnlyRunsThatNoRunningProgramHoldsAreOffered)
{
    QList<RecoveryRecord> records;
    for (int i = 1; i <= GetParam().records; ++i)
        records << sample(i, QStringLiteral("text %1").arg(i));
    const QString folder = makeRun(QStringLiteral("run-earlier"), GetParam().lock, records);

    platform.messageAnswers.push_back(MsgAnswer::No);
    RecoveryStartup(editor, *journal).offer();

    if (GetParam().offered) {
        ASSERT_EQ(platform.shownMessages.size(), 1);
        EXPECT_EQ(platform.shownMessages[0].text, RecoveryStartup::question(GetParam().records));
        EXPECT_EQ(platform.shownMessages[0].buttons, MsgButtons::YesNo);
    } else {
        EXPECT_TRUE(platform.shownMessages.isEmpty());
    }
    EXPECT_EQ(QDir(folder).exists(), GetParam().folderStays);
    EXPECT_EQ(editor.openCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Locks, RecoveryLockTest,
    ::testing::Values(Leftover{"LiveLockIsLeftAlone", Lock::Live, 2, false, true},
                      // A lock's age says nothing: programs run for days.
                      Leftover{"LiveLockOfALongRunIsLeftAlone", Lock::LiveForAnHour, 1, false, true},
                      Leftover{"StaleLockAfterAKill", Lock::Stale, 2, true, false},
                      Leftover{"NoLockAfterAnEndWithoutPrompts", Lock::None, 1, true, false},
                      Leftover{"StaleLockWithoutRecordsGoesQuietly", Lock::Stale, 0, false, false},
                      Leftover{"LiveLockWithoutRecordsIsLeftAlone", Lock::Live, 0, false, true}),
    [](const auto &info) { return std::string(info.param.name); });

using RecoveryStartupTest = RecoveryFixture;

TEST_F(RecoveryStartupTest, YesBringsEachDocumentBackChangedAndProtected)
{
    const QString tricky = QStringLiteral("甲") + QChar(0xD800) + byteStandIn(0x81) + QStringLiteral("\r\n乙") + QChar(0xDFFF);
    RecoveryRecord withFile = sample(3, tricky, QStringLiteral("/data/笔记.txt"));
    withFile.font.name = QStringLiteral("宋体");
    withFile.font.size = 16;
    withFile.font.bold = true;
    withFile.font.foreColor = Qt::red;
    const RecoveryRecord unnamed = sample(5, QString());
    const QString earlier = makeRun(QStringLiteral("run-earlier"), Lock::Stale, {unnamed, withFile});

    platform.messageAnswers.push_back(MsgAnswer::Yes);
    EXPECT_EQ(RecoveryStartup(editor, *journal).offer(), 2);

    EXPECT_EQ(platform.shownMessages.size(), 1);
    ASSERT_EQ(editor.openCount(), 2);
    // In slot order, the first into the empty "文档 1".
    EXPECT_EQ(doc(1).text(), tricky);
    EXPECT_EQ(caption(1), QStringLiteral("*笔记.txt"));
    EXPECT_EQ(editor.slot(1).fileTitle, QStringLiteral("笔记.txt"));
    EXPECT_EQ(editor.slot(1).filePath, QStringLiteral("/data/笔记.txt"));
    EXPECT_EQ(doc(1).font(), withFile.font);
    EXPECT_TRUE(editor.slot(1).changed);
    EXPECT_EQ(doc(2).text(), QString());
    EXPECT_EQ(caption(2), QStringLiteral("*文档 2"));
    EXPECT_TRUE(editor.slot(2).changed);

    // The records now belong to this run, and the earlier run's folder is gone.
    EXPECT_FALSE(QDir(earlier).exists());
    EXPECT_EQ(recordText(1), tricky);
    wait(2000);
    EXPECT_EQ(record(1)->title, QStringLiteral("笔记.txt"));
    EXPECT_EQ(record(2)->title, QStringLiteral("文档 2"));

    // The close prompt protects them again.
    platform.messageAnswers.push_back(MsgAnswer::Cancel);
    editor.closeActive();
    ASSERT_EQ(platform.shownMessages.size(), 2);
    EXPECT_EQ(platform.shownMessages[1].text, Editor::SavePrompt);
    EXPECT_EQ(editor.openCount(), 2);
}

TEST_F(RecoveryStartupTest, AChangedDocumentOneIsNotReused)
{
    doc(1).setSelText(QStringLiteral("typed before"));
    makeRun(QStringLiteral("run-earlier"), Lock::None, {sample(1, QStringLiteral("back"))});
    platform.messageAnswers.push_back(MsgAnswer::Yes);
    RecoveryStartup(editor, *journal).offer();
    EXPECT_EQ(doc(1).text(), QStringLiteral("typed before"));
    EXPECT_EQ(doc(2).text(), QStringLiteral("back"));
    EXPECT_EQ(caption(2), QStringLiteral("*文档 2"));
}

TEST_F(RecoveryStartupTest, NoPutsTheFilesAsideAndKeepsTheNewestTwenty)
{
    const QDir discarded(root + QLatin1Char('/') + AbandonedRuns::DiscardedFolder);
    discarded.mkpath(QStringLiteral("."));
    const QDateTime longAgo = QDateTime::currentDateTime().addDays(-30);
    for (int i = 0; i < 25; ++i) {
        QFile f(discarded.filePath(QStringLiteral("old-%1.krec").arg(i)));
        f.open(QIODevice::WriteOnly);
        f.setFileTime(longAgo.addSecs(i), QFileDevice::FileModificationTime);
    }
    const QString earlier =
        makeRun(QStringLiteral("run-earlier"), Lock::Stale, {sample(1, QStringLiteral("a")), sample(2, QStringLiteral("b"))});
    QFile(earlier + QStringLiteral("/slot-9.krec")).open(QIODevice::WriteOnly); // not a whole record

    platform.messageAnswers.push_back(MsgAnswer::No);
    EXPECT_EQ(RecoveryStartup(editor, *journal).offer(), 0);

    EXPECT_EQ(platform.shownMessages[0].text, RecoveryStartup::question(2));
    EXPECT_EQ(editor.openCount(), 1);
    EXPECT_FALSE(editor.slot(1).changed);
    EXPECT_FALSE(QDir(earlier).exists());
    QStringList kept = discarded.entryList(QDir::Files);
    EXPECT_EQ(kept.size(), AbandonedRuns::KeptDiscarded);
    for (const char *name : {"run-earlier-slot-1.krec", "run-earlier-slot-2.krec", "run-earlier-slot-9.krec"})
        EXPECT_TRUE(kept.contains(QString::fromLatin1(name))) << name;
    for (int i = 0; i < 8; ++i) // the oldest go
        EXPECT_FALSE(kept.contains(QStringLiteral("old-%1.krec").arg(i))) << i;
    EXPECT_EQ(RecoveryFile::read(discarded.filePath(QStringLiteral("run-earlier-slot-2.krec")))->text, QStringLiteral("b"));

    // Nothing is offered a second time.
    RecoveryStartup(editor, *journal).offer();
    EXPECT_EQ(platform.shownMessages.size(), 1);
}

TEST_F(RecoveryStartupTest, DocumentsBeyondTheLimitWaitForTheNextStart)
{
    for (int i = 2; i <= 29; ++i)
        editor.newDocument();
    makeRun(QStringLiteral("run-earlier"), Lock::Stale,
            {sample(1, QStringLiteral("a")), sample(2, QStringLiteral("b")), sample(3, QStringLiteral("c"))});

    platform.messageAnswers.push_back(MsgAnswer::Yes);
    EXPECT_EQ(RecoveryStartup(editor, *journal).offer(), 1);
    EXPECT_EQ(editor.openCount(), Editor::SlotCount);
    EXPECT_EQ(doc(30).text(), QStringLiteral("a"));
    EXPECT_EQ(platform.shownMessages.last().text, Editor::LimitMessage);

    AbandonedRuns next(root, journal->runFolder());
    ASSERT_EQ(next.records().size(), 2);
    EXPECT_EQ(next.records()[0].header.slot, 2);
    EXPECT_EQ(next.records()[1].header.slot, 3);
}

} // namespace
