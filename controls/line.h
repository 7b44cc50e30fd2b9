#pragma once

#include "controls/design.h"

#include <QWidget>

namespace controls {

// A straight line between two points of its container, in twips.
class Line : public QWidget {
    Q_OBJECT
  public:
    Line(QWidget* container, const char* designName, QPoint fromTwips, QPoint toTwips);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace controls
