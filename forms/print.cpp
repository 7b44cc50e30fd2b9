#include "core/messages.h"
#include "forms/form.h"

#include <QPainter>
#include <algorithm>

namespace forms {
namespace {

QString printFailure(const QPrinter& printer) {
    const QString reason =
        printer.outputFileName().isEmpty()
            ? QStringLiteral("La stampante «%1» non ha accettato il lavoro.").arg(printer.printerName())
            : QStringLiteral("Impossibile scrivere il file «%1».").arg(printer.outputFileName());
    return QString::fromUtf8(core::messages::printFailed.data(),
                             qsizetype(core::messages::printFailed.size())) +
           QLatin1Char('\n') + reason;
}

// The client area as one page: the widgets paint themselves onto the
// printer (vector output, sharp at any resolution), scaled to fit the
// printable area without distortion and centred on it.
void paintPage(QPainter& painter, QWidget& client, const QPrinter& printer) {
    const double scale =
        std::min(double(printer.width()) / client.width(), double(printer.height()) / client.height());
    painter.save();
    painter.translate((printer.width() - client.width() * scale) / 2,
                      (printer.height() - client.height() * scale) / 2);
    painter.scale(scale, scale);
    client.render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    painter.restore();
}

} // namespace

void Form::print(controls::PrinterDialog& dialog) {
    if (!dialog.show()) return;
    const qint16 copies = dialog.copies();
    if (copies < 1) return;
    QPrinter& printer = dialog.printer();
    // Every copy is a page of its own; the printer must not multiply them.
    printer.setCopyCount(1);
    QPainter painter;
    if (!painter.begin(&printer))
        throw app::HandlerStop{printFailure(printer), controls::MessageTone::Warning};
    for (qint16 pass = 1; pass <= copies; ++pass) {
        if (pass > 1 && !printer.newPage()) break;
        beforePrintPage();
        paintPage(painter, *client(), printer);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw app::HandlerStop{printFailure(printer), controls::MessageTone::Warning};
}

} // namespace forms
