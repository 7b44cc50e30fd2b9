#include "app/lifecycle.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

namespace app {

// The window's own area is centred: its frame is not known before the window
// manager has drawn it, and every window lands in the same place this way.
void showCentred(QWidget& window) {
    window.adjustSize();
    if (const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen()) {
        QRect area = window.geometry();
        area.moveCenter(screen->availableGeometry().center());
        window.setGeometry(area);
    }
    window.show();
}

void unload(QWidget& window) { window.close(); }

void endProgram() { QCoreApplication::exit(0); }

} // namespace app
