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

} // namespace controls
