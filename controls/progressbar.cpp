#include "controls/progressbar.h"

#include <QPainter>
#include <QStyleOption>
#include <algorithm>
#include <cmath>

namespace controls {

ProgressBar::ProgressBar(QWidget* container, const char* designName, const Twips& where,
                         const QString& accessibleName)
    : QWidget(container) {
    place(this, designName, where, accessibleName);
}

void ProgressBar::setPosition(float position) {
    position_ = position;
    repaint();
}

void ProgressBar::paintEvent(QPaintEvent*) {
    QStyleOptionProgressBar option;
    option.initFrom(this);
    option.minimum = 0;
    option.maximum = static_cast<int>(maximum);
    option.progress = static_cast<int>(std::lround(std::clamp(position_, 0.0f, maximum)));
    option.textVisible = false;
    option.state |= QStyle::State_Horizontal;
    QPainter painter(this);
    style()->drawControl(QStyle::CE_ProgressBar, &option, &painter, this);
}

} // namespace controls
