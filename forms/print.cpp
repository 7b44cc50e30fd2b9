#include "controls/text.h"
#include "core/messages.h"
#include "forms/form.h"

#include <QPainter>
#include <QPicture>
#include <algorithm>

namespace forms {
namespace {

QString printFailure(const QPrinter& printer) {
    const std::string reason = printer.outputFileName().isEmpty()
                                   ? core::messages::printerRefused(printer.printerName().toStdString())
                                   : core::messages::fileNotWritten(printer.outputFileName().toStdString());
    return controls::qtText(core::messages::printFailed) + QLatin1Char('\n') + controls::qtText(reason);
}

// The client area as one page, scaled to fit the printable area without
// distortion and centred on it. The widgets are recorded as drawing
// commands and replayed, so that the page holds text and lines: rendering
// them onto the printer directly would go through a page-sized picture.
void paintPage(QPainter& painter, QWidget& client, const QPrinter& printer) {
    QPicture picture;
    QPainter recorder(&picture);
    client.render(&recorder, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    recorder.end();
    const double scale =
        std::min(double(printer.width()) / client.width(), double(printer.height()) / client.height());
    painter.save();
    painter.translate((printer.width() - client.width() * scale) / 2,
                      (printer.height() - client.height() * scale) / 2);
    // A picture replays in its own resolution, the screen's.
    painter.scale(scale * picture.logicalDpiX() / printer.logicalDpiX(),
                  scale * picture.logicalDpiY() / printer.logicalDpiY());
    painter.drawPicture(0, 0, picture);
    painter.restore();
}

} // namespace

void Form::print(controls::PrinterDialog& dialog) {
    if (!dialog.show()) return;
    const qint16 copies = dialog.copies();
    if (copies < 1) return;
    QPrinter& printer = dialog.printer();
    // Every copy is a page of its own: the printer must not multiply them
    // while painting, and the next dialog offers the copies chosen again.
    printer.setCopyCount(1);
    const bool printed = paintCopies(printer, copies);
    printer.setCopyCount(copies);
    if (!printed) throw app::HandlerStop{printFailure(printer), controls::MessageTone::Warning};
}

bool Form::paintCopies(QPrinter& printer, qint16 copies) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    for (qint16 pass = 1; pass <= copies; ++pass) {
        if (pass > 1 && !printer.newPage()) break;
        beforePrintPage();
        paintPage(painter, *client(), printer);
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

} // namespace forms
