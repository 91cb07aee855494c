#include "editor/file/LineEnds.h"

#include <gtest/gtest.h>
#include <vector>

using namespace korvane;

namespace {

// Open's rule applied piece by piece, as a big file is read, must give what it gives the
// whole text at once: a CR that ends one piece is judged by what begins the next.
struct PiecesCase {
    const char *name;
    std::vector<const char *> pieces;
    const char *opened;
};

class OpenInPieces : public ::testing::TestWithParam<PiecesCase> {};

} // namespace

TEST_P(OpenInPieces, GiveWhatTheWholeTextGives)
{
    QString text;
    QString whole;
    for (const char *piece : GetParam().pieces) {
        const qsizetype from = text.size();
        text += QLatin1String(piece);
        whole += QLatin1String(piece);
        const qsizetype loneCrs = LineEnds::openLoneCrs(text, from);
        text.reserve(text.size() + loneCrs);
        LineEnds::openAddLineFeeds(text, loneCrs);
    }
    LineEnds::openEndLastLine(text);
    EXPECT_EQ(text, QLatin1String(GetParam().opened));
    EXPECT_EQ(LineEnds::opened(whole), text);
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, OpenInPieces,
    ::testing::Values(PiecesCase{"CrLfSplitBetweenPieces", {"a\r", "\nb\r", "\nc"}, "a\r\nb\r\nc\r\n"},
                      PiecesCase{"LoneCrAtAPiecesEnd", {"a\r", "b"}, "a\r\nb\r\n"},
                      PiecesCase{"LoneCrsOneAPiece", {"\r", "\r", "\r"}, "\r\n\r\n\r\n"},
                      PiecesCase{"LoneLfStaysInItsLine", {"x\n", "y"}, "x\ny\r\n"},
                      PiecesCase{"EmptyPieces", {"", "a\rb", ""}, "a\r\nb\r\n"}, PiecesCase{"Nothing", {"", ""}, ""}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });
