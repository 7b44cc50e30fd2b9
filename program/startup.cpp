#include "program/startup.h"

#include "app/fixedsize.h"
#include "app/lifecycle.h"
#include "app/theme.h"
#include "app/translation.h"
#include "controls/accessible.h"
#include "forms/form1.h"

#include <QApplication>
#include <QIcon>

namespace program {

void prepareEnvironment() {
    // Qt speaks to screen readers itself; GTK, loaded by a GTK desktop
    // theme, would add a second, empty Zelba to their list.
    if (!qEnvironmentVariableIsSet("NO_AT_BRIDGE")) qputenv("NO_AT_BRIDGE", "1");
}

std::unique_ptr<forms::Form1> start(QApplication& application) {
    // Lets the desktop match the windows with the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Zelba"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zelba.svg")));
    app::installItalianTexts(application);
    app::useLightLook();
    controls::installAccessibility();
    app::keepFixedSizes(application);
    auto startWindow = std::make_unique<forms::Form1>();
    app::showCentred(*startWindow);
    return startWindow;
}

} // namespace program
