#pragma once

#include <QImage>
#include <QWidget>

class QVideoSink;
class QVideoFrame;

namespace korvane {

// Shows the frames of a video in software, kept in proportion on black. Drawing the frames
// ourselves keeps video working where the display has no usable OpenGL (remote X, Xvfb).
class VideoSurface : public QWidget {
    Q_OBJECT
public:
    explicit VideoSurface(QWidget *parent = nullptr);

    QVideoSink *sink() const { return m_sink; }
    const QImage &currentFrame() const { return m_frame; }
    void clear();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void present(const QVideoFrame &frame);

    QVideoSink *m_sink;
    QImage m_frame;
};

} // namespace korvane
