#include "app/lifecycle.h"
#include "controls/accessible.h"
#include "forms/form1.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);

    // The interface is Italian by design, so Qt's own texts (dialog buttons,
    // the boxes' context menu) are Italian whatever the user's locale.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    controls::installAccessibility();
    app::show<forms::Form1>();
    const int status = QApplication::exec();
    delete app::windowReference<forms::Form1>().data();
    return status;
}
