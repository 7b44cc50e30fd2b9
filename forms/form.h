#pragma once

#include "app/handler.h"
#include "controls/printerdialog.h"
#include "controls/progressbar.h"
#include "controls/surface.h"

#include <QMainWindow>

namespace forms {

// What every window shares: the fixed client area of 10920 x 7590 twips
// below the menu bar, title, no maximize or minimize button, the progress
// bar along the bottom, the "File" menu with "Stampa", and the dispatch of
// its handlers.
class Form : public QMainWindow {
    Q_OBJECT
  public:
    controls::Surface* client() const { return clientArea; }

  protected:
    explicit Form(const QString& title);

    QAction* addMenuCommand(const char* designName, const QString& caption);
    // "File" with its one item, "Stampa", which prints the window.
    void addFileMenu(const char* printItemName);

    // Connects a control's event to the window's handler through
    // app::runHandler, so that a failed conversion stops the handler with
    // its message whatever the handler.
    template <class Sender, class Signal, class Handler>
    void handle(Sender* sender, Signal signal, Handler handler) {
        connect(sender, signal, this, [this, handler] { app::runHandler(this, handler); });
    }
    template <class Sender, class Signal, class Window>
    void handle(Sender* sender, Signal signal, void (Window::*handler)()) {
        handle(sender, signal, [window = static_cast<Window*>(this), handler] { (window->*handler)(); });
    }

    // The Tab order of the window's controls, first to last.
    void setTabOrder(std::initializer_list<QWidget*> order);
    using QWidget::setTabOrder;

    // Called once the constructor has placed every control.
    void finishLayout();

    // The sweep of a "Calcola" over this window's progress bar.
    void sweep(const std::function<void()>& pass);

    // The print command: the client area once per copy chosen in the
    // dialog, one page each, in one job. Cancel prints nothing.
    void print(controls::PrinterDialog& dialog);
    virtual void beforePrintPage() {}

  private:
    void onPrint() { print(*printerDialog); }
    // One page a copy in one job; false when the printer refused it.
    bool paintCopies(QPrinter& printer, qint16 copies);

    controls::Surface* clientArea;
    controls::ProgressBar* progressBar;
    controls::PrinterDialog* printerDialog;
};

} // namespace forms
