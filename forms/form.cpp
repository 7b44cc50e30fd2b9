#include "forms/form.h"

#include "forms/design.h"

#include <QApplication>
#include <QIcon>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

namespace forms {

Form::Form(const QString& title)
    : client_(new controls::Surface(this)) {
    setWindowTitle(title);
    // One icon for every window, set on the application: a QIcon per window
    // would render its SVG afresh at four sizes for each window shown.
    static const bool iconSet =
        (QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zelba.svg"))), true);
    Q_UNUSED(iconSet);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(controls::designFont(design::font::window));
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(controls::pixels(10920), controls::pixels(7590));
    setCentralWidget(client_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ProgressBar1 = new controls::ProgressBar(client_, "ProgressBar1", {120, 6960, 8775, 375},
                                             QStringLiteral("Avanzamento del calcolo"));
}

QAction* Form::addMenuCommand(const char* designName, const QString& caption) {
    QAction* action = menuBar()->addAction(caption);
    action->setObjectName(QString::fromLatin1(designName));
    return action;
}

QMenu* Form::addMenu(const char* designName, const QString& caption) {
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(designName));
    menu->menuAction()->setObjectName(QString::fromLatin1(designName));
    return menu;
}

QAction* Form::addMenuItem(QMenu* menu, const char* designName, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(designName));
    return action;
}

void Form::setTabOrder(std::initializer_list<QWidget*> order) {
    for (auto next = order.begin() + 1; next < order.end(); ++next) QWidget::setTabOrder(*(next - 1), *next);
}

void Form::finishLayout() { controls::raiseInputs(client_); }

} // namespace forms
