#include "controls/surface.h"

namespace controls {

void Surface::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    emit mouseMoved();
}

} // namespace controls
