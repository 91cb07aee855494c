#include "app/AboutBox.h"
#include "../tools/ToolWindowTest.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

TEST(AboutBoxTest, FixedToolWindowWithThePictureFillingIt)
{
    ScriptedPlatform platform;
    AboutBox box(platform.fonts());
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    EXPECT_EQ(box.objectName(), QStringLiteral("frmAbout"));
    EXPECT_EQ(box.windowTitle(), QStringLiteral("关于 Korvane"));
    EXPECT_EQ(box.windowType(), Qt::Tool);
    EXPECT_FALSE(box.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(box.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(box.size(), QSize(414, 331)); // 6210 x 4965 twips
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    EXPECT_EQ(box.image()->geometry(), QRect(0, 0, 414, 331));
    ASSERT_FALSE(box.image()->pixmap().isNull());
    EXPECT_EQ(box.image()->pixmap().size(), QSize(414, 273));
    EXPECT_TRUE(box.image()->hasScaledContents());
}

TEST(AboutBoxTest, EightBlueLabelsAtTheirPlaces)
{
    ScriptedPlatform platform;
    AboutBox box(platform.fonts());
    box.show();
    const struct {
        int index;
        int top;
        QString text;
    } expected[] = {
        {0, 24, QStringLiteral("Korvane V1.2")},
        {3, 88, QStringLiteral("软件语言：简体中文")},
        {1, 192, QStringLiteral("软件网站：")},
        {2, 224, QStringLiteral("下载地址：")},
        {5, 56, QString()},
        {6, 152, QString()},
        {7, 280, QString()},
    };
    for (const auto &e : expected) {
        QLabel *label = box.label(e.index);
        ASSERT_TRUE(label) << e.index;
        EXPECT_EQ(label->x(), 56) << e.index;
        EXPECT_EQ(label->y(), e.top) << e.index;
        EXPECT_TRUE(label->text().startsWith(e.text)) << e.index;
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 255)) << e.index;
        EXPECT_FALSE(label->autoFillBackground()) << e.index;
        if (!label->text().isEmpty()) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << e.index;
            EXPECT_LE(label->geometry().right(), box.width()) << e.index; // nothing runs off the box
        }
    }
    ASSERT_TRUE(box.label(4));
    EXPECT_EQ(box.label(4)->x(), 56);
    EXPECT_TRUE(box.label(6)->text().contains(QLatin1Char('\n')));
    EXPECT_TRUE(box.label(1)->text().contains(QStringLiteral("https://")));
    EXPECT_TRUE(box.label(2)->text().contains(QStringLiteral("https://")));
    EXPECT_DOUBLE_EQ(box.label(7)->font().pointSizeF(), 15.75);
    EXPECT_NE(box.label(0)->font().pointSizeF(), 15.75);
}

TEST(AboutBoxTest, NoticeIsSetInTheFirstCjkFaceTheScreenOffers)
{
    ScriptedPlatform platform;
    platform.fontList = {QStringLiteral("Arial"), QStringLiteral("Noto Sans CJK SC"), QStringLiteral("SimSun")};
    AboutBox box(platform.fonts());
    EXPECT_EQ(box.label(7)->font().families(),
              (QStringList{QStringLiteral("SimSun"), QStringLiteral("Noto Sans CJK SC")}));
}

using AboutMenuTest = test::ToolWindowTest<AboutBox, Tool::About>;

TEST_F(AboutMenuTest, MenuOpensOneBoxAndAFreshOneAfterClosing)
{
    AboutBox *first = open();
    ASSERT_TRUE(first);
    EXPECT_EQ(open(), first);
    EXPECT_FALSE(first->isModal());
    closeWindow();
    EXPECT_EQ(openWindow(), nullptr);
    AboutBox *second = open();
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->isVisible());
}

// Like every tool window, the about box outlives the frame and keeps the program
// running until it is closed itself.
TEST_F(AboutMenuTest, KeepsTheProgramRunningAfterTheFrameCloses)
{
    QWidget frame; // an ordinary top-level window, as the main frame is
    frame.show();
    QPointer<QWidget> about = tools.show(Tool::About);
    ASSERT_TRUE(about);
    ASSERT_TRUE(QApplication::quitOnLastWindowClosed());

    QObject scope; // the timers end with the test, however the run ended
    bool runningAfterFrame = false;
    QTimer::singleShot(0, &scope, [&] { frame.close(); });
    QTimer::singleShot(200, &scope, [&] {
        runningAfterFrame = true;
        if (about)
            about->close();
    });
    QTimer::singleShot(10000, &scope, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(runningAfterFrame);
    EXPECT_FALSE(about && about->isVisible());
}

} // namespace
