#pragma once

#include "controls/design.h"

#include <QPushButton>

namespace controls {

// A command button; "&" in its caption marks the access key. Enter, like
// Space, presses the focused button.
class Button : public QPushButton {
  public:
    Button(QWidget* container, const char* designName, const Twips& where, const QString& caption,
           const Look& look = {})
        : QPushButton(caption, container) {
        place(this, designName, where, QString(caption).remove(QLatin1Char('&')), look);
        setAutoDefault(true);
    }
};

} // namespace controls
