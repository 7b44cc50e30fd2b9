#pragma once

#include "controls/design.h"

#include <QColor>

// The colours and fonts the three windows are designed with.
namespace design {

namespace colour {
inline const QColor navy{0, 0, 128};
inline const QColor maroon{128, 0, 0};
inline const QColor darkRed{64, 0, 0};
inline const QColor purple{128, 0, 128};
inline const QColor magenta{192, 0, 192};
inline const QColor blue{0, 0, 192};
inline const QColor peach{255, 224, 192};
inline const QColor lightGrey{224, 224, 224};
inline const QColor grey{192, 192, 192};
} // namespace colour

namespace font {
using controls::Face;
using controls::FontSpec;
inline constexpr FontSpec window{Face::MsSansSerif, 8.25};
inline constexpr FontSpec small{Face::MsSansSerif, 9.75};
inline constexpr FontSpec smallBold{Face::MsSansSerif, 9.75, true};
inline constexpr FontSpec entry{Face::MsSansSerif, 13.5};
inline constexpr FontSpec basal{Face::MsSansSerif, 12, true};
inline constexpr FontSpec largeEntry{Face::MsSansSerif, 18};
inline constexpr FontSpec result{Face::MsSansSerif, 24};
inline constexpr FontSpec resultBold{Face::MsSansSerif, 24, true};
inline constexpr FontSpec button{Face::MsSerif, 13.5};
inline constexpr FontSpec empty{Face::MsSerif, 24};
inline constexpr FontSpec prompt{Face::TimesNewRoman, 12, true};
inline constexpr FontSpec frameCaption{Face::TimesNewRoman, 14.25, true};
inline constexpr FontSpec expenditureHeading{Face::TimesNewRoman, 18, true};
inline constexpr FontSpec heading{Face::TimesNewRoman, 20.25, true};
inline constexpr FontSpec sex{Face::TimesNewRoman, 20.25};
inline constexpr FontSpec table{Face::TimesNewRoman, 27.75};
} // namespace font

} // namespace design
