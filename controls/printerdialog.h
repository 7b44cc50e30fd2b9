#pragma once

#include <QObject>
#include <QPrinter>
#include <functional>
#include <optional>

class QWidget;

namespace controls {

// The printer dialog of a window: it lets the user choose a printer and the
// number of copies, and keeps the choice for the next time. Showing it
// blocks until the user closes it.
class PrinterDialog : public QObject {
    Q_OBJECT
  public:
    explicit PrinterDialog(QWidget* window, const char* designName = "CommonDialog1");

    // True when the user confirmed.
    bool show();
    qint16 copies() const;
    QPrinter& printer();

    // Tests answer the dialog in the user's place: the answer may set up
    // the printer and says whether the user confirmed. An empty answer
    // brings the real dialog back.
    using Answer = std::function<bool(QPrinter&)>;
    static void answerWith(Answer answer);

  private:
    QWidget* window_;
    // Made on first use: a printer loads the print system, which the many
    // windows never printed would pay for at every opening.
    std::optional<QPrinter> printer_;
};

} // namespace controls
