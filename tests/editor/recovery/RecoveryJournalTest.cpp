#include "RecoveryTestSupport.h"

#include "editor/TextFile.h"

#include <gtest/gtest.h>
#include <csignal>
#include <functional>
#include <sys/resource.h>

using namespace korvane;

namespace {

// When a document's record is written, for a pattern of typing: each edit adds the next
// letter, and each probe says what the record holds at that moment.
struct Typing {
    const char *name;
    std::vector<int> editsAt;
    std::vector<std::pair<int, const char *>> probes; // nullptr: no record yet
};

class JournalTimingTest : public RecoveryFixture, public ::testing::WithParamInterface<Typing> {};

TEST_P(JournalTimingTest, RecordFollowsTheTypingWithinTwoSecondsAndAtMostEveryTwo)
{
    struct Event {
        int at;
        int edit;  // index of the edit, or -1
        int probe; // index of the probe, or -1
    };
    std::vector<Event> events;
    for (int i = 0; i < int(GetParam().editsAt.size()); ++i)
        events.push_back({GetParam().editsAt[i], i, -1});
    for (int i = 0; i < int(GetParam().probes.size()); ++i)
        events.push_back({GetParam().probes[i].first, -1, i});
    std::stable_sort(events.begin(), events.end(), [](const Event &a, const Event &b) { return a.at < b.at; });

    for (const Event &e : events) {
        wait(int(e.at - platform.elapsedMsec));
        if (e.edit >= 0) {
            doc(1).setSelText(QString(QChar(u'a' + e.edit)));
            continue;
        }
        const char *expected = GetParam().probes[e.probe].second;
        EXPECT_EQ(recordText(1), expected ? QString::fromLatin1(expected) : QStringLiteral("<no record>"))
            << "at " << e.at << " ms";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Debounce, JournalTimingTest,
    ::testing::Values(
        Typing{"OneKeystroke", {0}, {{1999, nullptr}, {2000, "a"}, {9000, "a"}}},
        Typing{"APauseAfterTwoKeystrokes", {0, 1500}, {{1999, nullptr}, {2000, "ab"}, {9000, "ab"}}},
        // Steady typing is written every two seconds, not only once it stops.
        Typing{"SteadyTyping",
               {100, 400, 700, 1000, 1300, 1600, 1900, 2200, 2500, 2800, 3100, 3400, 3700, 4000},
               {{2099, nullptr}, {2100, "abcdefg"}, {4199, "abcdefg"}, {4200, "abcdefghijklmn"}}},
        Typing{"TypingResumedLater", {0, 5000}, {{2000, "a"}, {6999, "a"}, {7000, "ab"}}}),
    [](const auto &info) { return std::string(info.param.name); });

using JournalTest = RecoveryFixture;

TEST_F(JournalTest, AnUnchangedDocumentHasNoRecordAndNoFolderIsMade)
{
    openFile("missing.txt"); // fails: the document stays unchanged
    writeFile("a.txt", "loaded\r\n");
    openFile("a.txt");
    wait(10000);
    EXPECT_FALSE(QDir(root).exists());
}

TEST_F(JournalTest, AnEditDuringAWriteGoesIntoTheNextRecordNotIntoThisOne)
{
    const QString large(2'000'000, u'文');
    doc(1).setSelText(large);
    platform.advanceTime(2000); // hands the write out...
    doc(1).setSelText(QStringLiteral("!")); // ...and types at once, while it may be running
    journal->drain();
    EXPECT_EQ(recordText(1), large);
    wait(2000);
    EXPECT_EQ(recordText(1), large + QStringLiteral("!"));
}

TEST_F(JournalTest, RecordCarriesWhatRestoringNeeds)
{
    writeFile("notes.txt", "x\r\n");
    openFile("notes.txt");
    TextFont font;
    font.name = QStringLiteral("宋体");
    font.size = 14;
    font.italic = true;
    font.foreColor = QColor(0x12, 0x34, 0x56);
    doc(1).setFont(font);
    doc(1).setSelText(QStringLiteral("新"));
    editor.newDocument();
    doc(2).setSelText(QStringLiteral("two"));
    wait(2000);

    RecoveryRecord one = sample(1, QStringLiteral("新x\r\n"), path("notes.txt"));
    one.font = font;
    EXPECT_EQ(record(1), one);
    EXPECT_EQ(record(2), sample(2, QStringLiteral("two")));
}

// The ways a document stops having unsaved changes, and ways that keep them.
struct Actors {
    Editor &editor;
    FileCommands &files;
    ScriptedPlatform &platform;
    QString otherFile;
    std::function<void(int)> wait;
};

struct Cleanup {
    const char *name;
    std::function<void(Actors &)> act;
    int waitMsec;
    bool recordStays;
};

class JournalCleanupTest : public RecoveryFixture, public ::testing::WithParamInterface<Cleanup> {};

TEST_P(JournalCleanupTest, RecordGoesExactlyWhenTheEditsAreSafeOrGivenUp)
{
    writeFile("other.txt", "other\r\n");
    Actors actors{editor, files, platform, path("other.txt"), [this](int msec) { wait(msec); }};
    doc(1).setSelText(QStringLiteral("unsaved"));
    wait(2000);
    ASSERT_EQ(recordText(1), QStringLiteral("unsaved"));

    GetParam().act(actors);
    journal->drain();
    if (GetParam().waitMsec > 0)
        wait(GetParam().waitMsec);
    EXPECT_EQ(QFile::exists(journal->recordPath(1)), GetParam().recordStays);
    if (!GetParam().recordStays)
        EXPECT_EQ(runFolderFiles(), QStringList{RecoveryJournal::LockName});
}

INSTANTIATE_TEST_SUITE_P(
    Cleanup, JournalCleanupTest,
    ::testing::Values(
        Cleanup{"SaveAs",
                [](Actors &a) {
                    a.platform.saveAnswers.push_back(a.otherFile + QStringLiteral(".saved"));
                    a.files.saveAs();
                },
                0, false},
        Cleanup{"SaveToItsFile",
                [](Actors &a) {
                    a.platform.saveAnswers.push_back(a.otherFile + QStringLiteral(".saved"));
                    a.files.saveAs();
                    a.editor.document(1).setSelText(QStringLiteral("!"));
                    a.wait(2000);
                    a.files.save();
                },
                0, false},
        Cleanup{"CloseAnsweredNo",
                [](Actors &a) {
                    a.platform.messageAnswers.push_back(MsgAnswer::No);
                    a.editor.closeActive();
                },
                0, false},
        Cleanup{"CloseAnsweredYes",
                [](Actors &a) {
                    a.platform.messageAnswers.push_back(MsgAnswer::Yes);
                    a.platform.saveAnswers.push_back(a.otherFile + QStringLiteral(".saved"));
                    a.editor.closeActive();
                },
                0, false},
        // Open fills the changed document with a file: nothing of the edits is kept.
        Cleanup{"FileOpenedOverIt",
                [](Actors &a) {
                    a.platform.openAnswers.push_back(a.otherFile);
                    a.files.open();
                },
                2000, false},
        Cleanup{"CloseCancelled",
                [](Actors &a) {
                    a.platform.messageAnswers.push_back(MsgAnswer::Cancel);
                    a.editor.closeActive();
                },
                10000, true},
        Cleanup{"CloseAnsweredYesButSaveCancelled",
                [](Actors &a) {
                    a.platform.messageAnswers.push_back(MsgAnswer::Yes);
                    a.editor.closeActive();
                },
                10000, true},
        Cleanup{"SaveFailed",
                [](Actors &a) {
                    a.platform.saveAnswers.push_back(a.otherFile + QStringLiteral("/cannot-be-inside-a-file"));
                    a.files.saveAs();
                },
                10000, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(JournalTest, ClosingNormallyLeavesNothingOfTheRun)
{
    doc(1).setSelText(QStringLiteral("one"));
    editor.newDocument();
    doc(2).setSelText(QStringLiteral("two"));
    wait(2000);
    ASSERT_TRUE(QDir(journal->runFolder()).exists());

    platform.messageAnswers = {MsgAnswer::No, MsgAnswer::No};
    ASSERT_TRUE(editor.closeAll());
    journal->finish();
    EXPECT_FALSE(QDir(journal->runFolder()).exists());
    EXPECT_TRUE(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(JournalTest, AnEndWithoutClosePromptsKeepsEvenTheLastEditsForTheNextStart)
{
    doc(1).setSelText(QStringLiteral("written"));
    wait(2000);
    doc(1).setSelText(QStringLiteral(" and the last keys"));
    editor.newDocument(); // unchanged: nothing to keep
    journal->finish();

    EXPECT_EQ(recordText(1), QStringLiteral("written and the last keys"));
    EXPECT_EQ(runFolderFiles(), QStringList{QStringLiteral("slot-1.krec")}); // the lock is released
}

// Ways the disk can refuse the recovery files.
enum class Trouble { WriteCutShort, FolderCannotBeMade };

class JournalFailureTest : public RecoveryFixture, public ::testing::WithParamInterface<Trouble> {
protected:
    void arrange()
    {
        if (GetParam() == Trouble::WriteCutShort) {
            // Like a full disk: each write fails after its first few kilobytes.
            savedHandler = std::signal(SIGXFSZ, SIG_IGN);
            getrlimit(RLIMIT_FSIZE, &savedLimit);
            rlimit limited = savedLimit;
            limited.rlim_cur = 8192;
            setrlimit(RLIMIT_FSIZE, &limited);
        } else {
            // Like a home that cannot be written: the folder cannot be made. A fresh
            // journal, since this one has made its folder already.
            journal = std::make_unique<RecoveryJournal>(editor, root + QStringLiteral("/deeper"));
            QDir(root).removeRecursively();
            QFile blocker(root);
            blocker.open(QIODevice::WriteOnly);
        }
    }
    void lift()
    {
        if (GetParam() == Trouble::WriteCutShort) {
            setrlimit(RLIMIT_FSIZE, &savedLimit);
            std::signal(SIGXFSZ, savedHandler);
        } else {
            QFile::remove(root);
        }
    }
    int error() const { return GetParam() == Trouble::WriteCutShort ? EFBIG : ENOTDIR; }

    rlimit savedLimit{};
    void (*savedHandler)(int) = nullptr;
};

TEST_P(JournalFailureTest, FailureIsReportedOnceAndNeverTouchesTheDocuments)
{
    editor.newDocument();
    doc(1).setSelText(QStringLiteral("old"));
    wait(2000);

    arrange();
    const QString big(100000, u'字');
    for (int round = 0; round < 3; ++round) {
        doc(1).setSelText(big);
        doc(2).setSelText(QStringLiteral("second"));
        wait(2000);
    }
    lift();

    ASSERT_EQ(platform.shownNotices.size(), 1);
    const QString notice = platform.shownNotices.first();
    EXPECT_TRUE(notice.contains(journal->runFolder())) << notice.toStdString();
    EXPECT_TRUE(notice.contains(TextFile::reasonFor(error()))) << notice.toStdString();
    EXPECT_TRUE(platform.shownMessages.isEmpty()); // nothing modal got in the way of typing
    EXPECT_EQ(doc(1).text(), QStringLiteral("old") + big + big + big);
    EXPECT_EQ(caption(1), QStringLiteral("*文档 1"));
    if (GetParam() == Trouble::WriteCutShort) {
        // A failed write leaves the previous record, and no temporary, behind.
        EXPECT_EQ(recordText(1), QStringLiteral("old"));
        EXPECT_EQ(runFolderFiles(),
                  (QStringList{RecoveryJournal::LockName, QStringLiteral("slot-1.krec"), QStringLiteral("slot-2.krec")}));
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
                         [](const auto &info) {
                             return std::string(info.param == Trouble::WriteCutShort ? "WriteCutShort"
                                                                                     : "FolderCannotBeMade");
                         });

} // namespace
