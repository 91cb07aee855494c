#include "editor/dialogs/FindDialog.h"
#include "EditorFixture.h"
#include "editor/dialogs/EditorDialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace korvane;

namespace {

class FindDialogTest : public EditorFixture {
protected:
    ~FindDialogTest() override
    {
        if (FindDialog *d = FindDialog::instance())
            d->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    FindDialog *open()
    {
        showFindDialog(editor, nullptr);
        return FindDialog::instance();
    }
    void closeDialog(FindDialog *d)
    {
        QTest::mouseClick(d->exitButton(), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

} // namespace

TEST_F(FindDialogTest, IsASmallTopLevelWindowWithItsFiveControlsInTabOrder)
{
    FindDialog *d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->objectName(), QStringLiteral("Form3"));
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Find"));
    EXPECT_TRUE(d->isWindow());
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(d->isModal());
    EXPECT_FALSE(d->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(d->size(), QSize(339, 86));

    auto *label = d->findChild<QLabel *>(QStringLiteral("Label1"));
    ASSERT_NE(label, nullptr);
    // Where each control sits and what it says; the check box's width follows its font.
    // clang-format off
    const struct { QWidget *control; const char *name; QString text; QPoint pos; QSize size; } controls[] = {
        {label, "Label1", QStringLiteral("查找"), {8, 8}, {113, 17}},
        {d->searchBox(), "Text1", QString(), {8, 24}, {241, 19}},
        {d->matchCaseBox(), "Check1", QStringLiteral("区分大小写"), {8, 56}, {}},
        {d->findNextButton(), "Command1", QStringLiteral("查找下一个"), {256, 8}, {73, 25}},
        {d->exitButton(), "Command2", QStringLiteral("退出"), {256, 40}, {73, 25}},
    };
    // clang-format on
    for (const auto &c : controls) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.control->objectName(), QLatin1String(c.name));
        EXPECT_EQ(c.control->property("text").toString(), c.text);
        EXPECT_EQ(c.control->pos(), c.pos);
        if (c.size.isValid()) {
            EXPECT_EQ(c.control->size(), c.size);
        }
    }
    for (QPushButton *b : {d->findNextButton(), d->exitButton()}) {
        EXPECT_FALSE(b->isDefault());
        EXPECT_FALSE(b->autoDefault());
    }

    EXPECT_EQ(d->searchBox()->nextInFocusChain(), d->matchCaseBox());
    EXPECT_EQ(d->matchCaseBox()->nextInFocusChain(), d->findNextButton());
    EXPECT_EQ(d->findNextButton()->nextInFocusChain(), d->exitButton());
}

TEST_F(FindDialogTest, TheBoxAndCheckBoxSetTheProgramsSearchState)
{
    FindDialog *d = open();
    QTest::keyClicks(d->searchBox(), QStringLiteral("abc"));
    EXPECT_EQ(editor.search().text(), QStringLiteral("abc"));
    QTest::mouseClick(d->matchCaseBox(), Qt::LeftButton);
    EXPECT_TRUE(editor.search().matchCase());
    QTest::mouseClick(d->matchCaseBox(), Qt::LeftButton);
    EXPECT_FALSE(editor.search().matchCase());
}

TEST_F(FindDialogTest, TheButtonSearchesTheBoxTextAndSelectsEachMatch)
{
    setText(QStringLiteral("ab Ab ab"));
    FindDialog *d = open();
    d->searchBox()->setText(QStringLiteral("ab"));
    d->matchCaseBox()->setChecked(true);
    QTest::mouseClick(d->findNextButton(), Qt::LeftButton);
    EXPECT_EQ(doc(1).selStart(), 0);
    QTest::mouseClick(d->findNextButton(), Qt::LeftButton);
    EXPECT_EQ(doc(1).selStart(), 6);
    EXPECT_EQ(doc(1).selLength(), 2);
    QTest::mouseClick(d->findNextButton(), Qt::LeftButton);
    ASSERT_EQ(platform.shownMessages.size(), 1);
    EXPECT_EQ(platform.shownMessages[0].text, QStringLiteral("Cannot Find \"ab\""));
}

TEST_F(FindDialogTest, AReopenedDialogIsEmptyWhileF3StillSearchesTheEarlierTextFromTheStart)
{
    setText(QStringLiteral("xy xy xy"));
    FindDialog *d = open();
    d->searchBox()->setText(QStringLiteral("xy"));
    d->matchCaseBox()->setChecked(true);
    QTest::mouseClick(d->findNextButton(), Qt::LeftButton);
    QTest::mouseClick(d->findNextButton(), Qt::LeftButton);
    EXPECT_EQ(editor.search().position(), 4);
    closeDialog(d);
    EXPECT_EQ(FindDialog::instance(), nullptr);

    d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->searchBox()->text().isEmpty());
    EXPECT_TRUE(d->matchCaseBox()->isChecked()); // the flag outlives the dialog
    EXPECT_EQ(editor.search().position(), 0);
    EXPECT_EQ(editor.search().text(), QStringLiteral("xy"));

    editor.search().findNext();
    EXPECT_EQ(doc(1).selStart(), 0);
    EXPECT_EQ(doc(1).selLength(), 2);

    // The dialog's own button searches what its box holds: nothing yet.
    QTest::mouseClick(d->findNextButton(), Qt::LeftButton);
    EXPECT_EQ(doc(1).selStart(), 1);
    EXPECT_EQ(doc(1).selLength(), 0);
}

TEST_F(FindDialogTest, ChoosingFindAgainWhileOpenKeepsTheSameDialogAndPosition)
{
    setText(QStringLiteral("aaa"));
    FindDialog *d = open();
    d->searchBox()->setText(QStringLiteral("a"));
    QTest::mouseClick(d->findNextButton(), Qt::LeftButton);
    QTest::mouseClick(d->findNextButton(), Qt::LeftButton);
    EXPECT_EQ(open(), d);
    EXPECT_EQ(d->searchBox()->text(), QStringLiteral("a"));
    EXPECT_EQ(editor.search().position(), 2);
}

TEST_F(FindDialogTest, TheDialogClosesWithItsEditor)
{
    auto *other = new Editor(platform, host);
    showFindDialog(*other, nullptr);
    QPointer<FindDialog> d = FindDialog::instance();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->editor(), other);
    delete other;
    EXPECT_EQ(FindDialog::instance(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(d.isNull());

    // Another editor's Find gets a dialog of its own.
    EXPECT_EQ(open()->editor(), &editor);
}
