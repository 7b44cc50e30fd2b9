#include "controls/line.h"

#include <QPainter>

namespace controls {

Line::Line(QWidget* container, const char* designName, QPoint fromTwips, QPoint toTwips)
    : QWidget(container) {
    const QRect span = QRect(fromTwips, toTwips).normalized();
    place(this, designName,
          {span.left(), span.top(), span.width() + twipsPerPixel, span.height() + twipsPerPixel}, QString());
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor colour = palette().color(QPalette::WindowText);
    // A level or upright line is the widget's whole one-pixel strip, filled
    // so that no scale loses it (see outline()).
    if (width() == 1 || height() == 1) {
        painter.fillRect(rect(), colour);
    } else {
        painter.setPen(colour);
        painter.drawLine(0, 0, width() - 1, height() - 1);
    }
}

} // namespace controls
