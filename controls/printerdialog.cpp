#include "controls/printerdialog.h"

#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <algorithm>
#include <limits>

namespace controls {

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
    printer().setDocName(window_->windowTitle());
    QPrintDialog dialog(&printer(), window_);
    // A window is one page: page ranges, a selection or a current page mean
    // nothing here.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // With CUPS, Qt shows its range group (odd or even pages included)
    // again at every showing whatever the options say, and a range would
    // print fewer copies than chosen. Shelved in a hidden holder, it can be
    // made visible but never seen; its buttons keep saying "all pages".
    if (auto* range = dialog.findChild<QGroupBox*>(QStringLiteral("gbPrintRange"))) {
        auto* shelf = new QWidget(&dialog);
        shelf->hide();
        range->setParent(shelf);
    }
    // Qt proposes "<document name>.pdf" for printing to a file on X11 only;
    // elsewhere it proposes the bare folder, which it then refuses to print to.
    if (printer().outputFileName().isEmpty())
        if (auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
            file->setText(QDir::home().filePath(printer().docName() + QStringLiteral(".pdf")));
    // The dialog switches the printer as the user browses; Cancel keeps
    // the one chosen before.
    const QString chosen = printer().printerName();
    const QPrinter::OutputFormat format = printer().outputFormat();
    if (dialog.exec() != QDialog::Accepted) {
        printer().setOutputFormat(format);
        if (format == QPrinter::NativeFormat) printer().setPrinterName(chosen);
        return false;
    }
    printer().setPrintRange(QPrinter::AllPages);
    printer().setPageRanges({});
    return true;
}

qint16 PrinterDialog::copies() const {
    if (!printer_) return 1;
    return static_cast<qint16>(std::min(printer_->copyCount(), int{std::numeric_limits<qint16>::max()}));
}

} // namespace controls
