#include "tools/saver/SaverWindow.h"

#include "tools/saver/SaverSession.h"

#include <QCloseEvent>
#include <QPainter>
#include <QTimer>

namespace korvane {

// The object names of the saver window and its tick timer, as the tests find them.
static constexpr char kWindowName[] = "MainForm";
static constexpr char kTickTimerName[] = "Timer1";

SaverWindow::SaverWindow(SaverSession &session, int surface, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_session(&session),
      m_surface(surface), m_timer(new QTimer(this))
{
    setObjectName(QLatin1String(kWindowName));
    setWindowTitle(Title);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::BlankCursor);
    m_timer->setObjectName(QLatin1String(kTickTimerName));
    m_timer->setInterval(TickIntervalMs);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (m_session)
            m_session->tick(m_surface);
    });
    connect(&session, &SaverSession::surfaceChanged, this, [this](int changed) {
        if (changed == m_surface)
            update();
    });
    connect(&session, &SaverSession::ended, this, &QWidget::close);
}

SaverWindow::~SaverWindow()
{
    // Whatever ends the window - its own close, the program quitting - input and pointer come back.
    m_timer->stop();
    if (m_session)
        m_session->abandon();
}

void SaverWindow::cover(const QRect &screenGeometry)
{
    setGeometry(screenGeometry);
    m_timer->start();
}

void SaverWindow::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (!m_session || m_surface >= m_session->surfaceCount())
        painter.fillRect(event->rect(), Qt::black);
    else
        painter.drawImage(event->rect(), m_session->surface(m_surface), event->rect());
}

void SaverWindow::keyPressEvent(QKeyEvent *)
{
    if (m_session)
        m_session->keyPressed();
}

void SaverWindow::mousePressEvent(QMouseEvent *)
{
    if (m_session)
        m_session->mouseButtonPressed();
}

void SaverWindow::mouseMoveEvent(QMouseEvent *)
{
    if (m_session)
        m_session->mouseMoved();
}

void SaverWindow::closeEvent(QCloseEvent *event)
{
    if (m_session && !m_session->hasEnded())
        m_session->requestClose();
    if (m_session && !m_session->hasEnded()) {
        event->ignore();
        activateWindow(); // keys go to the saver again after the question
        return;
    }
    m_timer->stop();
    event->accept();
}

} // namespace korvane
