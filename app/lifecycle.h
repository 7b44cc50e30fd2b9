#pragma once

#include <QPointer>
#include <QWidget>

// The life of the windows: one program-wide reference per window class, a
// window created on first use, shown modally or not, unloaded on close (so
// that the next opening shows it as designed), and the end of the program.
namespace app {

template <class Window> QPointer<Window>& windowReference() {
    static QPointer<Window> reference;
    return reference;
}

// A window that has been shown and closed is only waiting for its deferred
// deletion: it counts as unloaded and a fresh one is made.
template <class Window> Window& load() {
    QPointer<Window>& reference = windowReference<Window>();
    if (!reference || (reference->isHidden() && reference->testAttribute(Qt::WA_WState_ExplicitShowHide))) {
        reference = new Window;
        reference->setAttribute(Qt::WA_DeleteOnClose);
    }
    return *reference;
}

void showCentred(QWidget& window);

template <class Window> Window& show() {
    Window& window = load<Window>();
    showCentred(window);
    return window;
}

// The opener stays on screen and takes no input until this window closes.
// No owner window is named.
template <class Window> Window& showModal() {
    Window& window = load<Window>();
    window.setWindowModality(Qt::ApplicationModal);
    showCentred(window);
    return window;
}

void unload(QWidget& window);

// Stops at once: no further handler runs and no window is closed one by one.
void endProgram();

} // namespace app
