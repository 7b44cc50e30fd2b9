#pragma once

#include <QPointer>
#include <QWidget>

// The life of the secondary windows: one program-wide reference per window
// class, a window made on first use and shown modally, deleted once closed
// (so that the next opening shows it as designed), and the end of the
// program.
namespace app {

void showCentred(QWidget& window);

// Makes a fresh window modal and transient for its opener: the opener stays
// on screen and takes no input until the window closes, and window managers
// and compositors keep the window above the opener and place it over it.
// The opener is no owner: it does not delete, hide or keep the window.
void makeModal(QWidget& window, const QWidget& opener);

// One window of a class at a time, made on first use and again after every
// closing: a closed window only waits for its deferred deletion.
template <class Window> Window& showModal(const QWidget& opener) {
    static QPointer<Window> reference;
    if (!reference || reference->isHidden()) {
        reference = new Window;
        reference->setAttribute(Qt::WA_DeleteOnClose);
        makeModal(*reference, opener);
    }
    showCentred(*reference);
    return *reference;
}

void unload(QWidget& window);

// Stops at once: no further handler runs and no window is closed one by one.
void endProgram();

} // namespace app
