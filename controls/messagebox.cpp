#include "controls/messagebox.h"

#include "controls/text.h"
#include "core/messages.h"

#include <QMessageBox>

namespace controls {

void showMessage(QWidget* window, const QString& text, MessageTone tone) {
    QMessageBox box(tone == MessageTone::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    qtText(core::messages::title), text, QMessageBox::Ok, window);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace controls
