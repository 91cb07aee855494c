#include "tools/blocks/PieceShapes.h"

namespace korvane::blocks::PieceShapes {

namespace {

constexpr bool B = true;  // bottom cell
constexpr bool N = false; // cell with a piece cell below it

// Kinds 1 to 7 in order (I, Z, L, T, J, S, O), each with its orientations, each the
// previous one turned a quarter clockwise.
constexpr std::array<PieceShape, 19> Shapes{{
    {11, 1, 4, {{{0, 3, B}, {0, 0, N}, {0, 1, N}, {0, 2, N}}}},
    {12, 4, 1, {{{0, 0, B}, {1, 0, B}, {2, 0, B}, {3, 0, B}}}},
    {13, 3, 2, {{{0, 0, B}, {1, 1, B}, {2, 1, B}, {1, 0, N}}}},
    {14, 2, 3, {{{0, 2, B}, {1, 1, B}, {0, 1, N}, {1, 0, N}}}},
    {15, 2, 3, {{{0, 0, B}, {1, 2, B}, {1, 0, N}, {1, 1, N}}}},
    {16, 3, 2, {{{0, 1, B}, {1, 1, B}, {2, 1, B}, {2, 0, N}}}},
    {17, 2, 3, {{{0, 2, B}, {1, 2, B}, {0, 0, N}, {0, 1, N}}}},
    {18, 3, 2, {{{0, 1, B}, {1, 0, B}, {2, 0, B}, {0, 0, N}}}},
    {19, 3, 2, {{{0, 1, B}, {1, 1, B}, {2, 1, B}, {1, 0, N}}}},
    {20, 2, 3, {{{0, 2, B}, {1, 1, B}, {0, 0, N}, {0, 1, N}}}},
    {21, 3, 2, {{{0, 0, B}, {1, 1, B}, {2, 0, B}, {1, 0, N}}}},
    {22, 2, 3, {{{0, 1, B}, {1, 2, B}, {1, 0, N}, {1, 1, N}}}},
    {23, 2, 3, {{{0, 2, B}, {1, 0, B}, {0, 0, N}, {0, 1, N}}}},
    {24, 3, 2, {{{0, 0, B}, {1, 0, B}, {2, 1, B}, {2, 0, N}}}},
    {25, 2, 3, {{{0, 2, B}, {1, 2, B}, {1, 0, N}, {1, 1, N}}}},
    {26, 3, 2, {{{0, 1, B}, {1, 1, B}, {2, 1, B}, {0, 0, N}}}},
    {27, 3, 2, {{{0, 1, B}, {1, 1, B}, {2, 0, B}, {1, 0, N}}}},
    {28, 2, 3, {{{0, 1, B}, {1, 2, B}, {0, 0, N}, {1, 1, N}}}},
    {29, 2, 2, {{{0, 1, B}, {1, 1, B}, {0, 0, N}, {1, 0, N}}}},
}};

constexpr std::array<int, KindCount + 1> Orientations{0, 2, 2, 4, 4, 4, 2, 1};
constexpr std::array<int, KindCount + 1> FirstPictures{0, 11, 13, 15, 19, 23, 27, 29};

constexpr QRgb rgb(int r, int g, int b) { return 0xff000000u | (unsigned(r) << 16) | (unsigned(g) << 8) | unsigned(b); }

constexpr std::array<PieceColours, KindCount + 1> Colours{{
    {rgb(255, 255, 255), rgb(255, 255, 255), rgb(255, 255, 255)},
    {rgb(255, 0, 0), rgb(255, 160, 128), rgb(128, 0, 0)},
    {rgb(0, 192, 0), rgb(64, 255, 64), rgb(0, 96, 0)},
    {rgb(255, 0, 255), rgb(255, 128, 255), rgb(128, 0, 128)},
    {rgb(255, 128, 0), rgb(255, 160, 128), rgb(160, 32, 0)},
    {rgb(255, 0, 255), rgb(255, 128, 255), rgb(128, 0, 128)},
    {rgb(0, 192, 0), rgb(64, 255, 64), rgb(0, 96, 0)},
    {rgb(0, 0, 255), rgb(128, 128, 255), rgb(0, 0, 128)},
}};

bool validKind(int kind) { return kind >= 1 && kind <= KindCount; }

} // namespace

int orientationCount(int kind) { return validKind(kind) ? Orientations[kind] : 0; }

int orientationOf(int kind, int rotCount)
{
    const int count = orientationCount(kind);
    if (count == 0)
        return 0;
    const int o = rotCount % count;
    return o < 0 ? o + count : o;
}

int pictureNumber(int kind, int orientation)
{
    if (!validKind(kind))
        return 0;
    return FirstPictures[kind] + orientationOf(kind, orientation);
}

const PieceShape *shape(int kind, int orientation) { return shapeOfPicture(pictureNumber(kind, orientation)); }

const PieceShape *shapeOfPicture(int picture)
{
    if (picture < FirstPicture || picture > LastPicture)
        return nullptr;
    return &Shapes[picture - FirstPicture];
}

int kindOfPicture(int picture)
{
    if (picture < FirstPicture || picture > LastPicture)
        return 0;
    int kind = KindCount;
    while (FirstPictures[kind] > picture)
        --kind;
    return kind;
}

PieceColours colours(int kind) { return Colours[validKind(kind) ? kind : 0]; }

} // namespace korvane::blocks::PieceShapes
