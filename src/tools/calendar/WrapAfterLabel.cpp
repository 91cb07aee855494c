#include "tools/calendar/WrapAfterLabel.h"

#include <QFontMetrics>
#include <QPainter>

namespace korvane {

WrapAfterLabel::WrapAfterLabel(QChar breakAfter, QWidget *parent) : QLabel(parent), m_breakAfter(breakAfter) {}

QStringList WrapAfterLabel::lines(const QString &text, QChar breakAfter, const QFontMetrics &metrics, int width)
{
    QStringList lines;
    QString line;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype at = text.indexOf(breakAfter, start);
        const qsizetype end = at < 0 ? text.size() : at + 1;
        const QString piece = text.mid(start, end - start);
        if (!line.isEmpty() && metrics.horizontalAdvance(line + piece) > width) {
            lines << line;
            line.clear();
        }
        line += piece;
        start = end;
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

void WrapAfterLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    painter.setPen(palette().color(foregroundRole()));
    const QRect area = contentsRect();
    const QFontMetrics metrics(font());
    const Qt::Alignment across = alignment() & Qt::AlignHorizontal_Mask;
    int top = area.top();
    for (const QString &line : lines(text(), m_breakAfter, metrics, area.width())) {
        painter.drawText(QRect(area.left(), top, area.width(), metrics.height()), int(across | Qt::AlignTop), line);
        top += metrics.lineSpacing();
    }
}

} // namespace korvane
