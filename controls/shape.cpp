#include "controls/shape.h"

#include <QPainter>

namespace controls {

Shape::Shape(QWidget* container, const char* designName, const Twips& where, const QString& accessibleName,
             QColor fill, QColor border)
    : QWidget(container)
    , fill_(fill)
    , border_(border) {
    place(this, designName, where, accessibleName);
}

void Shape::setWidthTwips(int twips) { resize(pixels(twips), height()); }

void Shape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // A long bar reaches past its container, which clips it on screen but
    // not when the window is recorded for printing.
    if (parentWidget()) painter.setClipRect(QRect(-pos(), parentWidget()->size()));
    painter.fillRect(rect(), fill_);
    outline(painter, rect(), border_);
}

} // namespace controls
