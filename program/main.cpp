#include "forms/form1.h"
#include "program/startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    program::prepareEnvironment();
    QApplication application(argc, argv);
    const auto startWindow = program::start(application);
    return QApplication::exec();
}
