#include "FileTestSupport.h"
#include "editor/file/ByteStandIn.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

class PrintTest : public FileFixture {
protected:
    // The text of the PDF the last job went into, as a reader extracts it.
    QString pdfText()
    {
        QProcess tool;
        tool.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf(), QStringLiteral("-")});
        EXPECT_TRUE(tool.waitForFinished(30000)) << "pdftotext (poppler-utils) is needed to read the printed PDF";
        EXPECT_EQ(tool.exitCode(), 0);
        return QString::fromUtf8(tool.readAllStandardOutput());
    }
    QString pdf() const { return path("out.pdf"); }
    void print(std::optional<int> copies)
    {
        platform.printAnswers.push_back(copies);
        files.print(editor.activeDocument());
    }
};

TEST_F(PrintTest, CancelledDialogPrintsNothing)
{
    doc(1).setText(QStringLiteral("text"));
    platform.printPdfPath = pdf();
    print(std::nullopt);
    EXPECT_EQ(platform.printDialogs, 1);
    EXPECT_TRUE(platform.printJobs.isEmpty());
    EXPECT_FALSE(QFile::exists(pdf()));
}

TEST_F(PrintTest, SelectionOrWholeTextWithTheChosenCopyCount)
{
    doc(1).setText(QStringLiteral("first line\r\nsecond line\r\n"));
    doc(1).select(12, 6);
    print(3);
    ASSERT_EQ(platform.printJobs.size(), 1);
    EXPECT_EQ(platform.printJobs[0].text, QStringLiteral("second"));
    EXPECT_EQ(platform.printJobs[0].copies, 3);

    doc(1).setSelStart(4);
    print(1);
    ASSERT_EQ(platform.printJobs.size(), 2);
    EXPECT_EQ(platform.printJobs[1].text, QStringLiteral("first line\nsecond line\n"));
}

TEST_F(PrintTest, PrintableTextShowsWhatTheTextBoxShows)
{
    const QString text = QStringLiteral("a\rb\nc") + QChar(0) + byteStandIn(0x80) + QStringLiteral("\r\n");
    EXPECT_EQ(FileCommands::printableText(text), QStringLiteral("a\nb\nc[NUL][80]\n"));
}

TEST_F(PrintTest, PdfHoldsOnlyTheSelectionInChinese)
{
    platform.printPdfPath = pdf();
    doc(1).setText(QStringLiteral("不要打印这一行\r\n只打印这些中文字\r\nskip me too\r\n"));
    doc(1).select(9, 8);
    ASSERT_EQ(doc(1).selText(), QStringLiteral("只打印这些中文字"));
    print(1);
    const QString printed = pdfText();
    EXPECT_TRUE(printed.contains(QStringLiteral("只打印这些中文字"))) << printed.toStdString();
    EXPECT_FALSE(printed.contains(QStringLiteral("不要"))) << printed.toStdString();
    EXPECT_FALSE(printed.contains(QStringLiteral("skip"))) << printed.toStdString();
}

TEST_F(PrintTest, PdfHoldsTheWholeTextOncePerCopy)
{
    platform.printPdfPath = pdf();
    doc(1).setText(QStringLiteral("第一行 line one\r\n第二行 line two\r\n"));
    print(2);
    const QString printed = pdfText();
    EXPECT_EQ(printed.count(QStringLiteral("第一行 line one")), 2) << printed.toStdString();
    EXPECT_EQ(printed.count(QStringLiteral("第二行 line two")), 2) << printed.toStdString();
}

TEST_F(PrintTest, PrinterFailureIsReported)
{
    platform.printerFails = true;
    print(1);
    ASSERT_EQ(platform.shownMessages.size(), 1);
    EXPECT_TRUE(platform.shownMessages[0].text.startsWith(QStringLiteral("无法打印")));
}

} // namespace
