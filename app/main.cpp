#include "app/lifecycle.h"
#include "app/theme.h"
#include "app/translation.h"
#include "controls/accessible.h"
#include "forms/form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Lets the desktop match the windows with the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Zelba"));

    app::installItalianTexts(application);
    app::useLightLook();
    controls::installAccessibility();
    app::show<forms::Form1>();
    const int status = QApplication::exec();
    delete app::windowReference<forms::Form1>().data();
    return status;
}
