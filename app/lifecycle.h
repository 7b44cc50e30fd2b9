#pragma once

#include <QPointer>
#include <QWidget>

// The life of the secondary windows: one program-wide reference per window
// class, a window made on first use and shown modally, deleted once closed
// (so that the next opening shows it as designed), and the end of the
// program.
namespace app {

void showCentred(QWidget& window);

// The opener stays on screen and takes no input until this window closes.
// No owner window is named. A closed window only waits for its deferred
// deletion: the next opening makes a fresh one.
template <class Window> Window& showModal() {
    static QPointer<Window> reference;
    if (!reference || reference->isHidden()) {
        reference = new Window;
        reference->setAttribute(Qt::WA_DeleteOnClose);
        reference->setWindowModality(Qt::ApplicationModal);
    }
    showCentred(*reference);
    return *reference;
}

void unload(QWidget& window);

// Stops at once: no further handler runs and no window is closed one by one.
void endProgram();

} // namespace app
