#include "controls/frame.h"

#include <QPainter>

namespace controls {
Frame::Frame(QWidget* container, const char* designName, const Twips& where, const QString& caption,
             const Look& captionLook)
    : Surface(container)
    , caption_(caption)
    , captionFont_(captionLook.font ? designFont(*captionLook.font) : container->font())
    , captionColour_(captionLook.text.value_or(palette().color(QPalette::WindowText))) {
    place(this, designName, where, caption.trimmed());
}

void Surface::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    emit mouseMoved();
}

void Frame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(captionFont_);
    // The border runs through the middle of the caption band, caption or not.
    const QRect border = rect().adjusted(0, metrics.height() / 2, -1, -1);
    outline(painter, border, palette().color(QPalette::Dark));
    outline(painter, border.translated(1, 1), palette().color(QPalette::Light));
    if (caption_.isEmpty()) return;
    const QRect band(pixels(120), 0, metrics.horizontalAdvance(caption_), metrics.height());
    painter.fillRect(band, palette().window());
    painter.setFont(captionFont_);
    painter.setPen(captionColour_);
    painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, caption_);
}

Shape::Shape(QWidget* container, const char* designName, const Twips& where, const QString& accessibleName,
             QColor fill, QColor border)
    : QWidget(container)
    , fill_(fill)
    , border_(border) {
    place(this, designName, where, accessibleName);
}

void Shape::setWidthTwips(int twips) { resize(pixels(twips), height()); }

void Shape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // A long bar reaches past its container, which clips it on screen but
    // not when the window is recorded for printing.
    if (parentWidget()) painter.setClipRect(QRect(-pos(), parentWidget()->size()));
    painter.fillRect(rect(), fill_);
    outline(painter, rect(), border_);
}

Line::Line(QWidget* container, const char* designName, QPoint fromTwips, QPoint toTwips)
    : QWidget(container) {
    const QRect span = QRect(fromTwips, toTwips).normalized();
    place(this, designName,
          {span.left(), span.top(), span.width() + twipsPerPixel, span.height() + twipsPerPixel}, QString());
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor colour = palette().color(QPalette::WindowText);
    // A level or upright line is the widget's whole one-pixel strip, filled
    // so that no scale loses it (see outline()).
    if (width() == 1 || height() == 1) {
        painter.fillRect(rect(), colour);
    } else {
        painter.setPen(colour);
        painter.drawLine(0, 0, width() - 1, height() - 1);
    }
}

} // namespace controls
