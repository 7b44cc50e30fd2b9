#include "controls/printerdialog.h"

#include <QPrintDialog>
#include <algorithm>
#include <limits>

namespace controls {
namespace {

PrinterDialog::Answer& testAnswer() {
    static PrinterDialog::Answer answer;
    return answer;
}

} // namespace

PrinterDialog::PrinterDialog(QWidget* window, const char* designName)
    : QObject(window)
    , window_(window) {
    setObjectName(QString::fromLatin1(designName));
}

QPrinter& PrinterDialog::printer() {
    if (!printer_) printer_.emplace(QPrinter::HighResolution);
    return *printer_;
}

bool PrinterDialog::show() {
    if (testAnswer()) return testAnswer()(printer());
    QPrintDialog dialog(&printer(), window_);
    // A window is one page: page ranges, a selection or a current page mean
    // nothing here.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

qint16 PrinterDialog::copies() const {
    if (!printer_) return 1;
    return static_cast<qint16>(std::min(printer_->copyCount(), int{std::numeric_limits<qint16>::max()}));
}

void PrinterDialog::answerWith(Answer answer) { testAnswer() = std::move(answer); }

} // namespace controls
