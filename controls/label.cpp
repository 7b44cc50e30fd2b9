#include "controls/label.h"

#include <QMouseEvent>

namespace controls {

Label::Label(QWidget* container, const char* designName, const Twips& where, const QString& caption,
             const Look& look)
    : QLabel(caption, container) {
    place(this, designName, where, QString(), look); // a screen reader reads the caption
    designFont_ = font();
    setAlignment((look.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    setAutoFillBackground(!look.transparent);
    if (look.border) {
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    }
    if (look.autoSize)
        resize(sizeHint());
    else
        setWordWrap(true);
}

void Label::showResult(const QString& value) {
    constexpr int smallestPixels = 8;
    result_ = value;
    const int room = contentsRect().width() - 2 * margin();
    QFont shown = designFont_;
    int pixels = QFontInfo(shown).pixelSize();
    while (pixels > smallestPixels && QFontMetrics(shown).horizontalAdvance(value) > room)
        shown.setPixelSize(--pixels);
    setFont(shown);
    setText(QFontMetrics(shown).elidedText(value, Qt::ElideRight, room));
}

void Label::reportMouseMoves() { setMouseTracking(true); }

void Label::mouseMoveEvent(QMouseEvent* event) {
    QLabel::mouseMoveEvent(event);
    event->accept(); // handled here: the container behind does not see it
    emit mouseMoved();
}

} // namespace controls
