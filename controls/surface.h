#pragma once

#include <QWidget>

namespace controls {

// A plain surface (a window's client area, a frame) that reports mouse
// movement over itself when the window asks for it.
class Surface : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;

    void reportMouseMoves() { setMouseTracking(true); }

  signals:
    void mouseMoved();

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};

} // namespace controls
