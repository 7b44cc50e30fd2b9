#include "app/theme.h"

#include <QApplication>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace app {
namespace {

// Fusion's own light colours, written out: in Qt 6.4 the style's
// standardPalette() follows a dark platform theme.
QPalette fusionLightPalette() {
    const QColor window(239, 239, 239);
    const QColor dark = window.darker(150);
    const QColor mid = window.darker(130);
    const QColor shadow = dark.darker(135);
    const QColor disabledText(190, 190, 190);
    const QColor highlight(48, 140, 198);
    QPalette palette(Qt::black, window, window.lighter(150), dark, mid, Qt::black, Qt::white);
    palette.setColor(QPalette::Midlight, mid.lighter(110));
    palette.setColor(QPalette::Shadow, shadow);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Base, window);
    palette.setColor(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
    palette.setColor(QPalette::Disabled, QPalette::Shadow, shadow.lighter(150));
    palette.setColor(QPalette::Active, QPalette::Highlight, highlight);
    palette.setColor(QPalette::Inactive, QPalette::Highlight, highlight);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    palette.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
    return palette;
}

// Fusion highlights a menu title only while its menu is open, so the title
// the keyboard is on after Alt and the arrows would look like any other.
// Any title the menu bar has selected is drawn as an open one is, in the
// palette's highlight colours.
class MenuTitleStyle : public QProxyStyle {
  public:
    MenuTitleStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* title = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element != CE_MenuBarItem || !title || !(title->state & State_Selected))
            return QProxyStyle::drawControl(element, option, painter, widget);
        QStyleOptionMenuItem selected = *title;
        selected.state |= State_Sunken;
        QProxyStyle::drawControl(element, &selected, painter, widget);
    }
};

} // namespace

void useLightLook() {
    QApplication::setStyle(new MenuTitleStyle);
    QApplication::setPalette(fusionLightPalette());
}

} // namespace app
