#include "core/measures.h"

#include "core/numbers.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace core {
namespace {

struct AgeBandRow {
    double above; // the band starts strictly above this age
    AgeBand man;
    AgeBand woman;
};

constexpr std::array ageBands{
    AgeBandRow{18, {15.3, 679}, {14.7, 496}},
    AgeBandRow{30, {11.6, 879}, {8.7, 829}},
    AgeBandRow{60, {11.9, 700}, {9.2, 688}},
    AgeBandRow{74, {8.4, 819}, {9.8, 624}},
};

struct ActivityRow {
    std::string_view man;
    std::string_view woman;
};

// Indexed by Activity.
constexpr std::array activityFactors{
    ActivityRow{"1,55", "1,56"},
    ActivityRow{"1,78", "1,64"},
    ActivityRow{"2,10", "1,82"},
};

// A value too large for a double is no result.
Checked<double> finite(double value) {
    if (!std::isfinite(value)) return {.refusal = Refusal::OutOfRange};
    return {value};
}

} // namespace

Checked<double> checkHeight(double metres) {
    if (metres >= 2.5) return {.refusal = Refusal::TooTall};
    if (metres <= 0) return {.refusal = Refusal::InvalidStature};
    return {metres};
}

std::optional<double> parseWeight(std::string_view text) {
    const auto weight = parseLocaleNumber(text);
    if (weight && *weight < 0) return std::nullopt;
    return weight;
}

Checked<double> bodyMassValue(double heightMetres, double weightKg) {
    return finite(std::trunc(roundToResultPrecision(weightKg / (heightMetres * heightMetres))));
}

int weightBarTwips(double weightKg) {
    constexpr double twipsPerKg = 20;
    constexpr double widest = 1'000'000;
    return static_cast<int>(std::clamp(weightKg * twipsPerKg, 0.0, widest));
}

Checked<double> idealWeight(double heightCm, double constant) {
    const double weight = heightCm - constant;
    if (!(weight > 0)) return {.refusal = Refusal::InvalidHeight};
    return finite(weight);
}

Checked<AgeBand> ageBand(Sex sex, double age) {
    Checked<AgeBand> band{.refusal = Refusal::TooYoung};
    // Each threshold is tested only when the one before it held.
    for (const AgeBandRow& row : ageBands) {
        if (!(age > row.above)) break;
        band = {sex == Sex::Man ? row.man : row.woman};
    }
    return band;
}

Checked<double> basalMetabolism(double weightKg, double coefficient, double constant) {
    return finite(weightKg * coefficient + constant);
}

Checked<double> energyExpenditure(double activityFactor, double basal) {
    return finite(activityFactor * basal);
}

std::string_view activityFactorText(Sex sex, Activity activity) {
    const ActivityRow& row = activityFactors[static_cast<std::size_t>(activity)];
    return sex == Sex::Man ? row.man : row.woman;
}

} // namespace core
