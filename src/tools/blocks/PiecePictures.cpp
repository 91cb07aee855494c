#include "tools/blocks/PiecePictures.h"

#include "tools/blocks/PieceShapes.h"

#include <array>

namespace korvane::blocks::PiecePictures {

namespace {

void paintCell(QImage &image, int cellX, int cellY, const PieceColours &c)
{
    constexpr int n = PieceShapes::CellPixels;
    const int x0 = cellX * n;
    const int y0 = cellY * n;
    for (int y = 0; y < n; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y0 + y)) + x0;
        for (int x = 0; x < n; ++x) {
            // The dark edge wins the two corners where the edges meet.
            QRgb colour = c.face;
            if (x == n - 1 || y == n - 1)
                colour = c.dark;
            else if (x == 0 || y == 0)
                colour = c.light;
            line[x] = colour;
        }
    }
}

QImage draw(int number)
{
    const PieceShape *s = PieceShapes::shapeOfPicture(number);
    if (!s)
        return {};
    QImage image(s->width * PieceShapes::CellPixels, s->height * PieceShapes::CellPixels, QImage::Format_RGB32);
    image.fill(qRgb(255, 255, 255));
    const PieceColours c = PieceShapes::colours(PieceShapes::kindOfPicture(number));
    for (const CellOffset &cell : s->cells)
        paintCell(image, cell.dx, cell.dy, c);
    return image;
}

} // namespace

QImage picture(int number)
{
    static const auto all = [] {
        std::array<QImage, PieceShapes::LastPicture - PieceShapes::FirstPicture + 1> pictures;
        for (int i = 0; i < int(pictures.size()); ++i)
            pictures[i] = draw(PieceShapes::FirstPicture + i);
        return pictures;
    }();
    if (number < PieceShapes::FirstPicture || number > PieceShapes::LastPicture)
        return {};
    return all[number - PieceShapes::FirstPicture];
}

} // namespace korvane::blocks::PiecePictures
