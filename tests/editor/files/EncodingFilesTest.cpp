#include "FileTestSupport.h"
#include "editor/file/AnsiCodec.h"
#include "editor/file/LineEnds.h"
#include "editor/file/TextFile.h"

#include <QStringDecoder>
#include <gtest/gtest.h>
#include <random>

using namespace korvane;

namespace {

const QByteArray Bom("\xEF\xBB\xBF");

struct EncodingCase {
    const char *name;
    QByteArray bytes;
    QString text; // as the document shows it
    TextEncoding encoding;
};

// What a file must read as when it is not UTF-8: exactly what the code page made of it before.
QString asGb18030(const QByteArray &bytes) { return LineEnds::opened(AnsiCodec::decode(bytes)); }

const EncodingCase Cases[] = {
    {"Utf8", "中文 UTF-8 文字\r\n", QStringLiteral("中文 UTF-8 文字\r\n"), TextEncoding::Utf8},
    {"Utf8WithBom", Bom + "第一行\r\n", QStringLiteral("第一行\r\n"), TextEncoding::Utf8WithBom},
    {"AsciiWithBom", Bom + "abc\r\n", QStringLiteral("abc\r\n"), TextEncoding::Utf8WithBom},
    {"BomOnly", Bom, QString(), TextEncoding::Utf8WithBom},
    {"SecondBomIsText", Bom + Bom + "x\r\n", QStringLiteral("\uFEFFx\r\n"), TextEncoding::Utf8WithBom},
    {"FourByteUtf8", "\xF0\x9F\x98\x80 中\r\n", QStringLiteral("\U0001F600 中\r\n"), TextEncoding::Utf8},
    // A UTF-8 file may hold the characters the code page uses as byte stand-ins.
    {"Utf8StandInRange", "\xEF\x9E\x80\xEF\x9F\xBF\r\n", QStringLiteral("\uF780\uF7FF\r\n"), TextEncoding::Utf8},
    {"Gb18030Chinese", "\xD6\xD0\xCE\xC4\xCE\xC4\xD7\xD6\r\n", QStringLiteral("中文文字\r\n"), TextEncoding::Gb18030},
    {"Ascii", "plain text\r\n", QStringLiteral("plain text\r\n"), TextEncoding::Gb18030},
    // "小小" in GBK is also valid UTF-8, for two Cyrillic Es.
    {"GbkThatIsValidUtf8", "\xD0\xA1\xD0\xA1\r\n", QStringLiteral("\u0421\u0421\r\n"), TextEncoding::Utf8},
    {"Utf8WithOneBrokenSequence", "中文\xE4\xB8 end\r\n", asGb18030("中文\xE4\xB8 end\r\n"), TextEncoding::Gb18030},
    {"Utf8CutAtTheEnd", "中文\r\n\xE4\xB8", asGb18030("中文\r\n\xE4\xB8"), TextEncoding::Gb18030},
    {"Overlong", "\xC0\xAF\xD6\xD0\r\n", asGb18030("\xC0\xAF\xD6\xD0\r\n"), TextEncoding::Gb18030},
    {"EncodedSurrogate", "\xED\xA0\x80\r\n", asGb18030("\xED\xA0\x80\r\n"), TextEncoding::Gb18030},
    {"BomThenInvalid", Bom + "\xFF\r\n", asGb18030(Bom + "\xFF\r\n"), TextEncoding::Gb18030},
    {"Empty", "", QString(), TextEncoding::Gb18030},
};

class EncodingFiles : public FileFixture, public testing::WithParamInterface<EncodingCase> {};

TEST_P(EncodingFiles, OpenShowsTheTextAndSaveWritesItsBytesWithTheAddedLineEnd)
{
    const EncodingCase &c = GetParam();
    writeFile("f.txt", c.bytes);
    openFile("f.txt");
    EXPECT_EQ(doc(1).text(), c.text);
    EXPECT_EQ(editor.document(1).encoding(), c.encoding);
    files.save(editor.activeDocument());
    EXPECT_EQ(readFile("f.txt"),
              c.bytes + (c.bytes.endsWith("\r\n") || c.bytes == Bom || c.bytes.isEmpty() ? QByteArray("\r\n")
                                                                                         : QByteArray("\r\n\r\n")));
    EXPECT_TRUE(platform.shownMessages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Files, EncodingFiles, testing::ValuesIn(Cases),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

// Reads the bytes from a file in chunks of the given size.
TextFile::ReadResult readInChunks(const QByteArray &bytes, qsizetype chunkSize)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("f.txt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        return {false, {}, QStringLiteral("not written")};
    return TextFile::read(file.fileName(), chunkSize);
}

// What Open makes of the bytes, judged by Qt's own UTF-8 validation.
TextFile::ReadResult expectedRead(const QByteArray &bytes)
{
    TextFile::ReadResult r{true, asGb18030(bytes), {}, TextEncoding::Gb18030};
    const bool bom = bytes.startsWith(Bom);
    const bool nonAscii = std::any_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) >= 0x80; });
    if (QByteArrayView(bytes).isValidUtf8() && (bom || nonAscii)) {
        // A second mark after the first is a character of the text.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        r.text = LineEnds::opened(utf8.decode(bom ? bytes.mid(3) : bytes));
        r.encoding = bom ? TextEncoding::Utf8WithBom : TextEncoding::Utf8;
    }
    return r;
}

