#include "controls/label.h"

#include <QMouseEvent>
#include <QPainter>

namespace controls {

Label::Label(QWidget* container, const char* designName, const Twips& where, const QString& caption,
             const Look& look)
    : QLabel(caption, container) {
    place(this, designName, where, QString(), look); // a screen reader reads the caption
    designFont_ = font();
    setAlignment((look.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    setAutoFillBackground(!look.transparent);
    // The border is painted here rather than as the style's panel, whose
    // top line a fractional scale can lose; the text keeps its place.
    bordered_ = look.border;
    if (bordered_) setContentsMargins(1, 1, 1, 1);
    keepTextOffBorder();
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
    keepTextOffBorder();
    setText(QFontMetrics(shown).elidedText(value, Qt::ElideRight, room));
}

// Where a label has a frame, Qt sets its text off the edge by half an "x"
// of its font; a painted border does the same.
void Label::keepTextOffBorder() {
    if (bordered_) setIndent(fontMetrics().horizontalAdvance(u'x') / 2);
}

void Label::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!bordered_) return;
    QPainter painter(this);
    drawBorder(painter, *this);
}

void Label::reportMouseMoves() { setMouseTracking(true); }

void Label::mouseMoveEvent(QMouseEvent* event) {
    QLabel::mouseMoveEvent(event);
    event->accept(); // handled here: the container behind does not see it
    emit mouseMoved();
}

} // namespace controls
