#include "tools/blocks/BoardPicture.h"

#include "tools/blocks/PieceShapes.h"

#include <algorithm>
#include <cstring>

namespace korvane::blocks {

static constexpr int Cell = PieceShapes::CellPixels;
static constexpr QRgb White = 0xffffffffu;

BoardPicture::BoardPicture() : m_image(Width, Height, QImage::Format_RGB32) { clear(); }

void BoardPicture::clear() { m_image.fill(White); }

void BoardPicture::andInto(QImage &dst, const QImage &src, int atX, int atY)
{
    const QImage s = src.format() == QImage::Format_RGB32 ? src : src.convertToFormat(QImage::Format_RGB32);
    const int x0 = std::max(0, atX);
    const int y0 = std::max(0, atY);
    const int x1 = std::min(dst.width(), atX + s.width());
    const int y1 = std::min(dst.height(), atY + s.height());
    for (int y = y0; y < y1; ++y) {
        auto *d = reinterpret_cast<QRgb *>(dst.scanLine(y));
        const auto *p = reinterpret_cast<const QRgb *>(s.constScanLine(y - atY));
        for (int x = x0; x < x1; ++x)
            d[x] &= p[x - atX];
    }
}

void BoardPicture::stamp(const QImage &picture, int leftCell, int topCell)
{
    andInto(m_image, picture, leftCell * Cell, topCell * Cell);
}

void BoardPicture::removeRow(int y)
{
    if (y < 1 || y > Height / Cell)
        return;
    // Bottom line first, since source and destination overlap.
    const qsizetype bytes = m_image.bytesPerLine();
    for (int line = y * Cell - 1; line >= Cell; --line)
        std::memcpy(m_image.scanLine(line), m_image.constScanLine(line - Cell), bytes);
    for (int line = 0; line < Cell; ++line)
        std::fill_n(reinterpret_cast<QRgb *>(m_image.scanLine(line)), Width, White);
}

QImage BoardPicture::region(int leftCell, int topCell, int widthCells, int heightCells) const
{
    QImage out(std::max(0, widthCells) * Cell, std::max(0, heightCells) * Cell, QImage::Format_RGB32);
    out.fill(White);
    const int sx = leftCell * Cell;
    const int sy = topCell * Cell;
    for (int y = 0; y < out.height(); ++y) {
        if (sy + y < 0 || sy + y >= Height)
            continue;
        const auto *s = reinterpret_cast<const QRgb *>(m_image.constScanLine(sy + y));
        auto *d = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (sx + x >= 0 && sx + x < Width)
                d[x] = s[sx + x];
    }
    return out;
}

} // namespace korvane::blocks
