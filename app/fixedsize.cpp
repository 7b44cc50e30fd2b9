#include "app/fixedsize.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPlatformSurfaceEvent>
#include <QWidget>
#include <QWindow>
#include <QWindowStateChangeEvent>

namespace app {
namespace {

constexpr char fixedSize[] = "zelbaFixedSize"; // the size a lifted window returns to
constexpr Qt::WindowStates enlarged = Qt::WindowMaximized | Qt::WindowFullScreen;

// A Wayland compositor answers a request to maximise with the size the
// window must then take; one that keeps its fixed size is a protocol error,
// and the connection, the program and whatever was typed are lost. So the
// window's upper bound is lifted as soon as the request is made, before the
// answer comes, and set again once the window is back to normal.
class FixedSizeGuard : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* window = qobject_cast<QWindow*>(object);
        if (!window) return false;
        if (event->type() == QEvent::PlatformSurface &&
            static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
                QPlatformSurfaceEvent::SurfaceCreated)
            connect(window, &QWindow::windowStateChanged, window, [window](Qt::WindowState state) {
                if (state & enlarged) liftSize(*window);
            });
        // What the platform made of the request, rather than the request.
        if (event->type() == QEvent::WindowStateChange && event->spontaneous())
            returnToSize(*window, static_cast<QWindowStateChangeEvent*>(event)->oldState());
        return false;
    }

  private:
    static void liftSize(QWindow& window) {
        if (window.minimumSize() != window.maximumSize() || window.property(fixedSize).isValid()) return;
        window.setProperty(fixedSize, window.maximumSize());
        window.setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    }

    // The bound stays lifted until the window has been enlarged and is back:
    // a change of state that the platform reports in between (the window
    // made active) must not set it again before the compositor's answer.
    static void returnToSize(QWindow& window, Qt::WindowStates before) {
        const QVariant size = window.property(fixedSize);
        if (!size.isValid()) return;
        if (window.windowStates() & enlarged) {
            // After the state change has reached the window's widget.
            QMetaObject::invokeMethod(
                &window, [&window] { window.setWindowStates(window.windowStates() & ~enlarged); },
                Qt::QueuedConnection);
        } else if (before & enlarged) {
            window.setMaximumSize(size.toSize());
            window.setProperty(fixedSize, QVariant());
        }
    }
};

} // namespace

void keepFixedSizes(QCoreApplication& application) {
    application.installEventFilter(new FixedSizeGuard(&application));
}

} // namespace app
