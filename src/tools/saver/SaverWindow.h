#pragma once

#include <QPointer>
#include <QWidget>

class QTimer;

namespace korvane {

class SaverSession;

// "MainForm": the borderless, top-most window over one screen that shows that screen's
// frozen picture and adds a batch of circles every 400 ms. Input over it goes to the run's
// session; the window closes when the run ends.
class SaverWindow : public QWidget {
    Q_OBJECT
public:
    static inline const QString Title = QStringLiteral("Screen Saver Main Form");
    static constexpr int TickIntervalMs = 400; // a batch of circles each time

    // Shows the session's surface with this index.
    SaverWindow(SaverSession &session, int surface, QWidget *parent = nullptr);
    ~SaverWindow() override;

    // Covers this screen and starts drawing; the window is shown by the caller.
    void cover(const QRect &screenGeometry);
    SaverSession &session() { return *m_session; }
    int surfaceIndex() const { return m_surface; }
    QTimer *timer() const { return m_timer; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QPointer<SaverSession> m_session;
    int m_surface;
    QTimer *m_timer;
};

} // namespace korvane
