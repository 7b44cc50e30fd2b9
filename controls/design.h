#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <optional>

class QPainter;
class QWidget;

// The design's units and looks: positions in twips, fonts by their design
// face and point size, colours by their red, green and blue.
namespace controls {

inline constexpr int twipsPerPixel = 15;

constexpr int pixels(int twips) { return (twips + twipsPerPixel / 2) / twipsPerPixel; }

// Left, top, width and height in twips, as the design tables give them.
struct Twips {
    int left;
    int top;
    int width;
    int height;

    QRect toPixels() const { return {pixels(left), pixels(top), pixels(width), pixels(height)}; }
};

// The faces the design names; each maps to a metric-compatible free face.
enum class Face { MsSansSerif, MsSerif, TimesNewRoman };

struct FontSpec {
    Face face;
    double points;
    bool bold = false;
};

// Points are meant at 96 dots per inch. Setting them as logical pixels keeps
// text and layout in step on any screen and under Qt's high-DPI scaling.
QFont designFont(const FontSpec& wanted);

// Every property a control of the design may carry; each control applies
// the ones that mean something for it.
struct Look {
    std::optional<FontSpec> font = std::nullopt;
    std::optional<QColor> text = std::nullopt;
    std::optional<QColor> background = std::nullopt;
    bool centred = false;
    bool border = false;
    bool transparent = false;
    bool autoSize = false;
};

// Common to every control: design name, place within its container, the
// name a screen reader says, font and colours.
void place(QWidget* control, const char* designName, const Twips& where, const QString& accessibleName,
           const Look& look = {});

// A one-pixel outline just inside `area`, as four filled strips: a filled
// pixel is drawn at every scale, where a stroked one-pixel line loses the
// edges that a fractional scale (1,25, 1,5) puts between device pixels.
void outline(QPainter& painter, const QRect& area, const QColor& colour);

// The border of a bordered label or box, in the shade of the style's sunken
// panel (a little darker than the control's face), drawn whole at every
// scale; the control keeps a one-pixel margin for it.
void drawBorder(QPainter& painter, const QWidget& control);

// Boxes and buttons are drawn above labels and shapes of the same container
// and take the mouse where they overlap them.
void raiseInputs(QWidget* container);

} // namespace controls
