#include "PuzzleTestSupport.h"

#include "tools/puzzle/RecordNameDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace korvane;
using namespace korvane::test;

namespace {

class RecordNameDialogTest : public ::testing::Test {
protected:
    void ok() { QTest::mouseClick(dialog.okButton(), Qt::LeftButton); }

    TempCurrentDir dir;
    ScriptedPlatform platform;
    RecordNameDialog dialog{platform};
};

const QString Level1 = QStringLiteral(" 1.txt");

} // namespace

TEST_F(RecordNameDialogTest, AsksWithThePromptAndWritesOnlyOnOk)
{
    EXPECT_EQ(dialog.objectName(), QStringLiteral("frmLogin"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("恭喜恭喜"));
    EXPECT_EQ(dialog.findChild<QLabel *>(QStringLiteral("lblLabels"))->text(),
              QStringLiteral("你已成为初级的第一高手,请输入您的大名号:"));
    dialog.offer({7, Level1});
    dialog.show();
    EXPECT_EQ(dialog.nameEdit()->text(), QStringLiteral("无名"));
    dialog.close();
    EXPECT_FALSE(QFile::exists(Level1));

    dialog.offer({7, Level1});
    dialog.show();
    dialog.nameEdit()->setText(QStringLiteral("张三"));
    ok();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(readBytes(Level1), recordLine(7, QStringLiteral("张三")));
}

// Two records due for the same file, the later one higher: it is asked for only when
// the first was dropped, never written over the first.
TEST_F(RecordNameDialogTest, AWaitingRecordIsAskedForOnlyIfItIsStillARecord)
{
    for (const bool confirmFirst : {true, false}) {
        SCOPED_TRACE(confirmFirst ? "first confirmed" : "first closed");
        QFile::remove(Level1);
        dialog.offer({5, Level1});
        dialog.offer({9, Level1});
        dialog.show();
        dialog.nameEdit()->setText(QStringLiteral("Alice"));
        confirmFirst ? ok() : void(dialog.close());
        EXPECT_EQ(dialog.isVisible(), !confirmFirst);
        if (!confirmFirst) {
            EXPECT_EQ(dialog.nameEdit()->text(), QStringLiteral("无名")); // asked afresh
            ok();
        }
        EXPECT_EQ(readBytes(Level1),
                  confirmFirst ? recordLine(5, QStringLiteral("Alice")) : recordLine(9, QStringLiteral("无名")));
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST_F(RecordNameDialogTest, StaysOpenWhenTheRecordCannotBeWritten)
{
    ASSERT_TRUE(QDir().mkdir(Level1)); // in the way of the score file
    dialog.offer({3, Level1});
    dialog.show();
    ok();
    ASSERT_EQ(platform.shownMessages.size(), 1);
    EXPECT_EQ(platform.shownMessages[0].text, QStringLiteral("无法保存记录文件“ 1.txt”。"));
    EXPECT_TRUE(dialog.isVisible());
}
