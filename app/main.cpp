#include "app/fixedsize.h"
#include "app/lifecycle.h"
#include "app/theme.h"
#include "app/translation.h"
#include "controls/accessible.h"
#include "forms/form1.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    // Qt speaks to screen readers itself; GTK, loaded by a GTK desktop
    // theme, would add a second, empty Zelba to their list.
    if (!qEnvironmentVariableIsSet("NO_AT_BRIDGE")) qputenv("NO_AT_BRIDGE", "1");
    QApplication application(argc, argv);
    // Lets the desktop match the windows with the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Zelba"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zelba.svg")));

    app::installItalianTexts(application);
    app::useLightLook();
    controls::installAccessibility();
    app::keepFixedSizes(application);
    // The start-up window lives as long as the program.
    forms::Form1 startWindow;
    app::showCentred(startWindow);
    return QApplication::exec();
}
