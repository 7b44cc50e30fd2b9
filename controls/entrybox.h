#pragma once

#include "controls/design.h"

#include <QLineEdit>
#include <QPlainTextEdit>

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

// A multi-line box that shows a fixed text. When disabled it keeps its own
// colours instead of greying out, and the mouse goes through it to its
// container. Its line ends may be CR LF; it shows them as line breaks.
class MultiLineBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    MultiLineBox(QWidget* container, const char* designName, const Twips& where,
                 const QString& accessibleName, const QString& text, const Look& look = {});
};

} // namespace controls
