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

} // namespace

double bodyMassValue(double heightMetres, double weightKg) {
    return std::trunc(roundToResultPrecision(weightKg / (heightMetres * heightMetres)));
}

int weightBarTwips(double weightKg) {
    constexpr double twipsPerKg = 20;
    constexpr double widest = 1'000'000;
    return static_cast<int>(std::clamp(weightKg * twipsPerKg, 0.0, widest));
}

double idealWeight(double heightCm, double constant) { return heightCm - constant; }

std::optional<AgeBand> ageBand(Sex sex, double age) {
    std::optional<AgeBand> band;
    // Each threshold is tested only when the one before it held.
    for (const AgeBandRow& row : ageBands) {
        if (!(age > row.above)) break;
        band = sex == Sex::Man ? row.man : row.woman;
    }
    return band;
}

double basalMetabolism(double weightKg, double coefficient, double constant) {
    return weightKg * coefficient + constant;
}

double energyExpenditure(double activityFactor, double basal) { return activityFactor * basal; }

std::string_view activityFactorText(Sex sex, Activity activity) {
    const ActivityRow& row = activityFactors[static_cast<std::size_t>(activity)];
    return sex == Sex::Man ? row.man : row.woman;
}

} // namespace core
