#pragma once

#include "controls/design.h"

#include <QLabel>

namespace controls {

// A caption. Labels wrap at word boundaries within their width, unless
// they size themselves to their text. MouseMove is reported only when the
// window asks for it; otherwise the label keeps the movement from its
// container, as any control without a handler does.
class Label : public QLabel {
    Q_OBJECT
  public:
    Label(QWidget* container, const char* designName, const Twips& where, const QString& caption,
          const Look& look = {});

    void reportMouseMoves();

    // Shows a result without ever hiding a digit: in the label's own font
    // when it fits, else in a smaller one for this value (down to 8 px), else
    // cut with a visible "…". result() keeps the whole value.
    void showResult(const QString& value);
    QString result() const { return result_; }

  signals:
    void mouseMoved();

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void keepTextOffBorder();

    bool bordered_;
    QFont designFont_;
    QString result_;
};

} // namespace controls
