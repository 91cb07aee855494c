#include "FileTestSupport.h"
#include "editor/file/ByteStandIn.h"
#include "editor/textbox/TextBoxView.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

using namespace korvane;

namespace {

struct LineEndFile {
    const char *name;
    QByteArray bytes;
    QStringList shownLines;
    QByteArray savedBack; // the file after Open and Save with no edit
};

class LineEndFiles : public FileFixture, public ::testing::WithParamInterface<LineEndFile> {};

QString lines(TextBoxView &box, const TextDocument &doc)
{
    QStringList shown;
    for (qsizetype i = 0; i < doc.lines().lineCount(); ++i)
        shown << box.shownLineText(i);
    return shown.join(u'|');
}

} // namespace

// A file reads as its lines, whichever line ends it has, and Save writes back what Open
// read: the bytes of the file with the line-end rules of Open and Save applied, no more.
TEST_P(LineEndFiles, ShowAsTheirLinesAndSaveBackWithTheAddedLineEnd)
{
    const LineEndFile &file = GetParam();
    writeFile(file.name, file.bytes);
    openFile(file.name);
    TextBoxView box(&doc(1));
    EXPECT_EQ(lines(box, doc(1)), file.shownLines.join(u'|'));
    platform.saveAnswers.push_back(path(file.name));
    files.saveAs(editor.activeDocument());
    EXPECT_EQ(readFile(file.name), file.savedBack);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LineEndFiles,
    ::testing::Values(
        LineEndFile{"lf.txt", "one\ntwo\n", {"one", "two", "", ""}, "one\ntwo\n\r\n\r\n"},
        LineEndFile{"crlf.txt", "one\r\ntwo\r\n", {"one", "two", ""}, "one\r\ntwo\r\n\r\n"},
        LineEndFile{"cr.txt", "one\rtwo", {"one", "two", ""}, "one\r\ntwo\r\n\r\n"},
        LineEndFile{"mixed.txt", "a\r\nb\nc\rd", {"a", "b", "c", "d", ""}, "a\r\nb\nc\r\nd\r\n\r\n"},
        LineEndFile{"standins.txt",
                    QByteArray("x\xb5\xff\x00y", 5),
                    {QStringLiteral("x") + byteStandIn(0xB5) + byteStandIn(0xFF) + QChar(0) + QStringLiteral("y"), ""},
                    QByteArray("x\xb5\xff\x00y\r\n\r\n", 9)}),
    [](const auto &testInfo) {
    return std::string(testInfo.param.name).substr(0, std::string(testInfo.param.name).find('.'));
    });

TEST(StandInMarkers, EachByteOfAFileThatDoesNotDecodeShowsItsHexValue)
{
    TextDocument doc;
    doc.setText(QStringLiteral("a") + byteStandIn(0xB5) + QChar(0) + QStringLiteral("b") + byteStandIn(0x80));
    LineLayouts layouts(doc);
    layouts.setFont(QFont());
    QStringList labels;
    for (const auto &[piece, x] : layouts.piecesIn(0, 0, 1e6)) {
        for (const LineLayouts::Marker &m : piece->markers)
            labels << QString::number(m.column) + QLatin1Char(':') + m.label;
    }
    EXPECT_EQ(labels, (QStringList{"1:B5", "2:NUL", "4:80"}));
    // Each box is wide enough for its label, and the text goes on after it.
    EXPECT_GT(layouts.xOf(0, 2) - layouts.xOf(0, 1),
              QFontMetricsF(layouts.markerFont()).horizontalAdvance(QStringLiteral("B5")));
}
