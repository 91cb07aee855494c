#include "editor/document/TextDocument.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace korvane;

TEST(TextDocument, SelTextReplacesTheSelectionAndLeavesTheCaretAfterIt)
{
    TextDocument d;
    d.setText(QStringLiteral("hello world"));
    EXPECT_EQ(d.selStart(), 0);
    d.select(6, 5);
    EXPECT_EQ(d.selText(), QStringLiteral("world"));
    d.setSelText(QStringLiteral("there!"));
    EXPECT_EQ(d.text(), QStringLiteral("hello there!"));
    EXPECT_EQ(d.selStart(), 12);
    EXPECT_EQ(d.selLength(), 0);
}

TEST(TextDocument, SettingSelStartClearsTheSelectionAndClamps)
{
    TextDocument d;
    d.setText(QStringLiteral("abc"));
    d.select(1, 2);
    d.setSelStart(2);
    EXPECT_EQ(d.selLength(), 0);
    d.setSelStart(99);
    EXPECT_EQ(d.selStart(), 3);
    d.setSelStart(1);
    d.setSelLength(99);
    EXPECT_EQ(d.selLength(), 2);
    d.setSelStart(-5);
    EXPECT_EQ(d.selStart(), 0);
}

TEST(TextDocument, EveryChangeIsReportedButAnEmptyReplacementIsNoChange)
{
    TextDocument d;
    QSignalSpy spy(&d, &TextDocument::changed);
    d.setText(QStringLiteral("x"));
    d.setSelText(QStringLiteral("y"));
    EXPECT_EQ(spy.count(), 2);
    d.setSelStart(0);
    d.setSelText(QString()); // nothing selected, nothing inserted
    EXPECT_EQ(spy.count(), 2);
    d.applyViewEdit(0, 0, QStringLiteral("z"));
    EXPECT_EQ(spy.count(), 3);
    EXPECT_EQ(d.text(), QStringLiteral("zyx"));
}

TEST(TextDocument, PositionsBeyondSixteenBitsWork)
{
    TextDocument d;
    d.setText(QString(40000, u'a') + QStringLiteral("needle"));
    d.select(40000, 6);
    EXPECT_EQ(d.selText(), QStringLiteral("needle"));
    d.setSelText(QStringLiteral("pin"));
    EXPECT_EQ(d.length(), 40003);
    EXPECT_EQ(d.selStart(), 40003);
}
