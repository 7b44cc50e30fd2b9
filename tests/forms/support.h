#pragma once

// What the window tests share: answering message boxes as a user would,
// and watching the progress bar paint.
#include "controls/progressbar.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QTimer>
#include <vector>

#include <QTest>
#include <QWindow>

// Mouse input through the window system, as a real pointer: Qt picks the
// control under the pointer and honours modal blocking (the QWidget
// overloads of QTest deliver straight to the widget and skip both).
inline QPoint inWindow(QWidget* widget, QPoint point) { return widget->mapTo(widget->window(), point); }

inline void moveMouse(QWidget* widget, QPoint point) {
    QTest::mouseMove(widget->window()->windowHandle(), inWindow(widget, point));
}
inline void moveMouse(QWidget* widget) { moveMouse(widget, widget->rect().center()); }

inline void clickMouse(QWidget* widget) {
    QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {}, inWindow(widget, widget->rect().center()));
}

// Presses OK on every message box that comes up while it lives, keeping
// their texts and icons.
class MessageAnswerer : public QObject {
public:
    MessageAnswerer() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts.push_back(box->text());
                titles.push_back(box->windowTitle());
                icons.push_back(box->icon());
                box->accept();
            }
        });
        timer_.start(5);
    }

    QString last() const { return texts.empty() ? QString() : texts.back(); }

    std::vector<QString> texts;
    std::vector<QString> titles;
    std::vector<QMessageBox::Icon> icons;

private:
    QTimer timer_;
};

// Records the position of the bar at each of its paints.
class PaintedPositions : public QObject {
public:
    explicit PaintedPositions(controls::ProgressBar* bar)
        : bar_(bar) {
        bar->installEventFilter(this);
    }

    std::vector<float> positions;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == bar_ && event->type() == QEvent::Paint) positions.push_back(bar_->position());
        return false;
    }

private:
    controls::ProgressBar* bar_;
};

#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include "controls/printerdialog.h"

// Answers the printer dialog in the user's place: print `copies` copies to a
// PDF file (confirmed), or cancel.
inline void answerPrintDialog(const QString& pdf, int copies, bool confirmed = true) {
    controls::PrinterDialog::answerWith([=](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setCopyCount(copies);
        return confirmed;
    });
}

// Page count of a PDF, by poppler's pdfinfo; -1 when it cannot be read.
inline int pdfPageCount(const QString& path) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    if (!info.waitForFinished(30000) || info.exitCode() != 0) return -1;
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(info.readAll()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// One page of a PDF rendered by poppler's pdftoppm at a low resolution.
inline QImage renderPdfPage(const QString& path, int page, const QString& folder) {
    const QString stem = folder + QStringLiteral("/page");
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
                                               QStringLiteral("-singlefile"), QStringLiteral("-f"), QString::number(page),
                                               QStringLiteral("-l"), QString::number(page), path, stem});
    if (!render.waitForFinished(30000) || render.exitCode() != 0) return {};
    return QImage(stem + QStringLiteral(".png"));
}

// Pixels of about the colour (PDF rasterisers may be off by a unit or two).
inline int countPixels(const QImage& image, QColor colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) <= 3 && std::abs(pixel.green() - colour.green()) <= 3 &&
                std::abs(pixel.blue() - colour.blue()) <= 3)
                ++count;
        }
    return count;
}
