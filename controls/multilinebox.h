#pragma once

#include "controls/design.h"

#include <QPlainTextEdit>

namespace controls {

// A multi-line box that shows a fixed text. When disabled it keeps its own
// colours instead of greying out, and the mouse goes through it to its
// container. Its line ends may be CR LF; it shows them as line breaks.
class MultiLineBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    MultiLineBox(QWidget* container, const char* designName, const Twips& where,
                 const QString& accessibleName, const QString& text, const Look& look = {});

  protected:
    bool event(QEvent* event) override;
};

} // namespace controls
