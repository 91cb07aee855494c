#include "editor/commands/InsertCommands.h"
#include "EditorFixture.h"
#include "editor/commands/DateTimeFormats.h"
#include "editor/commands/EditCommands.h"
#include "editor/commands/FileCommands.h"

#include <QDir>
#include <QTemporaryDir>

using namespace korvane;

namespace {

class InsertCommandsTest : public EditorFixture {
protected:
    InsertCommands insert{platform};
};

} // namespace

TEST_F(InsertCommandsTest, EachDateAndTimeItemTypesTheFixedClockAtTheCaret)
{
    const std::pair<InsertItem, QString> cases[] = {
        {InsertItem::DateShort, QStringLiteral("2026/12/7")},    {InsertItem::DateMedium, QStringLiteral("26-12-07")},
        {InsertItem::DateLong, QStringLiteral("2026年12月7日")}, {InsertItem::TimeShort, QStringLiteral("17:45")},
        {InsertItem::TimeMedium, QStringLiteral("05:45 下午")},  {InsertItem::TimeLong, QStringLiteral("17:45:30")},
    };
    for (const auto &[item, expected] : cases) {
        setText(QStringLiteral("[]"));
        doc(1).setSelStart(1);
        insert.insert(editor.activeDocument(), item);
        EXPECT_EQ(doc(1).text(), QLatin1Char('[') + expected + QLatin1Char(']'));
        EXPECT_EQ(doc(1).selStart(), 1 + expected.size());
        EXPECT_EQ(editor.document(1).undoSnapshot(), QStringLiteral("[]"));
    }
    EXPECT_EQ(caption(1), QStringLiteral("*文档 1"));
}

TEST_F(InsertCommandsTest, ASelectionIsReplacedAndUndoRemovesTheInsertion)
{
    setText(QStringLiteral("date: XXXX."));
    doc(1).select(6, 4);
    insert.insert(editor.activeDocument(), InsertItem::DateShort);
    EXPECT_EQ(doc(1).text(), QStringLiteral("date: 2026/12/7."));
    EditCommands(platform).undo(editor.activeDocument());
    EXPECT_EQ(doc(1).text(), QStringLiteral("date: XXXX."));
}

TEST_F(InsertCommandsTest, TheClockIsReadAtEachInsertion)
{
    platform.fixedNow = QDateTime(QDate(2009, 1, 2), QTime(0, 5, 9));
    insert.insert(editor.activeDocument(), InsertItem::DateMedium);
    insert.insert(editor.activeDocument(), InsertItem::TimeMedium);
    EXPECT_EQ(doc(1).text(), QStringLiteral("09-01-0212:05 上午"));
}

TEST(DateTimeFormats, TwelveHourClockAndUnpaddedFields)
{
    EXPECT_EQ(DateTimeFormats::mediumTime(QTime(12, 0)), QStringLiteral("12:00 下午"));
    EXPECT_EQ(DateTimeFormats::mediumTime(QTime(11, 59)), QStringLiteral("11:59 上午"));
    EXPECT_EQ(DateTimeFormats::mediumTime(QTime(9, 7)), QStringLiteral("09:07 上午"));
    EXPECT_EQ(DateTimeFormats::mediumTime(QTime(23, 1)), QStringLiteral("11:01 下午"));
    EXPECT_EQ(DateTimeFormats::shortTime(QTime(9, 7)), QStringLiteral("09:07"));
    EXPECT_EQ(DateTimeFormats::longTime(QTime(9, 7, 3)), QStringLiteral("9:07:03"));
    EXPECT_EQ(DateTimeFormats::longTime(QTime(0, 0, 0)), QStringLiteral("0:00:00"));
    EXPECT_EQ(DateTimeFormats::shortDate(QDate(2027, 3, 9)), QStringLiteral("2027/3/9"));
    EXPECT_EQ(DateTimeFormats::mediumDate(QDate(2100, 3, 9)), QStringLiteral("00-03-09"));
    EXPECT_EQ(DateTimeFormats::longDate(QDate(1999, 10, 31)), QStringLiteral("1999年10月31日"));
}

TEST_F(InsertCommandsTest, FileItemsOfAnUnsavedDocumentOnlyDeleteTheSelection)
{
    setText(QStringLiteral("abc"));
    doc(1).select(0, 1);
    insert.insert(editor.activeDocument(), InsertItem::FileName);
    EXPECT_EQ(doc(1).text(), QStringLiteral("bc"));
    doc(1).select(1, 1);
    insert.insert(editor.activeDocument(), InsertItem::PathAndFile);
    EXPECT_EQ(doc(1).text(), QStringLiteral("b"));
    EXPECT_EQ(editor.document(1).undoSnapshot(), QStringLiteral("bc"));
}

TEST_F(InsertCommandsTest, FileItemsReadTheSlotsRecordedName)
{
    editor.document(1).setFile(QStringLiteral("/home/user/笔记.txt"), QStringLiteral("笔记.txt"));
    insert.insert(editor.activeDocument(), InsertItem::FileName);
    insert.insert(editor.activeDocument(), InsertItem::PathAndFile);
    EXPECT_EQ(doc(1).text(), QStringLiteral("笔记.txt/home/user/笔记.txt"));
}

TEST_F(InsertCommandsTest, FileItemsAfterSaveAsGiveTheChosenNameAndPath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = QDir(dir.path()).filePath(QStringLiteral("报告.txt"));
    setText(QStringLiteral("x"));

    insert.insert(editor.activeDocument(), InsertItem::FileName);
    EXPECT_EQ(doc(1).text(), QStringLiteral("x"));

    platform.saveAnswers.push_back(path);
    FileCommands(platform).saveAs(editor.activeDocument());
    ASSERT_EQ(editor.document(1).filePath(), path);

    doc(1).setSelStart(1);
    insert.insert(editor.activeDocument(), InsertItem::FileName);
    EXPECT_EQ(doc(1).text(), QStringLiteral("x报告.txt"));
    doc(1).select(0, 1);
    insert.insert(editor.activeDocument(), InsertItem::PathAndFile);
    EXPECT_EQ(doc(1).text(), path + QStringLiteral("报告.txt"));
}
