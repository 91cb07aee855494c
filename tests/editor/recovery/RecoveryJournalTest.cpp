#include "RecoveryTestSupport.h"

#include "editor/file/TextFile.h"
#include "editor/recovery/AbandonedRuns.h"
#include "editor/recovery/RecoveryStartup.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace korvane;

namespace {

// A script of simulated time: "T:+" types the next letter at T ms, "T:abc" expects the
// record to hold abc at T ms, "T:-" expects no record yet.
struct Typing {
    const char *name;
    const char *script;
};

class JournalTimingTest : public RecoveryFixture, public ::testing::WithParamInterface<Typing> {};

TEST_P(JournalTimingTest, RecordFollowsTypingWithinTwoSecondsAndAtMostEveryTwo)
{
    int typed = 0;
    for (const QString &step : QString::fromLatin1(GetParam().script).split(QLatin1Char(' '))) {
        const QStringList parts = step.split(QLatin1Char(':'));
        wait(int(parts[0].toInt() - platform.elapsedMsec));
        if (parts[1] == QLatin1String("+"))
            doc(1).setSelText(QString(QChar(u'a' + typed++)));
        else
            EXPECT_EQ(recordText(1), parts[1] == QLatin1String("-") ? QStringLiteral("<no record>") : parts[1])
                << "at " << parts[0].toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Debounce, JournalTimingTest,
    ::testing::Values(Typing{"OneKeystroke", "0:+ 1999:- 2000:a 9000:a"},
                      Typing{"APauseAfterTwo", "0:+ 1500:+ 1999:- 2000:ab 9000:ab"},
                      // Steady typing is written every two seconds, not only once it stops.
                      Typing{"SteadyTyping",
                             "100:+ 400:+ 700:+ 1000:+ 1300:+ 1600:+ 1900:+ 2099:- 2100:abcdefg 2200:+ "
                             "2500:+ 2800:+ 3100:+ 3400:+ 3700:+ 4000:+ 4199:abcdefg 4200:abcdefghijklmn"},
                      Typing{"TypingResumedLater", "0:+ 2000:a 5000:+ 6999:a 7000:ab"}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

using JournalTest = RecoveryFixture;

TEST_F(JournalTest, RecordCarriesWhatRestoringNeedsAndNothingIsMadeForUnchangedDocuments)
{
    writeFile("notes.txt", "x\xe4\xb8\xad\r\n"); // UTF-8: the encoding must come back too
    openFile("notes.txt");
    editor.newDocument();
    wait(9000);
    EXPECT_FALSE(QDir(root).exists()); // a program killed before any edit leaves nothing

    TextFont font{QStringLiteral("宋体"), 14, false, true, false, false, QColor(0x12, 0x34, 0x56)};
    doc(1).setFont(font);
    doc(1).setSelText(QStringLiteral("新"));
    doc(2).setSelText(QStringLiteral("two"));
    wait(2000);
    RecoveryRecord one = sample(1, QStringLiteral("新x中\r\n"), path("notes.txt"));
    one.font = font;
    one.encoding = QStringLiteral("UTF-8");
    EXPECT_EQ(RecoveryFile::read(journal->recordPath(1)), one);
    RecoveryRecord two = sample(2, QStringLiteral("two"));
    two.encoding = QStringLiteral("GB18030");
    EXPECT_EQ(RecoveryFile::read(journal->recordPath(2)), two);
}

TEST_F(JournalTest, AnEditDuringAWriteGoesIntoTheNextRecordNotIntoThisOne)
{
    const QString large(2'000'000, u'文');
    doc(1).setSelText(large);
    platform.advanceTime(2000);             // hands the write out...
    doc(1).setSelText(QStringLiteral("!")); // ...and types at once, while it may be running
    journal->drain();
    EXPECT_EQ(recordText(1), large);
    wait(2000);
    EXPECT_EQ(recordText(1), large + QStringLiteral("!"));
}

// The ways a document's edits become safe or are given up, and ways they stay unsaved.
struct Cleanup {
    const char *name;
    MsgAnswer prompt;   // the close prompt's answer, Ok for no close
    const char *saveAs; // the save dialog's answer, "" to cancel, nullptr for no Save As
    bool openOverIt;
    bool recordStays;
    bool keptAside; // in discarded/, with the edits as they were
};

class JournalCleanupTest : public RecoveryFixture, public ::testing::WithParamInterface<Cleanup> {};

TEST_P(JournalCleanupTest, RecordGoesExactlyWhenTheEditsAreSafeOrGivenUp)
{
    const Cleanup &c = GetParam();
    writeFile("other.txt", "other\r\n");
    doc(1).setSelText(QStringLiteral("unsaved"));
    wait(2000);
    ASSERT_EQ(recordText(1), QStringLiteral("unsaved"));

    if (c.saveAs)
        platform.saveAnswers.push_back(*c.saveAs ? path(QString::fromUtf8(c.saveAs)) : QString());
    if (c.prompt != MsgAnswer::Ok) {
        platform.messageAnswers.push_back(c.prompt);
        editor.closeActive();
    } else if (c.openOverIt) {
        doc(1).setSelText(QStringLiteral(" and more")); // not yet in the record
        openFile("other.txt");
    } else {
        files.save(editor.activeDocument());
    }
    wait(2000);
    EXPECT_EQ(QFile::exists(journal->recordPath(1)), c.recordStays);
    if (!c.recordStays) {
        EXPECT_EQ(runFolderFiles(), QStringList{RecoveryRunFolder::LockName});
    }
    const QDir discarded(root + QLatin1Char('/') + AbandonedRuns::DiscardedFolder);
    const QStringList aside = discarded.entryList(QDir::Files);
    ASSERT_EQ(aside.size(), c.keptAside ? 1 : 0);
    if (c.keptAside) {
        const auto kept = RecoveryFile::read(discarded.filePath(aside[0]));
        ASSERT_TRUE(kept);
        EXPECT_EQ(kept->text, QStringLiteral("unsaved and more"));
        EXPECT_EQ(kept->title, QStringLiteral("文档 1"));
    }
}

INSTANTIATE_TEST_SUITE_P(Cleanup, JournalCleanupTest,
                         ::testing::Values(Cleanup{"Saved", MsgAnswer::Ok, "saved.txt", false, false, false},
                                           Cleanup{"ClosedWithNo", MsgAnswer::No, nullptr, false, false, false},
                                           Cleanup{"ClosedWithYes", MsgAnswer::Yes, "saved.txt", false, false, false},
                                           Cleanup{"FileOpenedOverIt", MsgAnswer::Ok, nullptr, true, false, true},
                                           Cleanup{"CloseCancelled", MsgAnswer::Cancel, nullptr, false, true, false},
                                           Cleanup{"SaveDialogCancelled", MsgAnswer::Ok, "", false, true, false},
                                           Cleanup{"SaveFailed", MsgAnswer::Ok, "other.txt/inside-a-file", false, true,
                                                   false}),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(JournalTest, ClosingNormallyLeavesNothingOfTheRun)
{
    doc(1).setSelText(QStringLiteral("one"));
    platform.saveAnswers.push_back(path("one.txt"));
    files.save(editor.activeDocument());
    doc(1).setSelText(QStringLiteral("more"));
    editor.newDocument();
    doc(2).setSelText(QStringLiteral("two"));
    wait(2000);
    platform.messageAnswers = {MsgAnswer::Yes, MsgAnswer::No};
    ASSERT_TRUE(editor.closeAll());
    journal->finish();
    EXPECT_TRUE(QDir(root).isEmpty());
}

TEST_F(JournalTest, AnEndWithoutClosePromptsKeepsEvenTheLastEditsForTheNextStart)
{
    doc(1).setSelText(QStringLiteral("written"));
    wait(2000);
    doc(1).setSelText(QStringLiteral(" and the last keys"));
    journal->finish();
    EXPECT_EQ(recordText(1), QStringLiteral("written and the last keys"));
    EXPECT_EQ(runFolderFiles(), QStringList{QStringLiteral("slot-1.krec")}); // the lock is released
}

enum class Trouble { WriteCutShort, FolderCannotBeMade };

class JournalFailureTest : public RecoveryFixture, public ::testing::WithParamInterface<Trouble> {
protected:
    bool cutShort() const { return GetParam() == Trouble::WriteCutShort; }
    void setTrouble(bool on)
    {
        if (cutShort()) {
            if (on)
                sizeLimit.emplace();
            else
                sizeLimit.reset();
        } else if (on) {
            // Like a home that cannot be written, for a journal yet to make its folder.
            journal = std::make_unique<RecoveryJournal>(editor, root + QStringLiteral("/deeper"));
            QDir(root).removeRecursively();
            QFile(root).open(QIODevice::WriteOnly);
        } else {
            QFile::remove(root);
        }
    }

    std::optional<FileSizeLimit> sizeLimit;
};

TEST_P(JournalFailureTest, FailureIsReportedOnceAndNeverTouchesTheDocuments)
{
    editor.newDocument();
    doc(1).setSelText(QStringLiteral("old"));
    wait(2000);

    setTrouble(true);
    const QString big(100000, u'字');
    for (int round = 0; round < 3; ++round) {
        doc(1).setSelText(big);
        doc(2).setSelText(QStringLiteral("2"));
        wait(2000);
    }
    setTrouble(false);

    ASSERT_EQ(platform.shownNotices.size(), 1);
    const QString notice = platform.shownNotices.first();
    EXPECT_TRUE(notice.contains(journal->runFolder())) << notice.toStdString();
    EXPECT_TRUE(notice.contains(TextFile::reasonFor(cutShort() ? EFBIG : ENOTDIR))) << notice.toStdString();
    EXPECT_TRUE(platform.shownMessages.isEmpty()); // nothing modal got in the way of typing
    EXPECT_EQ(doc(1).text(), QStringLiteral("old") + big + big + big);
    EXPECT_EQ(caption(1), QStringLiteral("*文档 1"));
    if (cutShort()) { // the failed write left the previous record, and no temporary
        EXPECT_EQ(recordText(1), QStringLiteral("old"));
        EXPECT_EQ(runFolderFiles(), (QStringList{RecoveryRunFolder::LockName, QStringLiteral("slot-1.krec"),
                                                 QStringLiteral("slot-2.krec")}));
    }

    doc(1).setSelText(QStringLiteral("!"));
    doc(2).setSelText(QStringLiteral("!"));
    wait(2000);
    // Writing resumes once the trouble is gone, without a further message.
    EXPECT_EQ(recordText(1), doc(1).text());
    EXPECT_EQ(recordText(2), doc(2).text());
    EXPECT_EQ(platform.shownNotices.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(DiskTrouble, JournalFailureTest,
                         ::testing::Values(Trouble::WriteCutShort, Trouble::FolderCannotBeMade),
                         [](const auto &testInfo) {
    return std::string(testInfo.param == Trouble::WriteCutShort ? "WriteCutShort" : "FolderCannotBeMade");
});

// Whose the state and recovery folders are, and who else may enter them.
struct Exposure {
    const char *name;
    bool stateFolder; // else the recovery folder
    uid_t owner;      // 0 for the user's own (the tests run as root)
    mode_t mode;
    bool journalOn;
};

class JournalFolderTest : public RecoveryFixture, public ::testing::WithParamInterface<Exposure> {};

TEST_P(JournalFolderTest, RecordsAreKeptAndOfferedOnlyInFoldersOfTheUsersAlone)
{
    const Exposure &e = GetParam();
    const QString folder = e.stateFolder ? state.path() : root;
    const QByteArray name = QFile::encodeName(folder);
    makeRun(Lock::None, {sample(1, QStringLiteral("earlier"))});
    ASSERT_EQ(::chmod(name.constData(), e.mode), 0);
    if (e.owner != ::geteuid() && ::chown(name.constData(), e.owner, e.owner) != 0)
        GTEST_SKIP() << "giving a folder to another user needs root";

    platform.messageAnswers.push_back(MsgAnswer::No);
    RecoveryStartup(editor, *journal).offer();
    doc(1).setSelText(QStringLiteral("typed"));
    wait(2000);
    EXPECT_EQ(platform.shownMessages.size(), e.journalOn ? 1 : 0); // the earlier run's question
    EXPECT_EQ(QFile::exists(journal->recordPath(1)), e.journalOn);
    if (e.journalOn) {
        EXPECT_TRUE(platform.shownNotices.isEmpty());
        struct stat st {};
        ASSERT_EQ(::stat(name.constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0077, 0u) << "closed to others";
    } else {
        ASSERT_EQ(platform.shownNotices.size(), 1);
        EXPECT_TRUE(platform.shownNotices[0].contains(folder)) << platform.shownNotices[0].toStdString();
        EXPECT_EQ(QDir(root + QStringLiteral("/run-earlier")).entryList(QDir::Files).size(), 1); // left alone
    }
}

INSTANTIATE_TEST_SUITE_P(Folders, JournalFolderTest,
                         ::testing::Values(Exposure{"TheUsersOwn", false, 0, 0700, true},
                                           Exposure{"OpenToOthersIsClosed", false, 0, 0777, true},
                                           Exposure{"StickyAndSharedStaysOff", false, 0, 01777, false},
                                           Exposure{"ForeignRecoveryFolder", false, 65534, 0700, false},
                                           Exposure{"ForeignStateFolder", true, 65534, 0700, false}),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

} // namespace
