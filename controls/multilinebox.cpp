#include "controls/multilinebox.h"

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
    QPalette own = palette();
    for (auto role : {QPalette::Text, QPalette::Base, QPalette::Window, QPalette::WindowText})
        own.setColor(QPalette::Disabled, role, own.color(QPalette::Active, role));
    setPalette(own);
}

} // namespace controls
