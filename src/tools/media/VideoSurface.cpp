#include "tools/media/VideoSurface.h"

#include <QPainter>
#include <QVideoFrame>
#include <QVideoSink>

namespace korvane {

VideoSurface::VideoSurface(QWidget *parent) : QWidget(parent), m_sink(new QVideoSink(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(m_sink, &QVideoSink::videoFrameChanged, this, &VideoSurface::present);
}

void VideoSurface::clear()
{
    m_frame = QImage();
    update();
}

void VideoSurface::present(const QVideoFrame &frame)
{
    m_frame = frame.isValid() ? frame.toImage() : QImage();
    update();
}

void VideoSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_frame.isNull())
        return;
    QSize size = m_frame.size();
    size.scale(this->size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_frame);
}

} // namespace korvane
