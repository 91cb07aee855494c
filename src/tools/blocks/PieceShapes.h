#pragma once

#include <QRgb>
#include <array>

namespace korvane::blocks {

// One cell of a piece, as an offset from the top-left cell of the piece's box. A bottom
// cell is the lowest cell of the piece in its column: the cell below it decides landing.
struct CellOffset {
    int dx;
    int dy;
    bool bottom;
};

// One orientation of a piece kind: its picture number, the size of its box in cells
// and its four cells in the order the game's tests walk them.
struct PieceShape {
    int picture;
    int width;
    int height;
    std::array<CellOffset, 4> cells;
};

struct PieceColours {
    QRgb face;
    QRgb light;
    QRgb dark;
};

namespace PieceShapes {

inline constexpr int KindCount = 7;
inline constexpr int FirstPicture = 11;
inline constexpr int LastPicture = 29;
inline constexpr int CellPixels = 20;

// Orientations of a kind (1 to 7); 0 for anything else.
int orientationCount(int kind);
// The orientation that a rotation count gives; counts keep growing across orientations.
int orientationOf(int kind, int rotCount);
// Picture number of a kind and orientation, 0 for an unknown kind.
int pictureNumber(int kind, int orientation);
// The shape of a kind and orientation, nullptr for an unknown kind.
const PieceShape *shape(int kind, int orientation);
// The shape drawn by a picture number (11 to 29), nullptr otherwise.
const PieceShape *shapeOfPicture(int picture);
// The kind a picture number belongs to, 0 for an unknown number.
int kindOfPicture(int picture);
// Face and edge colours of a kind; L and J share theirs, and so do Z and S.
PieceColours colours(int kind);

} // namespace PieceShapes

} // namespace korvane::blocks
