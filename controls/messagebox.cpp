#include "controls/messagebox.h"

#include <QMessageBox>

namespace controls {

void showMessage(QWidget* window, const QString& text, MessageTone tone) {
    QMessageBox box(tone == MessageTone::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    QStringLiteral("Zelba 1"), text, QMessageBox::Ok, window);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace controls
