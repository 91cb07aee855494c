#include <QIcon>
#include <QImage>
#include <gtest/gtest.h>

// The program's pictures are compiled in; a missing resource would only show as a blank window.
TEST(AppResources, ProgramIconsAreCompiledIn)
{
    for (int size : {16, 32, 48, 256}) {
        const QImage image(QStringLiteral(":/icons/korvane-%1.png").arg(size));
        ASSERT_FALSE(image.isNull()) << size;
        EXPECT_EQ(image.size(), QSize(size, size));
    }
}
