#include "BlocksFixture.h"

using namespace blocks_test;

namespace {

TEST(PiecePicturesTest, SizesMatchTheBoxesOfThePieces)
{
    const std::map<int, QSize> sizes{{11, {20, 80}}, {12, {80, 20}}, {13, {60, 40}}, {14, {40, 60}}, {15, {40, 60}},
                                     {16, {60, 40}}, {17, {40, 60}}, {18, {60, 40}}, {19, {60, 40}}, {20, {40, 60}},
                                     {21, {60, 40}}, {22, {40, 60}}, {23, {40, 60}}, {24, {60, 40}}, {25, {40, 60}},
                                     {26, {60, 40}}, {27, {60, 40}}, {28, {40, 60}}, {29, {40, 40}}};
    for (const auto &[number, size] : sizes)
        EXPECT_EQ(PiecePictures::picture(number).size(), size) << number;
    EXPECT_TRUE(PiecePictures::picture(10).isNull());
    EXPECT_TRUE(PiecePictures::picture(30).isNull());
}

TEST(PiecePicturesTest, CellsHaveLightAndDarkEdgesAndEverythingElseIsWhite)
{
    const std::map<int, std::array<QRgb, 3>> colours{
        {1, {qRgb(255, 0, 0), qRgb(255, 160, 128), qRgb(128, 0, 0)}},
        {2, {qRgb(0, 192, 0), qRgb(64, 255, 64), qRgb(0, 96, 0)}},
        {3, {qRgb(255, 0, 255), qRgb(255, 128, 255), qRgb(128, 0, 128)}},
        {4, {qRgb(255, 128, 0), qRgb(255, 160, 128), qRgb(160, 32, 0)}},
        {5, {qRgb(255, 0, 255), qRgb(255, 128, 255), qRgb(128, 0, 128)}},
        {6, {qRgb(0, 192, 0), qRgb(64, 255, 64), qRgb(0, 96, 0)}},
        {7, {qRgb(0, 0, 255), qRgb(128, 128, 255), qRgb(0, 0, 128)}},
    };
    for (int number = 11; number <= 29; ++number) {
        SCOPED_TRACE(number);
        const QImage image = PiecePictures::picture(number);
        const PieceShape *shape = PieceShapes::shapeOfPicture(number);
        const auto [face, light, dark] = colours.at(PieceShapes::kindOfPicture(number));
        std::set<std::pair<int, int>> cells;
        for (const CellOffset &c : shape->cells)
            cells.insert({c.dx, c.dy});
        int wrong = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const int cx = x % 20, cy = y % 20;
                QRgb expected = 0xffffffffu;
                if (cells.count({x / 20, y / 20})) {
                    if (cx == 19 || cy == 19)
                        expected = dark;
                    else if (cx == 0 || cy == 0)
                        expected = light;
                    else
                        expected = face;
                }
                wrong += image.pixel(x, y) != expected;
            }
        EXPECT_EQ(wrong, 0);
    }
}

} // namespace
