#pragma once

#include <QFrame>

namespace korvane::blocks {

class BoardPicture;

// The board picture "picBackGround": a one-pixel border around the 200 x 400 pixels of
// landed pieces. The falling piece is a child box that lies over it.
class BoardView : public QFrame {
    Q_OBJECT
public:
    explicit BoardView(const BoardPicture &picture, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const BoardPicture &m_picture;
};

} // namespace korvane::blocks
