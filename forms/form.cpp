#include "forms/form.h"

#include "app/sweep.h"
#include "forms/looks.h"

#include <QLayout>
#include <QMenu>
#include <QMenuBar>

namespace forms {

Form::Form(const QString& title)
    : clientArea(new controls::Surface(this))
    , printerDialog(new controls::PrinterDialog(this)) {
    setWindowTitle(title);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(controls::designFont(design::font::window));
    clientArea->setFixedSize(controls::pixels(10920), controls::pixels(7590));
    setCentralWidget(clientArea);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    progressBar = new controls::ProgressBar(clientArea, "ProgressBar1", {120, 6960, 8775, 375},
                                            QStringLiteral("Avanzamento del calcolo"));
}

QAction* Form::addMenuCommand(const char* designName, const QString& caption) {
    QAction* action = menuBar()->addAction(caption);
    action->setObjectName(QString::fromLatin1(designName));
    return action;
}

void Form::addFileMenu(const char* printItemName) {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("File"));
    menu->setObjectName(QStringLiteral("mnuFile"));
    menu->menuAction()->setObjectName(QStringLiteral("mnuFile"));
    QAction* printItem = menu->addAction(QStringLiteral("Stampa"));
    printItem->setObjectName(QString::fromLatin1(printItemName));
    handle(printItem, &QAction::triggered, &Form::onPrint);
}

void Form::setTabOrder(std::initializer_list<QWidget*> order) {
    for (auto next = order.begin() + 1; next < order.end(); ++next) QWidget::setTabOrder(*(next - 1), *next);
}

void Form::finishLayout() { controls::raiseInputs(clientArea); }

void Form::sweep(const std::function<void()>& pass) { app::runProgressSweep(*progressBar, pass); }

} // namespace forms
