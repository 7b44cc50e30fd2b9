#pragma once

#include <QObject>
#include <QPrinter>
#include <optional>

class QWidget;

namespace controls {

// The printer dialog of a window: it lets the user choose a printer and the
// number of copies, and keeps the choice for the next time. The job is
// named after the window. Showing it blocks until the user closes it.
class PrinterDialog : public QObject {
    Q_OBJECT
  public:
    explicit PrinterDialog(QWidget* window, const char* designName = "CommonDialog1");

    // True when the user confirmed.
    bool show();
    qint16 copies() const;
    QPrinter& printer();

  private:
    QWidget* window_;
    // Made on first use: a printer loads the print system, which the many
    // windows never printed would pay for at every opening.
    std::optional<QPrinter> printer_;
};

} // namespace controls
