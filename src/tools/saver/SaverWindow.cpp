#include "tools/saver/SaverWindow.h"

#include "tools/saver/SaverSession.h"

#include <QCloseEvent>
#include <QPainter>
#include <QTimer>

namespace korvane {

SaverWindow::SaverWindow(SaverModule &module, Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_session(new SaverSession(module, platform, this)), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(Title);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::BlankCursor);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(400);
    connect(m_timer, &QTimer::timeout, m_session, &SaverSession::tick);
    connect(m_session, &SaverSession::surfaceChanged, this, qOverload<>(&QWidget::update));
    connect(m_session, &SaverSession::closeRequested, this, &QWidget::close);
}

SaverWindow::~SaverWindow()
{
    // Whatever ends the window - its own close, the program quitting - the pointer comes back.
    m_timer->stop();
    m_session->finish();
}

void SaverWindow::load(const QRect &screenGeometry)
{
    setGeometry(screenGeometry);
    m_session->load(screenGeometry.size());
    m_timer->start();
}

void SaverWindow::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QImage &surface = m_session->surface();
    if (surface.isNull())
        painter.fillRect(event->rect(), Qt::black);
    else
        painter.drawImage(event->rect(), surface, event->rect());
}

void SaverWindow::keyPressEvent(QKeyEvent *) { m_session->keyPressed(); }

void SaverWindow::mousePressEvent(QMouseEvent *) { m_session->mouseButtonPressed(); }

void SaverWindow::mouseMoveEvent(QMouseEvent *) { m_session->mouseMoved(); }

void SaverWindow::closeEvent(QCloseEvent *event)
{
    if (!m_session->allowClose()) {
        event->ignore();
        activateWindow(); // keys go to the saver again after the question
        return;
    }
    m_timer->stop();
    m_session->finish();
    event->accept();
}

} // namespace korvane
