#include "RecoveryTestSupport.h"

#include "editor/file/ByteStandIn.h"
#include "editor/recovery/RecoveryLog.h"
#include "editor/recovery/SliceBuffers.h"

#include <QRandomGenerator>
#include <chrono>
#include <gtest/gtest.h>
#include <set>
#include <thread>

using namespace korvane;

namespace {

class JournalLogTest : public RecoveryFixture {
protected:
    // Lets the writes that are due, and any base in the making, finish.
    void settle()
    {
        wait(RecoveryJournal::WriteDelayMsec);
        for (int i = 0; i < 1000 && journal->isWritingBase(1); ++i)
            wait(10);
        ASSERT_FALSE(journal->isWritingBase(1));
    }
    QStringList temporaries() const { return QDir(journal->runFolder()).entryList({QStringLiteral("*.tmp")}); }
};

// Random edits, with new bases made often and written a few units at a time between
// them, give back the document's own text, code unit for code unit.
TEST_F(JournalLogTest, ReplayedRecordIsTheDocumentAfterThousandsOfRandomEdits)
{
    RecoveryJournal::Tuning tuning;
    tuning.sliceUnits = 97;
    tuning.sliceDelayMsec = 7;
    tuning.minLogBytes = 3000;
    tuning.maxLogBytes = 3000;
    journal->setTuning(tuning);
    const QStringList pieces = {QStringLiteral("a"),    QStringLiteral("中文"), QStringLiteral("\r\n"),
                                QStringLiteral("\n"),   QStringLiteral("\r"),   QString(QChar(0xD83D)),
                                QString(QChar(0xDE00)), QStringLiteral("😀"),    byteStandIn(0x80),
                                byteStandIn(0xC3),      byteStandIn(0xFF),      QStringLiteral("xyz ")};
    QRandomGenerator random(25);
    auto pick = [&](qsizetype below) { return qsizetype(random.bounded(quint32(below))); };
    auto someText = [&](int count) {
        QString s;
        for (int i = pick(count + 1); i > 0; --i)
            s += pieces[pick(pieces.size())];
        return s;
    };
    TextDocument &d = doc(1);
    for (int i = 0; i < 6000; ++i) {
        if (pick(700) == 0) {
            d.setText(someText(400)); // replaced as a whole
        } else {
            const qsizetype position = pick(d.length() + 1);
            d.applyViewEdit(position, pick(std::min<qsizetype>(d.length() - position, 6) + 1), someText(3));
        }
        platform.advanceTime(int(pick(120)));
        if (i % 1500 == 1499) {
            settle();
            ASSERT_EQ(recordText(1), d.text()) << "after edit " << i;
        }
    }
    settle();
    EXPECT_EQ(recordText(1), d.text());
    EXPECT_TRUE(temporaries().isEmpty());
    EXPECT_TRUE(platform.shownNotices.isEmpty());
}

TEST_F(JournalLogTest, BaseWrittenInSlicesFollowsEditsBeforeAndAfterWhatIsWritten)
{
    RecoveryJournal::Tuning tuning;
    tuning.sliceUnits = 100;
    tuning.sliceDelayMsec = 1;
    journal->setTuning(tuning);
    doc(1).setSelText(QStringLiteral("old"));
    wait(2000);
    QString text;
    for (int i = 0; i < 1000; ++i)
        text += QChar(u'a' + i % 26);
    doc(1).setText(text); // a new base, not an operation as long as the text
    wait(2000);           // the first slice
    ASSERT_TRUE(journal->isWritingBase(1));
    wait(2);
    doc(1).applyViewEdit(900, 10, QStringLiteral("尾巴")); // past what is written
    wait(2);
    ASSERT_EQ(journal->baseWritten(1), 500);
    doc(1).applyViewEdit(50, 5, QStringLiteral("😀")); // within it
    EXPECT_EQ(journal->baseWritten(1), 50);
    wait(1);
    doc(1).applyViewEdit(doc(1).length() - 3, 3, QString()); // the end, still unwritten
    // Meanwhile the file on disk stays the old record, whole.
    EXPECT_EQ(recordText(1), QStringLiteral("old"));
    ASSERT_TRUE(journal->isWritingBase(1));
    settle();
    EXPECT_EQ(recordText(1), doc(1).text());
    EXPECT_TRUE(temporaries().isEmpty());

    // A base due because the log grew: the edits go on into the old file until it is in place.
    tuning.sliceDelayMsec = 5000;
    tuning.minLogBytes = tuning.maxLogBytes = 100;
    journal->setTuning(tuning);
    for (int i = 0; i < 3; ++i) {
        doc(1).applyViewEdit(i * 10, 1, QStringLiteral("改"));
        wait(2000);
        EXPECT_EQ(recordText(1), doc(1).text()) << i;
    }
    EXPECT_TRUE(journal->isWritingBase(1));
    tuning.sliceDelayMsec = 1;
    journal->setTuning(tuning);
    settle();
    EXPECT_EQ(recordText(1), doc(1).text());
}

// The end of the run hands over a base larger than all the writer's buffers together,
// waiting for them to come back, after an edit took it back within what was handed over.
TEST_F(JournalLogTest, EndOfRunFinishesABaseLargerThanAllBuffersTogether)
{
    RecoveryJournal::Tuning tuning;
    tuning.sliceDelayMsec = 1'000'000; // no slice while idle: only the first, and the end
    journal->setTuning(tuning);
    const QString line = QStringLiteral("第一行 😀 ") + byteStandIn(0x9F) + QChar(0xD800) + QStringLiteral("\r\n");
    QString text;
    while (text.size() < (SliceBuffers::Count + 3) * SliceBuffers::Bytes / 2)
        text += line;
    doc(1).setText(text);
    wait(2000); // the first slice
    ASSERT_GT(journal->baseWritten(1), 10);
    doc(1).applyViewEdit(10, 3, QStringLiteral("改"));
    doc(1).applyViewEdit(doc(1).length() - 5, 5, QString());
    journal->finish();
    EXPECT_EQ(recordText(1), doc(1).text());
    EXPECT_TRUE(temporaries().isEmpty());
}

// A base that fails on the writer's thread leaves the record as it was, still taking
// the edits, and the next write that finds a base due starts another.
TEST_F(JournalLogTest, ABaseThatFailsLeavesTheRecordTakingTheEdits)
{
    RecoveryJournal::Tuning tuning;
    tuning.sliceUnits = 100;
    tuning.sliceDelayMsec = 1;
    journal->setTuning(tuning);
    doc(1).setSelText(QString(1000, u'a'));
    settle();
    // In the place of the second base's temporary, something that cannot be replaced.
    const QString blocked = QStringLiteral("slot-1.krec.2.tmp");
    ASSERT_TRUE(QDir(journal->runFolder()).mkdir(blocked));
    tuning.minLogBytes = tuning.maxLogBytes = 100;
    journal->setTuning(tuning);
    for (int i = 0; i < 4; ++i)
        doc(1).setSelText(QStringLiteral("b"));
    wait(2000); // appended, which takes the log past its limit: a base starts, and fails
    EXPECT_FALSE(journal->isWritingBase(1));
    EXPECT_EQ(platform.shownNotices.size(), 1);
    doc(1).setSelText(QStringLiteral("c"));
    wait(2000);
    EXPECT_TRUE(journal->isWritingBase(1));
    EXPECT_EQ(recordText(1), doc(1).text());
    settle();
    EXPECT_EQ(recordText(1), doc(1).text());
    EXPECT_EQ(temporaries(), QStringList{blocked});
}

TEST(SliceBuffersTest, NoMoreThanCountAreOutAndAWaitEndsWhenOneComesBack)
{
    SliceBuffers buffers;
    std::set<int> taken;
    for (int i = 0; i < SliceBuffers::Count; ++i)
        taken.insert(buffers.take(false));
    EXPECT_EQ(taken.size(), size_t(SliceBuffers::Count));
    EXPECT_FALSE(taken.contains(-1));
    EXPECT_EQ(buffers.take(false), -1);
    std::thread writer([&buffers] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        buffers.giveBack(5);
    });
    EXPECT_EQ(buffers.take(true), 5);
    writer.join();
    EXPECT_EQ(buffers.inUse(), SliceBuffers::Count);
}

// A header changed after the base travels as an operation of its own.
TEST_F(JournalLogTest, HeaderChangesAfterTheBaseAreKept)
{
    doc(1).setSelText(QStringLiteral("text"));
    wait(2000);
    TextFont font{QStringLiteral("宋体"), 20, true, false, false, false, QColor(1, 2, 3)};
    doc(1).setFont(font);
    doc(1).setSelText(QStringLiteral("!"));
    wait(2000);
    const auto record = RecoveryFile::read(journal->recordPath(1));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->font, font);
    EXPECT_EQ(record->text, QStringLiteral("text!"));
    EXPECT_TRUE(QFile(journal->recordPath(1)).size() > RecoveryFile::encode(*record).size());
}

} // namespace
