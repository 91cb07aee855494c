#pragma once

#include <QLabel>
#include <QStringList>

class QFontMetrics;

namespace korvane {

// A label whose text wraps only after a given character (the long date after its year,
// never between the digits and signs of month and day). The wrapping is done in drawing,
// so the text itself - what is read aloud, copied or asked for - stays as it was given.
class WrapAfterLabel : public QLabel {
    Q_OBJECT
public:
    WrapAfterLabel(QChar breakAfter, QWidget *parent = nullptr);

    // The lines the text is drawn in: as many pieces ending in breakAfter as fit in width
    // go on each line; a piece wider than width has a line of its own.
    static QStringList lines(const QString &text, QChar breakAfter, const QFontMetrics &metrics, int width);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QChar m_breakAfter;
};

} // namespace korvane
