#include "controls/multilinebox.h"

#include <QPainter>

namespace controls {

MultiLineBox::MultiLineBox(QWidget* container, const char* designName, const Twips& where,
                           const QString& accessibleName, const QString& text, const Look& look)
    : QPlainTextEdit(container) {
    place(this, designName, where, accessibleName, look);
    QString shown = text;
    shown.remove(QLatin1Char('\r'));
    setPlainText(shown);
    setReadOnly(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // The style's panel would lose its top line at fractional scales.
    setFrameShape(QFrame::NoFrame);
    setViewportMargins(1, 1, 1, 1);
    QPalette own = palette();
    for (auto role : {QPalette::Text, QPalette::Base, QPalette::Window, QPalette::WindowText})
        own.setColor(QPalette::Disabled, role, own.color(QPalette::Active, role));
    setPalette(own);
}

bool MultiLineBox::event(QEvent* event) {
    const bool handled = QPlainTextEdit::event(event);
    if (event->type() == QEvent::Paint) {
        QPainter painter(this);
        drawBorder(painter, *this);
    }
    return handled;
}

} // namespace controls
