#include "tools/saver/SaverSession.h"

#include "platform/Platform.h"
#include "platform/Twips.h"
#include "tools/saver/CircleBatch.h"
#include "tools/saver/SaverModule.h"

#include <QPainter>

namespace korvane {

namespace {

const QString NoticeTitle = QStringLiteral("屏幕保护");
const QString InputBusyNotice = QStringLiteral("屏幕保护没能独占键盘和鼠标：另一个程序正占用着它们。"
                                               "因此这次没有用密码锁定屏幕，结束时也没有询问密码。");
const QString InputUnavailableNotice = QStringLiteral("当前的桌面环境（例如 Wayland）不允许程序独占键盘和鼠标。"
                                                      "因此屏幕保护这次没有用密码锁定屏幕，结束时也没有询问密码。");

} // namespace

SaverSession::SaverSession(SaverModule &module, Platform &platform, QObject *parent)
    : QObject(parent), m_module(module), m_platform(platform),
      m_password(module, platform.saverSystem(), platform.registry()), m_moves(module.moveCount),
      m_lock(platform.saverSystem())
{
    connect(&m_lock, &InputLock::settled, this, &SaverSession::lockSettled);
}

SaverSession::~SaverSession() { abandon(); }

void SaverSession::load(const QList<QSize> &surfacePixels)
{
    m_password.start();

    SaverSystemService &system = m_platform.saverSystem();
    m_surfaces.clear();
    for (int i = 0; i < surfacePixels.size(); ++i) {
        QImage surface(surfacePixels[i].expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        surface.fill(Qt::black);
        const QImage screen = system.grabScreen(i);
        if (!screen.isNull()) {
            // The whole screen, shrunk or stretched, fills its surface exactly.
            QPainter painter(&surface);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(QRect(QPoint(0, 0), surface.size()), screen);
        }
        m_surfaces << surface;
    }
    system.hideCursor();
    for (int i = 0; i < m_surfaces.size(); ++i)
        emit surfaceChanged(i);
}

void SaverSession::lockInput(QWindow *window)
{
    if (!m_ended)
        m_lock.take(window);
}

void SaverSession::tick(int index)
{
    if (index < 0 || index >= m_surfaces.size())
        return;
    QImage &surface = m_surfaces[index];
    // Each surface is sized from its own screen, as if it were the only one.
    const auto circles = drawRandomCircles(m_module, m_platform.random(), double(surface.width()) * TwipsPerPixel,
                                           double(surface.height()) * TwipsPerPixel);
    QPainter painter(&surface);
    for (const SaverCircle &c : circles) {
        const QColor colour(int(c.colour & 0xFF), int((c.colour >> 8) & 0xFF), int((c.colour >> 16) & 0xFF));
        painter.setPen(colour);
        painter.setBrush(colour);
        const double r = double(c.radius) / TwipsPerPixel;
        painter.drawEllipse(QPointF(double(c.x) / TwipsPerPixel, double(c.y) / TwipsPerPixel), r, r);
    }
    emit surfaceChanged(index);
}

void SaverSession::keyPressed() { requestClose(); }

void SaverSession::mouseButtonPressed() { requestClose(); }

void SaverSession::mouseMoved()
{
    const double secondsOfDay = m_platform.clock().now().time().msecsSinceStartOfDay() / 1000.0;
    if (m_moves.mouseMoved(secondsOfDay))
        requestClose();
}

bool SaverSession::locked() const { return m_lock.held() && m_password.inForce(); }

void SaverSession::requestClose()
{
    // While the password question is open, further requests (more moves, keys on the saver
    // behind it) wait for its answer instead of stacking a second question.
    if (m_ended || m_askingPassword)
        return;
    if (m_lock.state() == InputLock::State::Trying) {
        m_closeWaiting = true;
        return;
    }
    if (locked()) {
        m_askingPassword = true;
        const bool allowed = m_password.allowClose();
        m_askingPassword = false;
        if (!allowed)
            return;
    }
    end(true);
}

void SaverSession::lockSettled()
{
    if (m_closeWaiting) {
        m_closeWaiting = false;
        requestClose();
    }
}

void SaverSession::abandon() { end(false); }

void SaverSession::end(bool tellUser)
{
    if (m_ended)
        return;
    m_ended = true;
    const InputLock::State lock = m_lock.state();
    const bool protectionWanted = m_password.inForce();
    m_lock.release();
    m_password.finish();
    emit ended();
    // Said once the saver's windows are gone, so that the user can read it.
    if (tellUser && protectionWanted && (lock == InputLock::State::Refused || lock == InputLock::State::Unavailable)) {
        const QString &notice = lock == InputLock::State::Unavailable ? InputUnavailableNotice : InputBusyNotice;
        m_platform.messages().showMessage(notice, MsgButtons::Ok, MsgIcon::Exclamation, NoticeTitle);
    }
}

} // namespace korvane
