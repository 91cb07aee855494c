#include "editor/ByteStandIn.h"
#include "editor/ViewText.h"

#include <gtest/gtest.h>

using namespace korvane;

// The view conversion takes a shortcut for ordinary characters; it must still agree
// with displayChar for every single character, and keep the one-to-one positions.
TEST(ViewTextOfLoadedFiles, EveryCharacterIsShownAsDisplayCharShowsIt)
{
    for (char32_t c = 0; c < 0x10000; ++c) {
        const QChar ch{char16_t(c)};
        ASSERT_EQ(ViewText::toView(QString(ch)), QString(ViewText::displayChar(ch))) << std::hex << unsigned(c);
    }
    EXPECT_EQ(ViewText::displayChar(byteStandIn(0x80)), QChar(0xFFFD));
    EXPECT_EQ(ViewText::displayChar(QChar(0)), QChar(0x2400));
}

TEST(ViewTextOfLoadedFiles, BreaksAtTheEdgesOfTheText)
{
    const QString sep(QChar::ParagraphSeparator);
    EXPECT_EQ(ViewText::toView(u"\r"), QStringLiteral("\u240D"));
    EXPECT_EQ(ViewText::toView(u"\r\n"), sep);
    EXPECT_EQ(ViewText::toView(u"\n\r"), QStringLiteral("\u240A\u240D"));
    EXPECT_EQ(ViewText::toView(u"x\r\r\n"), QStringLiteral("x\u240D") + sep);
    EXPECT_EQ(ViewText::toView(u""), QString());
}
