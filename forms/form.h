#pragma once

#include "app/handler.h"
#include "controls/frame.h"
#include "controls/printerdialog.h"
#include "controls/progressbar.h"

#include <QMainWindow>

class QMenu;

namespace forms {

// What every window shares: the fixed client area of 10920 x 7590 twips
// below the menu bar, title, icon, no maximize or minimize button, the
// progress bar along the bottom, and the dispatch of its handlers.
class Form : public QMainWindow {
    Q_OBJECT
  public:
    controls::Surface* client() const { return client_; }

    controls::ProgressBar* ProgressBar1;

  protected:
    explicit Form(const QString& title);

    QAction* addMenuCommand(const char* designName, const QString& caption);
    QMenu* addMenu(const char* designName, const QString& caption);
    QAction* addMenuItem(QMenu* menu, const char* designName, const QString& caption);

    // Connects a control's event to the window's handler through
    // app::runHandler, so that a failed conversion stops the handler with
    // its message whatever the handler.
    template <class Sender, class Signal, class Window>
    void handle(Sender* sender, Signal signal, void (Window::*handler)()) {
        auto* window = static_cast<Window*>(this);
        connect(sender, signal, this,
                [window, handler] { app::runHandler(window, [&] { (window->*handler)(); }); });
    }

    // The Tab order of the window's controls, first to last.
    void setTabOrder(std::initializer_list<QWidget*> order);
    using QWidget::setTabOrder;

    // Called once the constructor has placed every control.
    void finishLayout();

    // The print command: the client area once per copy chosen in the
    // dialog, one page each, in one job. Cancel prints nothing.
    void print(controls::PrinterDialog& dialog);
    virtual void beforePrintPage() {}

  private:
    controls::Surface* client_;
};

} // namespace forms
