#include "FileTestSupport.h"
#include "editor/commands/CipherCommands.h"
#include "editor/file/AnsiCodec.h"
#include "editor/file/ByteStandIn.h"
#include "editor/file/FileDecoder.h"
#include "editor/file/TextFile.h"
#include "editor/file/Utf8Codec.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace korvane;

namespace {

class LongFileWorkTest : public FileFixture {
protected:
    struct DocState {
        QString text, caption, snapshot;
        bool changed;
        bool operator==(const DocState &) const = default;
    };
    DocState state()
    {
        return {doc(1).text(), caption(1), editor.document(1).undoSnapshot(), editor.document(1).isChanged()};
    }
    static constexpr qint64 MB = 1024 * 1024;
};

TEST_F(LongFileWorkTest, OpenIsRefusedWhenTheTextWouldNotFitInMemory)
{
    writeFile("big.txt", {});
    ASSERT_TRUE(QFile::resize(path("big.txt"), 8 * MB)); // sparse: no disk taken
    const qint64 needed = TextFile::memoryNeeded(8 * MB, QByteArray(4 * MB, '\0'));
    doc(1).setSelText(QStringLiteral("mine"));
    const QString before = doc(1).text();
    for (const qint64 available : {needed - 1, needed}) {
        SCOPED_TRACE(available);
        platform.memoryAvailable = available;
        platform.shownMessages.clear();
        openFile(QStringLiteral("big.txt"));
        if (available < needed) {
            ASSERT_EQ(platform.shownMessages.size(), 1);
            EXPECT_EQ(platform.shownMessages[0].text,
                      QStringLiteral("无法打开文件 “%1”：文件太大，打开它约需 %2 MB 内存，而系统现在只有 %3 MB 可用。")
                          .arg(path(QStringLiteral("big.txt")))
                          .arg((needed + MB - 1) / MB)
                          .arg(available / MB));
            EXPECT_EQ(state(), (DocState{before, QStringLiteral("*文档 1"), before, true}));
        } else {
            EXPECT_TRUE(platform.shownMessages.isEmpty());
            EXPECT_EQ(doc(1).length(), 8 * MB + 2);
        }
    }
    // Lines count too: a file of short lines needs its line index beside the text.
    EXPECT_GT(TextFile::memoryNeeded(8 * MB, "a\nb\r\nc\rd"), needed + 8 * MB);
}

TEST_F(LongFileWorkTest, AFileThatGrowsWhileItIsReadIsCheckedAgain)
{
    writeFile("growing.txt", QByteArray(4096, 'x'));
    QFile file(path(QStringLiteral("growing.txt")));
    ASSERT_TRUE(file.open(QIODevice::Append));
    auto grow = [&file](qint64, qint64) { return file.write(QByteArray(4096, 'y')) > 0 && file.flush(); };
    const qint64 budget = TextFile::memoryNeeded(64 * 1024, "x");
    const TextFile::ReadResult read = TextFile::read(file.fileName(), 1024, {budget, grow});
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(read.reason.startsWith(QStringLiteral("文件太大"))) << read.reason.toStdString();
}

TEST_F(LongFileWorkTest, CancelledOpenLeavesTheDocumentAsAFailedOpenDoes)
{
    QByteArray bytes;
    for (int i = 0; i < 1000; ++i)
        bytes += "第" + QByteArray::number(i) + "行 line\n";
    writeFile("a.txt", bytes);
    files.setReadChunkSize(bytes.size() / 4 + 1); // four reports
    doc(1).setSelText(QStringLiteral("mine"));
    for (const int cancelAt : {1, 2, 4, 5}) {
        SCOPED_TRACE(cancelAt);
        platform.progressReports = 0;
        platform.cancelAtProgress = cancelAt;
        const DocState before{doc(1).text(), caption(1), doc(1).text(), editor.document(1).isChanged()};
        openFile(QStringLiteral("a.txt"));
        const DocState opened{QString::fromUtf8(bytes) + QStringLiteral("\r\n"), QStringLiteral("a.txt"), before.text,
                              false};
        EXPECT_EQ(state(), cancelAt <= 4 ? before : opened);
        EXPECT_TRUE(platform.shownMessages.isEmpty());
        EXPECT_EQ(platform.longTaskLabels.last(), QStringLiteral("正在打开 “a.txt”…"));
        EXPECT_EQ(platform.busyDepth, 0);
    }
}

TEST_F(LongFileWorkTest, CancelledSaveLeavesTheFileAsItWasAndTheDocumentChanged)
{
    // Three pieces of text, CR LF, and the last word before the rename: five reports.
    const QString text = QString(2 * TextFile::WritePieceUnits + 5, u'字');
    for (const bool hardLinked : {false, true}) {
        for (const int cancelAt : {1, 3, 4, 5, 6}) {
            SCOPED_TRACE(testing::Message() << "linked " << hardLinked << " cancel at " << cancelAt);
            platform.cancelAtProgress.reset();
            writeFile("a.txt", "old\r\n");
            const QByteArray a = QFile::encodeName(path("a.txt")), b = QFile::encodeName(path("b.txt"));
            ASSERT_TRUE(!hardLinked || ::link(a.constData(), b.constData()) == 0);
            openFile(QStringLiteral("a.txt"));
            setText(text);
            doc(1).setSelText(QStringLiteral("x"));
            platform.progressReports = 0;
            platform.cancelAtProgress = cancelAt;
            platform.shownMessages.clear();
            platform.messageAnswers = {MsgAnswer::Yes};
            // In place, the text is written after its last report, and only then.
            const bool saved = cancelAt > (hardLinked ? 4 : 5);
            EXPECT_EQ(files.maybeSave(doc(1)), saved); // 是 to the close prompt saves; a cancel keeps it open
            EXPECT_EQ(readFile("a.txt"), saved ? AnsiCodec::encode(doc(1).text()) + "\r\n" : QByteArray("old\r\n"));
            EXPECT_EQ(editor.document(1).isChanged(), !saved);
            EXPECT_EQ(caption(1), saved ? QStringLiteral("a.txt") : QStringLiteral("*a.txt"));
            EXPECT_EQ(platform.shownMessages.size(), 1);        // the prompt, and nothing about the cancel
            EXPECT_EQ(filesInDir().size(), hardLinked ? 2 : 1); // no file left behind
            QFile::remove(path("b.txt"));
        }
    }
}

TEST(PieceEncoder, PiecesJoinToTheWholeTextsBytes)
{
    const QString pair = QStringLiteral("😀");
    QString text = QStringLiteral("a中") + pair + pair + QChar(0xD800) + QStringLiteral("b") + byteStandIn(0xB5) +
                   pair + QStringLiteral("é") + QChar(0xDC00) + pair;
    for (const TextEncoding encoding : {TextEncoding::Gb18030, TextEncoding::Utf8, TextEncoding::Utf8WithBom}) {
        const QByteArray whole = (encoding == TextEncoding::Gb18030
                                      ? AnsiCodec::encode(text)
                                      : Utf8Codec::encode(text, encoding == TextEncoding::Utf8WithBom)) +
                                 "\r\n";
        for (qsizetype units = 2; units <= 6; ++units) {
            TextFile::PieceEncoder encoder(text, encoding, units);
            QByteArray joined, piece;
            while (encoder.next(piece))
                joined += piece;
            EXPECT_EQ(joined, whole) << int(encoding) << " in pieces of " << units;
        }
    }
}

TEST(FileDecoder, DecodesAsQtAndTheCodePageDoInAnyPieces)
{
    const char *const valid[] = {"a", "line of text\n", "中", "é", "😀", "\xEF\xBB\xBF", "\xEF\xBF\xBF"};
    const char *const invalid[] = {"\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE4\xB8", "\xFF", "\x80"};
    QRandomGenerator random(25);
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes;
        const bool broken = round % 2;
        for (int i = random.bounded(1, 40); i > 0; --i)
            bytes += valid[random.bounded(int(std::size(valid)))];
        if (broken)
            bytes.insert(random.bounded(int(bytes.size()) + 1), invalid[random.bounded(int(std::size(invalid)))]);
        const bool mark = bytes.startsWith("\xEF\xBB\xBF");
        // Only the first mark is taken off; fromUtf8 would take a second one too.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        const QString expected = broken ? AnsiCodec::decode(bytes) : utf8.decode(bytes.sliced(mark ? 3 : 0));
        FileDecoder decoder;
        QString text;
        for (qsizetype at = 0, n = 0; at < bytes.size(); at += n) {
            n = std::min<qsizetype>(random.bounded(1, 20), bytes.size() - at);
            decoder.decode(QByteArrayView(bytes).sliced(at, n), text);
        }
        decoder.finish(text);
        EXPECT_EQ(text, expected) << bytes.toHex().toStdString();
        EXPECT_EQ(decoder.encoding() == TextEncoding::Gb18030, broken || (!mark && expected.size() == bytes.size()));
    }
}

TEST_F(LongFileWorkTest, CiphersRefuseAResultThatWouldNotFitAndShowTheBusyCursor)
{
    CipherCommands cipher(platform);
    setText(QStringLiteral("abc"));
    platform.memoryAvailable = 47; // 3 characters of 8 binary digits take 48 bytes
    platform.inputAnswers = {QStringLiteral("k"), QStringLiteral("k")};
    cipher.encryptBinary(editor.activeDocument());
    ASSERT_EQ(platform.shownMessages.size(), 1);
    EXPECT_EQ(platform.shownMessages[0].text, CipherCommands::TooLongMessage.arg(QStringLiteral("加密")).arg(1).arg(0));
    EXPECT_EQ(doc(1).text(), QStringLiteral("abc"));
    EXPECT_EQ(platform.busyShown, 0);
    cipher.encryptHex(editor.activeDocument()); // 4 × 3 units would fit
    EXPECT_EQ(doc(1).text().size(), 6);
    EXPECT_GT(platform.busyShown, 0);
    EXPECT_EQ(platform.busyDepth, 0);
    EXPECT_EQ(CipherCommands::resultBytes(std::numeric_limits<qsizetype>::max() / 8, 8), std::nullopt);
}

} // namespace
