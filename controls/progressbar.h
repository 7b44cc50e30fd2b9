#pragma once

#include "controls/design.h"

#include <QWidget>

namespace controls {

// A horizontal progress bar from 0 to 1000 with a single-precision
// position and no text. Setting the position draws it at once, without
// waiting for the event loop, so that every step of a sweep is seen.
class ProgressBar : public QWidget {
    Q_OBJECT
  public:
    static constexpr float maximum = 1000.0f;

    ProgressBar(QWidget* container, const char* designName, const Twips& where,
                const QString& accessibleName);

    float position() const { return position_; }
    void setPosition(float position);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    float position_ = 0.0f;
};

} // namespace controls
