#include "controls/design.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QWidget>
#include <cmath>

namespace controls {

QFont designFont(const FontSpec& wanted) {
    QFont font;
    switch (wanted.face) {
    case Face::MsSansSerif:
        font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        break;
    case Face::MsSerif:
    case Face::TimesNewRoman:
        font.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
        break;
    }
    font.setPixelSize(static_cast<int>(std::lround(wanted.points * 96.0 / 72.0)));
    font.setBold(wanted.bold);
    return font;
}

void place(QWidget* control, const char* designName, const Twips& where, const QString& accessibleName,
           const Look& look) {
    control->setObjectName(QString::fromLatin1(designName));
    control->setGeometry(where.toPixels());
    if (!accessibleName.isEmpty()) control->setAccessibleName(accessibleName);
    if (look.font) control->setFont(designFont(*look.font));
    QPalette palette = control->palette();
    if (look.text) {
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(role, *look.text);
    }
    if (look.background) {
        palette.setColor(QPalette::Window, *look.background);
        palette.setColor(QPalette::Base, *look.background);
    }
    control->setPalette(palette);
}

void outline(QPainter& painter, const QRect& area, const QColor& colour) {
    painter.fillRect(area.left(), area.top(), area.width(), 1, colour);
    painter.fillRect(area.left(), area.bottom(), area.width(), 1, colour);
    painter.fillRect(area.left(), area.top(), 1, area.height(), colour);
    painter.fillRect(area.right(), area.top(), 1, area.height(), colour);
}

void drawBorder(QPainter& painter, const QWidget& control) {
    outline(painter, control.rect(), control.palette().color(QPalette::Window).darker(130));
}

void raiseInputs(QWidget* container) {
    for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QLineEdit*>(child) || qobject_cast<QAbstractButton*>(child) ||
            qobject_cast<QPlainTextEdit*>(child))
            child->raise();
        else
            raiseInputs(child);
    }
}

} // namespace controls
