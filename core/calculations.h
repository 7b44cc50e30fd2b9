#pragma once

#include "core/measures.h"

#include <optional>
#include <string>
#include <string_view>

// Each window's "Calcola", from the texts of its boxes to the texts it
// writes, or why it shows a message instead. Every step takes the texts as
// the boxes hold them at that moment: a sweep's pass reads them again at
// every pass, and values pass between boxes only as texts.
namespace core {

// The body-weight window: before the sweep, a height it can compute for;
// at each pass, the body-mass value.
Checked<double> checkStature(std::string_view heightText);
Checked<std::string> bodyMassText(std::string_view heightText, std::string_view weightText);

// The weight bar's width in twips while the weight is typed; none for a text
// that is not (yet) a weight, which leaves the bar alone.
std::optional<int> weightBar(std::string_view weightText);

// The ideal-weight window's pass: the height less the constant in its box.
Checked<std::string> idealWeightText(std::string_view heightText, std::string_view constantText);

// The energy window: the age band's coefficient and constant for their
// boxes; the basal metabolism from the weight and those boxes' texts (the
// constant read as a leading number); at each pass, the expenditure.
struct AgeBandTexts {
    std::string coefficient;
    std::string constant;
};
Checked<AgeBandTexts> ageBandTexts(Sex sex, std::string_view ageText);
Checked<std::string> basalMetabolismText(std::string_view weightText, std::string_view coefficientText,
                                         std::string_view constantText);
Checked<std::string> expenditureText(std::string_view factorText, std::string_view basalText);

} // namespace core
