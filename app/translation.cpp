#include "app/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace app {

void installItalianTexts(QCoreApplication& application) {
    auto* qtTexts = new QTranslator(&application);
    if (qtTexts->load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts);
    // What Qt's catalogue leaves in English (the printer dialog's duplex
    // options, its properties' "Advanced" tab...), from Zelba's own.
    auto* gaps = new QTranslator(&application);
    if (gaps->load(QStringLiteral(":/translations/zelba_qt_it.qm")))
        QCoreApplication::installTranslator(gaps);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

} // namespace app
