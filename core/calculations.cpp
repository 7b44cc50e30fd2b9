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

} // namespace

Checked<double> checkStature(std::string_view heightText) {
    const auto height = number(heightText);
    return refused(height.refusal) ? height : checkHeight(height.value);
}

Checked<std::string> bodyMassText(std::string_view heightText, std::string_view weightText) {
    const auto height = number(heightText);
    if (refused(height.refusal)) return stop<std::string>(height);
    const auto kg = weight(weightText);
    if (refused(kg.refusal)) return stop<std::string>(kg);
    return text(bodyMassValue(height.value, kg.value));
}

std::optional<int> weightBar(std::string_view weightText) {
    if (const auto kg = parseWeight(weightText)) return weightBarTwips(*kg);
    return std::nullopt;
}

Checked<std::string> idealWeightText(std::string_view heightText, std::string_view constantText) {
    const auto height = number(heightText);
    if (refused(height.refusal)) return stop<std::string>(height);
    const auto constant = number(constantText);
    if (refused(constant.refusal)) return stop<std::string>(constant);
    return text(idealWeight(height.value, constant.value));
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
    const auto kg = weight(weightText);
    if (refused(kg.refusal)) return stop<std::string>(kg);
    const auto coefficient = number(coefficientText);
    if (refused(coefficient.refusal)) return stop<std::string>(coefficient);
    return text(basalMetabolism(kg.value, coefficient.value, parseLeadingNumber(constantText)));
}

Checked<std::string> expenditureText(std::string_view factorText, std::string_view basalText) {
    const auto factor = number(factorText);
    if (refused(factor.refusal)) return stop<std::string>(factor);
    const auto basal = number(basalText);
    if (refused(basal.refusal)) return stop<std::string>(basal);
    return text(energyExpenditure(factor.value, basal.value));
}

} // namespace core
