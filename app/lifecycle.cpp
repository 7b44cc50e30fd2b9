#include "app/lifecycle.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace app {

// The window's own area is centred: its frame is not known before the window
// manager has drawn it, and every window lands in the same place this way.
// A window larger than the screen's free area would have its title bar and
// menu pushed past the top edge: its frame goes to the area's top left
// corner instead, and only its far side is out of sight.
void showCentred(QWidget& window) {
    window.adjustSize();
    if (const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen()) {
        const QRect free = screen->availableGeometry();
        if (window.width() > free.width() || window.height() > free.height()) {
            window.move(free.topLeft());
        } else {
            QRect area = window.geometry();
            area.moveCenter(free.center());
            window.setGeometry(area);
        }
    }
    window.show();
}

void makeModal(QWidget& window, const QWidget& opener) {
    window.setWindowModality(Qt::ApplicationModal);
    // X11 names a transient parent (WM_TRANSIENT_FOR) only for a dialog.
    window.setWindowFlag(Qt::Dialog);
    window.winId(); // makes the window's handle, which is read at its first showing
    window.windowHandle()->setTransientParent(opener.window()->windowHandle());
}

void unload(QWidget& window) { window.close(); }

void endProgram() { QCoreApplication::exit(0); }

} // namespace app
