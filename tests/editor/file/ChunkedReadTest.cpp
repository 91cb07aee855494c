#include "editor/file/AnsiCodec.h"
#include "editor/file/LineEnds.h"
#include "editor/file/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

using namespace korvane;

namespace {

// Decodes the bytes as pieces that end at the given cuts (ascending, repeats allowed).
QString decodeInPieces(const QByteArray &bytes, std::vector<qsizetype> cuts)
{
    AnsiCodec::Decoder decoder;
    QString text;
    qsizetype from = 0;
    cuts.push_back(bytes.size());
    for (const qsizetype cut : cuts) {
        decoder.decode(QByteArrayView(bytes).sliced(from, cut - from), text);
        from = cut;
    }
    decoder.finish(text);
    return text;
}

// Writes the bytes to a file and opens it, reading chunks of the given size.
QString readInChunks(const QByteArray &bytes, qsizetype chunkSize)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("f.txt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        return QStringLiteral("<not written>");
    const TextFile::ReadResult read = TextFile::read(file.fileName(), chunkSize);
    return read.ok ? read.text : QStringLiteral("<failed: %1>").arg(read.reason);
}

class ChunkedReadTest : public testing::TestWithParam<QByteArray> {};

TEST_P(ChunkedReadTest, EveryWayOfCuttingGivesTheWholeBuffersText)
{
    const QByteArray bytes = GetParam();
    const QString whole = AnsiCodec::decode(bytes);
    // Bit i of the mask cuts before byte i; bit 0 makes an empty first piece.
    for (quint32 mask = 0; mask < (1u << bytes.size()); ++mask) {
        std::vector<qsizetype> cuts;
        for (qsizetype i = 0; i < bytes.size(); ++i)
            if (mask >> i & 1)
                cuts.push_back(i);
        ASSERT_EQ(decodeInPieces(bytes, cuts), whole) << "cuts " << std::hex << mask;
    }
    for (const qsizetype chunkSize : {1, 2, 3, 4, 5, 7})
        EXPECT_EQ(readInChunks(bytes, chunkSize), LineEnds::opened(whole)) << "chunks of " << chunkSize;
}

// Two- and four-byte characters, broken and out-of-range four-byte sequences, bytes that
// start nothing, lead bytes at the end, and CR LF or a lone CR across the end of a 7-byte chunk.
INSTANTIATE_TEST_SUITE_P(Sequences, ChunkedReadTest,
                         testing::Values(QByteArray(), QByteArray("\r"), QByteArray("\xD6\xD0\xCE\xC4\r\n"),
                                         QByteArray("\x81\x30\x81\x30\x94\x39\xFC\x36"),
                                         QByteArray("\x81\x30\x41\x30\x84\x31\xA5\x30"),
                                         QByteArray("\xE4\x30\x81\x30\x81\x30\x81"), QByteArray("a\x80\xFF\xD6\r\xD6"),
                                         QByteArray("x\r\r\n\r\xD6\xD6\xD0\x81\x30\x81\x41\r"),
                                         QByteArray("abcdef\r\nxy\r"), QByteArray("abcdef\rxyz"),
                                         QByteArray("\n\r\r\n\n\r")));

TEST(ChunkedRead, RandomBytesAndCutsGiveTheWholeBuffersText)
{
    std::mt19937 rng(2024);
    auto upTo = [&rng](qsizetype n) { return std::uniform_int_distribution<qsizetype>(0, n)(rng); };
    // Mostly bytes that start, continue or break sequences.
    const unsigned char pool[] = {0x81, 0x84, 0x90, 0xD6, 0xE3, 0xFE, 0x30, 0x39, 0x41, 0xA1, 0x80, 0xFF, '\r', 'a'};
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes(upTo(2000), Qt::Uninitialized);
        std::generate(bytes.begin(), bytes.end(), [&] { return char(pool[upTo(sizeof pool - 1)]); });
        std::vector<qsizetype> cuts(upTo(40));
        std::generate(cuts.begin(), cuts.end(), [&] { return upTo(bytes.size()); });
        std::sort(cuts.begin(), cuts.end());
        ASSERT_EQ(decodeInPieces(bytes, cuts), AnsiCodec::decode(bytes)) << "round " << round;
    }
}

TEST(ChunkedRead, FileLargerThanTheDefaultChunkWithSequencesAcrossItsEnds)
{
    // Lone CRs make the text outgrow the room reserved from the file size; a four-byte
    // character straddles the first chunk end, CR | LF the second, and a lone CR ends the file.
    const qsizetype chunk = TextFile::ReadChunkSize;
    QByteArray bytes(chunk - 2, '\r');
    bytes += "\x94\x39\xFC\x36";
    bytes += QByteArray(2 * chunk - 1 - bytes.size(), 'a') + "\r\n\xD6\xD0\r";
    const QString text = readInChunks(bytes, chunk);
    EXPECT_EQ(text, LineEnds::opened(AnsiCodec::decode(bytes)));
    EXPECT_EQ(text.size(), 2 * (chunk - 2) + 2 + (chunk - 3) + 2 + 1 + 2);
}

} // namespace
