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
    // A filling narrower than a pixel is drawn by the style as a rectangle
    // of negative width: nothing on screen, a dark sliver left of the bar
    // on paper. An empty bar is its groove alone.
    const int filled = style()->subElementRect(QStyle::SE_ProgressBarContents, &option, this).width() *
                       option.progress / option.maximum;
    if (filled > 0) return style()->drawControl(QStyle::CE_ProgressBar, &option, &painter, this);
    option.rect = style()->subElementRect(QStyle::SE_ProgressBarGroove, &option, this);
    style()->drawControl(QStyle::CE_ProgressBarGroove, &option, &painter, this);
}

} // namespace controls