void expectRead(const QByteArray &bytes, qsizetype chunkSize, const std::string &what)
{
    const TextFile::ReadResult got = readInChunks(bytes, chunkSize);
    const TextFile::ReadResult want = expectedRead(bytes);
    ASSERT_TRUE(got.ok) << what << ": " << got.reason.toStdString();
    EXPECT_EQ(got.text, want.text) << what << ", chunks of " << chunkSize;
    EXPECT_EQ(got.encoding, want.encoding) << what << ", chunks of " << chunkSize;
}

class EncodingChunks : public testing::TestWithParam<QByteArray> {};

TEST_P(EncodingChunks, EveryChunkSizeDecidesAndReadsAlike)
{
    for (const qsizetype chunkSize : {1, 2, 3, 4, 5, 7, 11, 4096})
        expectRead(GetParam(), chunkSize, "bytes");
}

// Byte-order marks and sequences cut by chunk ends, lone CRs before and after a
// late break (the text decoded as UTF-8 is read again with its line ends in place).
INSTANTIATE_TEST_SUITE_P(Sequences, EncodingChunks,
                         testing::Values(Bom, Bom + "\xE4", Bom + "a\rb", QByteArray("\xEF\xBB"),
                                         QByteArray("\xEF\xBB\xBE"), QByteArray("a\r中\r\r\n文\xF0\x9F\x98\x80\r"),
                                         QByteArray("中\r文\r\xE4\xB8\r字\r"),
                                         QByteArray("字字字字字\r\r\r\xF4\x90\x80\x80"),
                                         QByteArray("\xF0\x9F\x98\x80\xF0\x9F\x98"), Bom + "中\r文\xC3" + "\r\r\n"));

TEST(EncodingChunks, BreakAfterTheFirstChunkReadsTheWholeFileAsGb18030AndSavesItBack)
{
    QByteArray bytes;
    for (int i = 0; i < 200; ++i)
        bytes += QStringLiteral("第%1行，UTF-8 文字\U0001F600\r\n").arg(i).toUtf8();
    const qsizetype breakAt = bytes.size();
    bytes += "\xA1\xA1 end\r\n"; // a GBK full-width blank: not UTF-8
    for (const qsizetype chunkSize : {64, 1000, 4096}) {
        ASSERT_GT(breakAt, chunkSize);
        const TextFile::ReadResult read = readInChunks(bytes, chunkSize);
        EXPECT_EQ(read.encoding, TextEncoding::Gb18030);
        EXPECT_EQ(read.text, asGb18030(bytes)) << "chunks of " << chunkSize;
        QTemporaryDir dir;
        const QString saved = dir.filePath(QStringLiteral("saved.txt"));
        ASSERT_EQ(TextFile::write(saved, read.text, read.encoding), QString());
        QFile file(saved);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), bytes + "\r\n");
    }
    // Lone CRs in the stretch read as UTF-8 have had line feeds added by then.
    QByteArray loneCrs = QStringLiteral("中文\r").repeated(300).toUtf8() + "\xFF\r";
    expectRead(loneCrs, 100, "lone CRs");
}

