#include "windows/output_pane.h"

#include <QPainter>

namespace dealwise {

OutputPane::OutputPane(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::TabFocus);
}

void OutputPane::clearPane() {
    lines_.clear();
    update();
}

void OutputPane::printLine(const QString& line) {
    lines_.append(line);
    update();
}

void OutputPane::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.setClipRect(area);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    int baseline = area.top() + metrics.ascent();
    for (const QString& line : lines_) {
        if (baseline - metrics.ascent() > area.bottom()) {
            break; // nothing scrolls: lines below the bottom edge are not seen
        }
        painter.drawText(area.left(), baseline, line);
        baseline += metrics.height();
    }
}

} // namespace dealwise
