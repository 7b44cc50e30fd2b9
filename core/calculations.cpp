#include "core/calculations.h"

#include "core/numbers.h"

namespace core {
namespace {

bool refused(Refusal refusal) { return refusal != Refusal::None; }

// The refusal of an earlier step, passed on.
template <class Value, class Earlier> Checked<Value> stop(const Checked<Earlier>& earlier) {
    return {.refusal = earlier.refusal, .unreadable = earlier.unreadable};
}

Checked<double> number(std::string_view text) {
    if (const auto value = parseLocaleNumber(text)) return {*value};
    return {.refusal = Refusal::Unreadable, .unreadable = std::string(text)};
}

Checked<double> weight(std::string_view text) {
    if (const auto value = parseWeight(text)) return {*value};
    return {.refusal = Refusal::Unreadable, .unreadable = std::string(text)};
}

Checked<std::string> text(const Checked<double>& value) {
    if (refused(value.refusal)) return stop<std::string>(value);
    return {resultText(value.value)};
}

// The result text of `compute` on two values read from boxes, or the refusal
// of the first box that cannot be read.
template <class Compute>
Checked<std::string> fromBoth(const Checked<double>& first, const Checked<double>& second, Compute compute) {
    if (refused(first.refusal)) return stop<std::string>(first);
    if (refused(second.refusal)) return stop<std::string>(second);
    return text(compute(first.value, second.value));
}

} // namespace

Checked<double> checkStature(std::string_view heightText) {
    const auto height = number(heightText);
    return refused(height.refusal) ? height : checkHeight(height.value);
}

Checked<std::string> bodyMassText(std::string_view heightText, std::string_view weightText) {
    return fromBoth(number(heightText), weight(weightText), bodyMassValue);
}

std::optional<int> weightBar(std::string_view weightText) {
    if (const auto kg = parseWeight(weightText)) return weightBarTwips(*kg);
    return std::nullopt;
}

Checked<std::string> idealWeightText(std::string_view heightText, std::string_view constantText) {
    return fromBoth(number(heightText), number(constantText), idealWeight);
}

// The coefficient is written as a result text (15,3) and read back as one;
// the constant as a whole number (679).
Checked<AgeBandTexts> ageBandTexts(Sex sex, std::string_view ageText) {
    const auto age = number(ageText);
    if (refused(age.refusal)) return stop<AgeBandTexts>(age);
    const auto band = ageBand(sex, age.value);
    if (refused(band.refusal)) return stop<AgeBandTexts>(band);
    return {{resultText(band.value.coefficient), resultText(std::int64_t{band.value.constant})}};
}

Checked<std::string> basalMetabolismText(std::string_view weightText, std::string_view coefficientText,
                                         std::string_view constantText) {
    return fromBoth(weight(weightText), number(coefficientText),
                    [constantText](double kg, double coefficient) {
                        return basalMetabolism(kg, coefficient, parseLeadingNumber(constantText));
                    });
}

Checked<std::string> expenditureText(std::string_view factorText, std::string_view basalText) {
    return fromBoth(number(factorText), number(basalText), energyExpenditure);
}

} // namespace core
