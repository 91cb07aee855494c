#include "editor/document/TextDocument.h"

#include <QSignalSpy>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

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

TEST(TextDocument, EveryEditButALoadMarksItChangedBeforeTheChangeIsAnnounced)
{
    const std::vector<std::pair<const char *, std::function<void(TextDocument &)>>> edits =
        {
            {"setText", [](TextDocument &d) { d.setText(QStringLiteral("new")); }},
            {"setSelText", [](TextDocument &d) { d.setSelText(QStringLiteral("y")); }},
            {"applyViewEdit", [](TextDocument &d) { d.applyViewEdit(1, 1, QStringLiteral("z")); }},
            {"revertToSnapshot",
             [](TextDocument &d) {
        d.beginCommand();
        d.setSelText(QStringLiteral("y"));
        d.setChanged(false);
        d.revertToSnapshot();
             }},
    };
    for (const auto &[name, edit] : edits) {
        SCOPED_TRACE(name);
        TextDocument d;
        d.load(QStringLiteral("file"));
        EXPECT_FALSE(d.isChanged());
        QSignalSpy turns(&d, &TextDocument::changedFlagChanged);
        bool changedWhenAnnounced = false;
        QObject::connect(&d, &TextDocument::changed, [&] { changedWhenAnnounced = d.isChanged(); });
        edit(d);
        EXPECT_TRUE(d.isChanged());
        EXPECT_TRUE(changedWhenAnnounced);
        EXPECT_EQ(turns.count(), std::string(name) == "revertToSnapshot" ? 3 : 1);
        d.load(QStringLiteral("again"));
        EXPECT_TRUE(d.isChanged()); // only a save clears it
    }
}

TEST(TextDocument, SettlingClearsTheMarkOnlyOfEditsInAFileAndIsAnnouncedOnlyForUnsavedEdits)
{
    using Settled = TextDocument::Settled;
    const struct {
        Settled how;
        bool edited;
        bool changedAfter;
        QString captionAfter;
    } cases[] = {
        {Settled::Saved, true, false, QStringLiteral("a.txt")},
        {Settled::Replaced, true, false, QStringLiteral("a.txt")},
        {Settled::Declined, true, true, QStringLiteral("*a.txt")}, // the document is about to close
        {Settled::Saved, false, false, QStringLiteral("a.txt")},
        {Settled::Declined, false, false, QStringLiteral("a.txt")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.how) << " edited " << c.edited);
        TextDocument d(7);
        EXPECT_EQ(d.caption(), QStringLiteral("文档 7"));
        d.setFile(QStringLiteral("/tmp/a.txt"), QStringLiteral("a.txt"));
        if (c.edited)
            d.setSelText(QStringLiteral("x"));
        std::vector<Settled> announced;
        QObject::connect(&d, &TextDocument::settled, [&](Settled how) { announced.push_back(how); });
        d.settle(c.how);
        EXPECT_EQ(d.isChanged(), c.changedAfter);
        EXPECT_EQ(d.caption(), c.captionAfter);
        EXPECT_EQ(announced, c.edited ? std::vector<Settled>{c.how} : std::vector<Settled>{});
    }
}
