#include "app/lifecycle.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

namespace app {

void showCentred(QWidget& window) {
    window.adjustSize();
    if (const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen()) {
        QRect area = window.geometry();
        area.moveCenter(screen->availableGeometry().center());
        window.move(area.topLeft());
    }
    window.show();
}

void unload(QWidget& window) { window.close(); }

void endProgram() { QCoreApplication::exit(0); }

} // namespace app
