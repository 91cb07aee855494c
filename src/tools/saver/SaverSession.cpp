#include "tools/saver/SaverSession.h"

#include "platform/Platform.h"
#include "platform/Twips.h"
#include "tools/saver/CircleBatch.h"
#include "tools/saver/SaverModule.h"

#include <QPainter>

namespace korvane {

SaverSession::SaverSession(SaverModule &module, Platform &platform, QObject *parent)
    : QObject(parent), m_module(module), m_platform(platform),
      m_password(module, platform.saverSystem(), platform.registry()), m_moves(module.moveCount)
{
}

SaverSession::~SaverSession() { finish(); }

void SaverSession::load(QSize surfacePixels)
{
    m_password.start();

    m_surface = QImage(surfacePixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    m_surface.fill(Qt::black);
    const QImage screen = m_platform.saverSystem().grabScreen();
    if (!screen.isNull()) {
        // The whole screen, shrunk or stretched, fills the surface exactly.
        QPainter painter(&m_surface);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(0, 0), m_surface.size()), screen);
    }
    m_platform.saverSystem().hideCursor();
    emit surfaceChanged();
}

void SaverSession::tick()
{
    if (m_surface.isNull())
        return;
    const auto circles = drawRandomCircles(m_module, m_platform.random(), double(m_surface.width()) * TwipsPerPixel,
                                           double(m_surface.height()) * TwipsPerPixel);
    QPainter painter(&m_surface);
    for (const SaverCircle &c : circles) {
        const QColor colour(int(c.colour & 0xFF), int((c.colour >> 8) & 0xFF), int((c.colour >> 16) & 0xFF));
        painter.setPen(colour);
        painter.setBrush(colour);
        const double r = double(c.radius) / TwipsPerPixel;
        painter.drawEllipse(QPointF(double(c.x) / TwipsPerPixel, double(c.y) / TwipsPerPixel), r, r);
    }
    emit surfaceChanged();
}

void SaverSession::keyPressed() { emit closeRequested(); }

void SaverSession::mouseButtonPressed() { emit closeRequested(); }

void SaverSession::mouseMoved()
{
    const double secondsOfDay = m_platform.clock().now().time().msecsSinceStartOfDay() / 1000.0;
    if (m_moves.mouseMoved(secondsOfDay))
        emit closeRequested();
}

bool SaverSession::allowClose()
{
    // While the password question is open, further close requests (more moves, keys on the
    // saver behind it) wait for its answer instead of stacking a second question.
    if (m_askingPassword)
        return false;
    m_askingPassword = true;
    const bool allowed = m_password.allowClose();
    m_askingPassword = false;
    return allowed;
}

void SaverSession::finish() { m_password.finish(); }

} // namespace korvane