TEST(EncodingChunks, RandomUtf8LikeBytesInRandomChunks)
{
    std::mt19937 rng(15);
    auto upTo = [&rng](int n) { return std::uniform_int_distribution<int>(0, n)(rng); };
    const QByteArray pieces[] = {"中", "a", "\r", "\n", "\xF0\x9F\x98\x80", "\xC3\xA9", Bom};
    const char breakers[] = {'\xFF', '\xE4', '\x80', '\xC0', '\xD6'};
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes;
        const int count = upTo(300);
        for (int i = 0; i < count; ++i)
            bytes += pieces[upTo(int(std::size(pieces)) - 1)];
        if (upTo(1)) // half of the files are broken somewhere
            bytes.insert(upTo(int(bytes.size())), breakers[upTo(int(std::size(breakers)) - 1)]);
        expectRead(bytes, 1 + upTo(40), "round " + std::to_string(round));
        if (HasFailure())
            return;
    }
}

using EncodingSaveTest = FileFixture;

TEST_F(EncodingSaveTest, TheEncodingStaysThroughSaveAsAndComesFromTheLastFileOpened)
{
    writeFile("utf8.txt", Bom + "中\r\n");
    openFile("utf8.txt");
    doc(1).setSelText(QStringLiteral("文"));
    platform.saveAnswers.push_back(path("copy.txt"));
    files.saveAs(editor.activeDocument());
    EXPECT_EQ(readFile("copy.txt"), Bom + "文中\r\n\r\n");

    writeFile("gb.txt", "\xD6\xD0\r\n");
    openFile("gb.txt");
    EXPECT_EQ(editor.document(1).encoding(), TextEncoding::Gb18030);
    doc(1).setSelText(QStringLiteral("文"));
    files.save(editor.activeDocument());
    EXPECT_EQ(readFile("gb.txt"), "\xCE\xC4\xD6\xD0\r\n\r\n");

    // A failed open leaves the document and its encoding as they were.
    openFile("utf8.txt");
    openFile("missing.txt");
    EXPECT_EQ(editor.document(1).encoding(), TextEncoding::Utf8WithBom);

    // A new document in the slot writes GB18030 again.
    editor.closeActive();
    editor.newDocument();
    EXPECT_EQ(editor.document(1).encoding(), TextEncoding::Gb18030);
}

TEST_F(EncodingSaveTest, CharactersUtf8CannotHoldAndStandInsInAUtf8Document)
{
    // A lone surrogate becomes "?" in both encodings. A stand-in is a byte of its own in
    // the code page, but in UTF-8 it stays the character it is, so the file reads back alike.
    const QString text = QStringLiteral("a") + QChar(0xD800) + QChar(0xF780) + QStringLiteral("中");
    writeFile("utf8.txt", "\xC3\xA9\r\n");
    openFile("utf8.txt");
    doc(1).setText(text);
    files.save(editor.activeDocument());
    EXPECT_EQ(readFile("utf8.txt"), "a?\xEF\x9E\x80\xE4\xB8\xAD\r\n");

    writeFile("gb.txt", "");
    openFile("gb.txt");
    doc(1).setText(text);
    files.save(editor.activeDocument());
    EXPECT_EQ(readFile("gb.txt"), "a?\x80\xD6\xD0\r\n");
}

} // namespace
