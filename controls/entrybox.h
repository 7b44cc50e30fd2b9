#pragma once

#include "controls/design.h"

#include <QLineEdit>

namespace controls {

// A single-line text box with the design's events: KeyDown for every key it
// receives, Click for a completed left click, and, when it is a numeric
// box, every typed character passed through the numeric key filter first.
// Change is QLineEdit::textChanged, which also follows program writes.
class EntryBox : public QLineEdit {
    Q_OBJECT
  public:
    enum class Keys { Filtered, AsTyped };

    EntryBox(QWidget* container, const char* designName, const Twips& where, const QString& accessibleName,
             const QString& text, Keys keys, const Look& look = {});

  signals:
    void keyDown(int key);
    void clicked();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    Keys keys_;
};

} // namespace controls
