#include "platform/VbFilter.h"
#include "platform/Twips.h"

#include <gtest/gtest.h>

using namespace korvane;

TEST(VbFilter, TextFilterBecomesQtFilterMatchingEitherCase)
{
    EXPECT_EQ(vbFilterToQt(QStringLiteral("Text Files (*.TXT)|*.txt|All Files (*.*)|*.*")),
              QStringLiteral("Text Files (*.txt *.TXT);;All Files (*)"));
}

TEST(VbFilter, PictureFilterWithoutRepeatedDescriptionPattern)
{
    EXPECT_EQ(vbFilterToQt(QStringLiteral("Jpg(*.jpg)|*.jpg|Gif(*.gif)|*.gif")),
              QStringLiteral("Jpg (*.jpg *.JPG);;Gif (*.gif *.GIF)"));
}

TEST(VbFilter, DanglingDescriptionIsIgnored)
{
    EXPECT_EQ(vbFilterToQt(QStringLiteral("Text|*.txt|Broken")), QStringLiteral("Text (*.txt *.TXT)"));
}

TEST(Twips, RoundHalfToEven)
{
    EXPECT_EQ(roundHalfEven(4.5), 4);
    EXPECT_EQ(roundHalfEven(5.5), 6);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(twipsToPixels(7635), 509);
    EXPECT_EQ(twipsToPixels(5175), 345);
    EXPECT_EQ(twipsToPixels(22.5), 2); // 1.5 pixels round to even
    EXPECT_EQ(pixelsToTwips(200), 3000);
}
