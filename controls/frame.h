#pragma once

#include "controls/design.h"
#include "controls/surface.h"

namespace controls {

// A frame: an etched rectangle with an optional caption in its own font
// and colour. The caption's look stays with the frame; the controls inside
// keep the window's font and colours (a QGroupBox would hand them down).
class Frame : public Surface {
    Q_OBJECT
  public:
    Frame(QWidget* container, const char* designName, const Twips& where, const QString& caption = {},
          const Look& captionLook = {});

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString caption_;
    QFont captionFont_;
    QColor captionColour_;
};

} // namespace controls
