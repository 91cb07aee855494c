#include "editor/textbox/TextBoxAccessible.h"
#include "ScriptedPlatform.h"
#include "editor/textbox/AccessibleTextAnnouncer.h"
#include "editor/textbox/PlainAccessibleText.h"
#include "editor/textbox/TextBoxBehaviours.h"
#include "editor/textbox/TextBoxView.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

// What a screen reader was told, one line per event.
QStringList announced;

void recordUpdate(QAccessibleEvent *event)
{
    switch (event->type()) {
    case QAccessible::TextRemoved:
        announced << QStringLiteral("removed %1 \"%2\"")
                         .arg(static_cast<QAccessibleTextRemoveEvent *>(event)->changePosition())
                         .arg(static_cast<QAccessibleTextRemoveEvent *>(event)->textRemoved());
        break;
    case QAccessible::TextInserted:
        announced << QStringLiteral("inserted %1 \"%2\"")
                         .arg(static_cast<QAccessibleTextInsertEvent *>(event)->changePosition())
                         .arg(static_cast<QAccessibleTextInsertEvent *>(event)->textInserted());
        break;
    case QAccessible::VisibleDataChanged: announced << QStringLiteral("reset"); break;
    default: break;
    }
}

class TextBoxAccessibleTest : public ::testing::Test {
protected:
    TextBoxAccessibleTest()
    {
        AccessibleTextAnnouncer::tellReader = recordUpdate;
        AccessibleTextAnnouncer::readerListening = [] { return true; };
        announced.clear();
        TextBoxBehaviours::attach(box, nullptr, platform);
        box.resize(400, 300);
        box.show();
        box.setFocus();
    }
    ~TextBoxAccessibleTest() override
    {
        AccessibleTextAnnouncer::readerListening = &QAccessible::isActive;
        AccessibleTextAnnouncer::tellReader = &QAccessible::updateAccessibility;
    }

    QAccessibleTextInterface *textInterface()
    {
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(&box);
        return a ? a->textInterface() : nullptr;
    }

    ScriptedPlatform platform;
    TextDocument doc;
    TextBoxView box{&doc};
};

TEST_F(TextBoxAccessibleTest, ARemovalIsAnnouncedWithTheTextThatWent)
{
    struct Case {
        const char *name;
        QString text;
        qsizetype selStart, selLength;
        Qt::Key key;
        QString typed;
        QStringList expected;
    };
    const QList<Case> cases = {
        {"backspace", QStringLiteral("aXb"), 2, 0, Qt::Key_Backspace, {}, {QStringLiteral("removed 1 \"X\"")}},
        {"a Chinese character",
         QStringLiteral("中文"),
         1,
         0,
         Qt::Key_Backspace,
         {},
         {QStringLiteral("removed 0 \"中\"")}},
        {"typing over a selection",
         QStringLiteral("one two"),
         4,
         3,
         Qt::Key_unknown,
         QStringLiteral("2"),
         {QStringLiteral("removed 4 \"two\""), QStringLiteral("inserted 4 \"2\"")}},
        {"a line end", QStringLiteral("a\r\nb"), 3, 0, Qt::Key_Backspace, {}, {QStringLiteral("removed 1 \"\r\n\"")}},
    };
    for (const Case &c : cases) {
        doc.setText(c.text);
        doc.select(c.selStart, c.selLength);
        announced.clear();
        if (c.typed.isEmpty())
            QTest::keyClick(&box, c.key);
        else
            QTest::keyClicks(&box, c.typed);
        EXPECT_EQ(announced, c.expected) << c.name;
    }
}

TEST_F(TextBoxAccessibleTest, AChangeLargerThanAScreenIsAnnouncedAsANewText)
{
    doc.setText(QString(AccessibleTextAnnouncer::LargeChange + 1, u'x'));
    EXPECT_EQ(announced, QStringList{QStringLiteral("reset")});
    announced.clear();
    doc.select(0, doc.length());
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(announced, QStringList{QStringLiteral("reset")});
}

TEST_F(TextBoxAccessibleTest, ItemsAroundAnOffsetAreQtsItemsOfTheWholeText)
{
    // Short lines of several scripts, blank lines, and one line longer than the reach.
    QString text;
    while (text.size() < 2 * TextBoxAccessible::Reach)
        text += QStringLiteral(
            "Hello, wide world. Second one!\r\n你好，世界。再见。\n\n\ne\u0301t\u00e9 \U0001F1E8\U0001F1F3 done?\r");
    text += QStringLiteral("Long line. ").repeated(int(TextBoxAccessible::Reach / 3)) + QStringLiteral("\nlast");
    doc.setText(text);
    // Qt's own rules run on the whole text: the box must give the same items.
    const PlainAccessibleText whole(text);
    QAccessibleTextInterface *t = textInterface();
    ASSERT_NE(t, nullptr);
    QList<int> offsets;
    // The first lines, the blank lines after them, the middle of the long line, the end.
    for (int offset = 0; offset <= text.size(); offset += offset < 50 || offset > text.size() - 8 ? 1 : 1999)
        offsets << offset;
    for (const auto type : {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary}) {
        for (const int offset : offsets) {
            int s1, e1, s2, e2;
            const std::string where = "type " + std::to_string(int(type)) + " offset " + std::to_string(offset);
            EXPECT_EQ(t->textAtOffset(offset, type, &s1, &e1), whole.textAtOffset(offset, type, &s2, &e2)) << where;
            EXPECT_EQ(std::pair(s1, e1), std::pair(s2, e2)) << where;
            EXPECT_EQ(t->textBeforeOffset(offset, type, &s1, &e1), whole.textBeforeOffset(offset, type, &s2, &e2))
                << where;
            EXPECT_EQ(std::pair(s1, e1), std::pair(s2, e2)) << where;
            EXPECT_EQ(t->textAfterOffset(offset, type, &s1, &e1), whole.textAfterOffset(offset, type, &s2, &e2))
                << where;
            EXPECT_EQ(std::pair(s1, e1), std::pair(s2, e2)) << where;
        }
    }
}

TEST_F(TextBoxAccessibleTest, ALineIsItsOwnTextWithItsLineEnd)
{
    doc.setText(QStringLiteral("one\r\ntwo\nthree"));
    QAccessibleTextInterface *t = textInterface();
    ASSERT_NE(t, nullptr);
    int s, e;
    EXPECT_EQ(t->textAtOffset(6, QAccessible::LineBoundary, &s, &e), QStringLiteral("two\n"));
    EXPECT_EQ(std::pair(s, e), std::pair(5, 9));
    EXPECT_EQ(t->textBeforeOffset(6, QAccessible::LineBoundary, &s, &e), QStringLiteral("one\r\n"));
    EXPECT_EQ(t->textAfterOffset(6, QAccessible::LineBoundary, &s, &e), QStringLiteral("three"));
    EXPECT_EQ(t->textAfterOffset(10, QAccessible::LineBoundary, &s, &e), QString());
    EXPECT_EQ(std::pair(s, e), std::pair(-1, -1));
    // In a line longer than the reach, the part around the offset.
    doc.setText(QString(3 * TextBoxAccessible::Reach, u'a'));
    const QString part = t->textAtOffset(int(doc.length() / 2), QAccessible::LineBoundary, &s, &e);
    EXPECT_EQ(part.size(), 2 * TextBoxAccessible::Reach);
    EXPECT_EQ(e - s, part.size());
}

} // namespace
