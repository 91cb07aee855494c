#include "editor/dialogs/FontDialog.h"
#include "EditorFixture.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace korvane;

namespace {

class FontDialogTest : public EditorFixture {
protected:
    void setDocumentFont(const TextFont &font) { doc(1).setFont(font); }

    static TextFont font(const QString &name, double size)
    {
        TextFont f;
        f.name = name;
        f.size = size;
        return f;
    }

    template <typename W>
    static W *control(FontDialog &dialog, const char *name)
    {
        W *w = dialog.findChild<W *>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static QListWidget *fontList(FontDialog &d) { return control<QListWidget>(d, "List1"); }
    static QListWidget *sizeList(FontDialog &d) { return control<QListWidget>(d, "List2"); }
    static QLineEdit *sizeField(FontDialog &d) { return control<QLineEdit>(d, "Text1"); }
    static QLabel *sample(FontDialog &d) { return control<QLabel>(d, "Label4"); }
    static QLabel *swatch(FontDialog &d) { return control<QLabel>(d, "Label3"); }
    static QString currentSize(FontDialog &d)
    {
        const QListWidgetItem *item = sizeList(d)->currentItem();
        return item ? item->text() : QString();
    }
};

} // namespace

TEST_F(FontDialogTest, LaysOutItsControlsAndFillsTheLists)
{
    platform.fontList = {QStringLiteral("宋体"),        QStringLiteral("Arial"), QStringLiteral("黑体"),
                         QStringLiteral("Courier New"), QStringLiteral("Arial"), QStringLiteral("arial black")};
    FontDialog dialog(platform, editor.activeDocument());
    EXPECT_EQ(dialog.objectName(), QStringLiteral("Form2"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Font"));
    EXPECT_TRUE(dialog.isModal());
    EXPECT_EQ(fontList(dialog)->geometry(), twipsRect(120, 480, 1695, 2040));
    EXPECT_EQ(control<QCheckBox>(dialog, "Check3")->parentWidget(), control<QGroupBox>(dialog, "Frame1"));
    EXPECT_EQ(control<QCheckBox>(dialog, "Check3")->geometry(), twipsRect(120, 960, 975, 255));
    EXPECT_EQ(control<QPushButton>(dialog, "Command1")->text(), QStringLiteral("确认"));

    QStringList fonts;
    for (int i = 0; i < fontList(dialog)->count(); ++i)
        fonts << fontList(dialog)->item(i)->text();
    // Each once; Latin names first, then Chinese names by pinyin (hei before song).
    EXPECT_EQ(fonts, (QStringList{QStringLiteral("Arial"), QStringLiteral("arial black"), QStringLiteral("Courier New"),
                                  QStringLiteral("黑体"), QStringLiteral("宋体")}));

    ASSERT_EQ(sizeList(dialog)->count(), 68);
    EXPECT_EQ(sizeList(dialog)->item(0)->text(), QStringLiteral(" 5"));
    EXPECT_EQ(sizeList(dialog)->item(67)->text(), QStringLiteral(" 72"));
}

TEST_F(FontDialogTest, TenAndAHalfPointsOpensAtTenAndConfirmWritesTen)
{
    setDocumentFont(font(QStringLiteral("Arial"), 10.5));
    FontDialog dialog(platform, editor.activeDocument());
    EXPECT_EQ(dialog.document(), &editor.document(1));
    EXPECT_EQ(fontList(dialog)->currentItem()->text(), QStringLiteral("Arial"));
    EXPECT_EQ(currentSize(dialog), QStringLiteral(" 10"));
    EXPECT_EQ(sizeField(dialog)->text(), QStringLiteral(" 10"));
    EXPECT_EQ(sample(dialog)->font().pointSizeF(), 10);

    control<QPushButton>(dialog, "Command1")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(doc(1).font(), font(QStringLiteral("Arial"), 10));
}

TEST_F(FontDialogTest, SizeFieldAndSizeListDriveEachOtherOnce)
{
    setDocumentFont(font(QStringLiteral("Arial"), 10.5));
    FontDialog dialog(platform, editor.activeDocument());

    sizeField(dialog)->setText(QStringLiteral("12"));
    EXPECT_EQ(currentSize(dialog), QStringLiteral(" 12"));
    EXPECT_EQ(sizeField(dialog)->text(), QStringLiteral(" 12"));
    EXPECT_EQ(sample(dialog)->font().pointSizeF(), 12);

    for (const char *unmatched : {"7.5", "4", "80", "abc"}) {
        SCOPED_TRACE(unmatched);
        sizeField(dialog)->setText(QLatin1String(unmatched));
        EXPECT_EQ(currentSize(dialog), QStringLiteral(" 12"));
        EXPECT_EQ(sizeField(dialog)->text(), QLatin1String(unmatched));
        EXPECT_EQ(sample(dialog)->font().pointSizeF(), 12);
    }

    sizeList(dialog)->setCurrentRow(0);
    EXPECT_EQ(sizeField(dialog)->text(), QStringLiteral(" 5"));
    EXPECT_EQ(sample(dialog)->font().pointSizeF(), 5);
}

TEST_F(FontDialogTest, AnUnlistedSizeSelectsNothing)
{
    setDocumentFont(font(QStringLiteral("Arial"), 100));
    FontDialog dialog(platform, editor.activeDocument());
    EXPECT_EQ(sizeList(dialog)->currentRow(), -1);
    EXPECT_EQ(sizeField(dialog)->text(), QStringLiteral("Text1"));
    sizeField(dialog)->setText(QStringLiteral("80"));
    EXPECT_EQ(sizeList(dialog)->currentRow(), -1);
    EXPECT_EQ(sample(dialog)->font().pointSizeF(), 100);
}

TEST_F(FontDialogTest, StyleBoxesSwitchTheSampleAndQuitLeavesTheDocumentAlone)
{
    TextFont before = font(QStringLiteral("Courier New"), 14);
    before.italic = true;
    setDocumentFont(before);
    FontDialog dialog(platform, editor.activeDocument());
    auto *bold = control<QCheckBox>(dialog, "Check1");
    EXPECT_FALSE(bold->isChecked());
    EXPECT_TRUE(control<QCheckBox>(dialog, "Check2")->isChecked());
    EXPECT_TRUE(sample(dialog)->font().italic());

    bold->click();
    EXPECT_TRUE(sample(dialog)->font().bold());
    bold->click();
    EXPECT_FALSE(sample(dialog)->font().bold());
    control<QCheckBox>(dialog, "Check4")->click();
    EXPECT_TRUE(sample(dialog)->font().strikeOut());
    sizeField(dialog)->setText(QStringLiteral("30"));

    control<QPushButton>(dialog, "Command2")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(doc(1).font(), before);
}

TEST_F(FontDialogTest, ConfirmWithoutChangesWritesTheDocumentsOwnSettingsBack)
{
    TextFont before = font(QStringLiteral("宋体"), 10.5);
    before.bold = true;
    before.underline = true;
    before.foreColor = QColor(0, 128, 255);
    setDocumentFont(before);
    FontDialog dialog(platform, editor.activeDocument());
    EXPECT_EQ(swatch(dialog)->palette().color(QPalette::Window), before.foreColor);
    control<QPushButton>(dialog, "Command1")->click();

    TextFont expected = before;
    expected.size = 10;
    EXPECT_EQ(doc(1).font(), expected);
}

TEST_F(FontDialogTest, AFontOutsideTheListsIsKeptByConfirm)
{
    setDocumentFont(font(QStringLiteral("Missing Sans"), 4));
    FontDialog dialog(platform, editor.activeDocument());
    EXPECT_EQ(fontList(dialog)->currentRow(), -1);
    EXPECT_EQ(sizeList(dialog)->currentRow(), -1);
    EXPECT_EQ(sizeField(dialog)->text(), QStringLiteral("Text1"));
    control<QPushButton>(dialog, "Command1")->click();
    EXPECT_EQ(doc(1).font(), font(QStringLiteral("Missing Sans"), 4));
}

TEST_F(FontDialogTest, ANewDocumentFindsTheFontItsTextBoxShows)
{
    const QString shown = QFontInfo(QApplication::font("QPlainTextEdit")).family();
    platform.fontList << shown;
    ASSERT_TRUE(doc(1).font().name.isEmpty());
    FontDialog dialog(platform, editor.activeDocument());
    ASSERT_NE(fontList(dialog)->currentItem(), nullptr);
    EXPECT_EQ(fontList(dialog)->currentItem()->text(), shown);
}

TEST_F(FontDialogTest, ChoosingAFontChangesOnlyTheSampleUntilConfirm)
{
    setDocumentFont(font(QStringLiteral("Arial"), 12));
    FontDialog dialog(platform, editor.activeDocument());
    fontList(dialog)->setCurrentRow(fontList(dialog)->count() - 1); // 宋体
    EXPECT_EQ(sample(dialog)->font().family(), QStringLiteral("宋体"));
    EXPECT_EQ(doc(1).font().name, QStringLiteral("Arial"));
    control<QPushButton>(dialog, "Command1")->click();
    EXPECT_EQ(doc(1).font().name, QStringLiteral("宋体"));
}

TEST_F(FontDialogTest, TheSwatchOpensTheColourDialogAndCancelKeepsItsColour)
{
    setDocumentFont(font(QStringLiteral("Arial"), 12));
    FontDialog dialog(platform, editor.activeDocument());
    dialog.show();
    platform.colorAnswers = {QColor(Qt::red), std::nullopt};

    QTest::mouseClick(swatch(dialog), Qt::LeftButton);
    EXPECT_EQ(platform.colorDialogs, 1);
    EXPECT_EQ(swatch(dialog)->palette().color(QPalette::Window), QColor(Qt::red));
    EXPECT_EQ(sample(dialog)->palette().color(QPalette::WindowText), QColor(Qt::red));

    QTest::mouseClick(swatch(dialog), Qt::LeftButton);
    EXPECT_EQ(platform.colorDialogs, 2);
    EXPECT_EQ(swatch(dialog)->palette().color(QPalette::Window), QColor(Qt::red));
    EXPECT_EQ(sample(dialog)->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(doc(1).font().foreColor, QColor(Qt::black));

    control<QPushButton>(dialog, "Command1")->click();
    EXPECT_EQ(doc(1).font().foreColor, QColor(Qt::red));
}

TEST_F(FontDialogTest, WithNoDocumentOpenItWorksOnANewOne)
{
    ASSERT_TRUE(host.closeWindow(1));
    FontDialog dialog(platform, editor.activeDocument());
    EXPECT_EQ(dialog.document(), &editor.document(1));
    EXPECT_TRUE(editor.isOpen(1));
}

TEST(FontDialogNumericValue, ReadsTheLeadingNumberIgnoringBlanks)
{
    const struct {
        const char16_t *text;
        double value;
    } cases[] = {
        {u" 12", 12},   {u"12pt", 12}, {u" 1 2", 12}, {u"7.5", 7.5}, {u".5", 0.5}, {u"-3", -3},
        {u"1e2x", 100}, {u"Text1", 0}, {u"", 0},      {u"-", 0},     {u"１２", 0}, // full-width digits are not a number
                                                                                   // here
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        EXPECT_EQ(FontDialog::numericValue(c.text), c.value);
    }
}
