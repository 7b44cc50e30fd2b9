#pragma once

#include "controls/design.h"

#include <QWidget>

namespace controls {

// A filled rectangle whose width can change, measured in twips.
class Shape : public QWidget {
    Q_OBJECT
  public:
    Shape(QWidget* container, const char* designName, const Twips& where, const QString& accessibleName,
          QColor fill, QColor border);

    void setWidthTwips(int twips);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor fill_;
    QColor border_;
};

} // namespace controls
