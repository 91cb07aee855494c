#include "tools/blocks/DecorativePicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>

namespace korvane::blocks::DecorativePicture {

namespace {

// A small fixed generator, so that the picture is the same on every run.
class Noise {
public:
    explicit Noise(unsigned seed) : m_state(seed) {}
    double next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return double(m_state >> 8) / double(1u << 24);
    }

private:
    unsigned m_state;
};

// A mountain ridge across the picture: a midpoint-displaced line above the base height.
QPainterPath ridge(unsigned seed, double base, double rough, double bottom)
{
    Noise noise(seed);
    constexpr int Steps = 64;
    std::array<double, Steps + 1> h{};
    h[0] = base - rough * noise.next();
    h[Steps] = base - rough * noise.next();
    for (int span = Steps; span > 1; span /= 2) {
        for (int i = span / 2; i < Steps; i += span)
            h[i] = (h[i - span / 2] + h[i + span / 2]) / 2 + (noise.next() - 0.5) * rough * span / Steps * 2;
    }
    QPainterPath path(QPointF(0, bottom));
    for (int i = 0; i <= Steps; ++i)
        path.lineTo(double(i) * Width / Steps, h[i]);
    path.lineTo(Width, bottom);
    path.closeSubpath();
    return path;
}

void paintLand(QPainter &p, double horizon)
{
    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0.0, QColor(24, 32, 84));
    sky.setColorAt(0.45, QColor(104, 82, 150));
    sky.setColorAt(0.8, QColor(236, 140, 96));
    sky.setColorAt(1.0, QColor(252, 206, 128));
    p.fillRect(QRectF(0, 0, Width, horizon), sky);

    Noise stars(7);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        const double y = stars.next() * horizon * 0.35;
        p.setBrush(QColor(255, 255, 240, int(90 + 120 * stars.next())));
        p.drawEllipse(QPointF(stars.next() * Width, y), 0.8, 0.8);
    }

    QRadialGradient sun(QPointF(Width * 0.66, horizon - 34), 40);
    sun.setColorAt(0.0, QColor(255, 250, 220));
    sun.setColorAt(0.35, QColor(255, 226, 150));
    sun.setColorAt(1.0, QColor(255, 200, 120, 0));
    p.setBrush(sun);
    p.drawEllipse(QPointF(Width * 0.66, horizon - 34), 40, 40);

    p.setBrush(QColor(92, 74, 120));
    p.drawPath(ridge(11, horizon - 70, 80, horizon));
    p.setBrush(QColor(58, 50, 88));
    p.drawPath(ridge(23, horizon - 38, 60, horizon));
    p.setBrush(QColor(30, 34, 52));
    p.drawPath(ridge(37, horizon - 10, 30, horizon));
}

} // namespace

QImage make()
{
    QImage image(Width, Height, QImage::Format_RGB32);
    const double horizon = Height * 0.62;
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        paintLand(p, horizon);
    }
    // The lake mirrors the land above it, darker and rippled.
    for (int y = int(horizon); y < Height; ++y) {
        const int depth = y - int(horizon);
        const int source = int(horizon) - 1 - depth;
        const auto *from = reinterpret_cast<const QRgb *>(image.constScanLine(std::max(0, source)));
        auto *to = reinterpret_cast<QRgb *>(image.scanLine(y));
        const int shift = int(std::lround(2.0 * std::sin(depth * 0.55)));
        const double dim = 0.55 - 0.25 * depth / (Height - horizon);
        for (int x = 0; x < Width; ++x) {
            const QRgb c = from[std::clamp(x + shift, 0, Width - 1)];
            to[x] = qRgb(int(qRed(c) * dim + 8), int(qGreen(c) * dim + 14), int(qBlue(c) * dim + 30));
        }
    }
    QPainter p(&image);
    p.setPen(QPen(QColor(255, 230, 180, 70), 1));
    Noise glints(3);
    for (int i = 0; i < 30; ++i) {
        const double y = horizon + 4 + glints.next() * (Height - horizon - 8);
        const double x = Width * 0.66 + (glints.next() - 0.5) * 60;
        p.drawLine(QPointF(x - 6, y), QPointF(x + 6, y));
    }
    return image;
}

} // namespace korvane::blocks::DecorativePicture
