#pragma once

#include "controls/design.h"

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

// A straight line between two points of its container, in twips.
class Line : public QWidget {
    Q_OBJECT
  public:
    Line(QWidget* container, const char* designName, QPoint fromTwips, QPoint toTwips);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace controls
