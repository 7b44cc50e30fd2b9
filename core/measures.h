#pragma once

#include <optional>
#include <string_view>

// The computations of the three windows, as plain functions of numbers.
namespace core {

// Body-mass index as a whole number. Rounding to the 15 digits a result
// shows before truncating keeps the categories right: 64 kg at 1,6 m is
// 24.999999999999996 in double arithmetic and must read 25.
double bodyMassValue(double heightMetres, double weightKg);

// Width of the weight bar: 20 twips a kilogram. Clamped before it becomes
// an integer, so that no weight can overflow it; the frame clips the bar
// on screen long before the clamp.
int weightBarTwips(double weightKg);

// Broca's ideal weight: height in centimetres less the sex's constant.
double idealWeight(double heightCm, double constant);

enum class Sex { Man, Woman };

struct AgeBand {
    double coefficient;
    int constant;
};

// The coefficient and constant of the basal metabolism for an age: none
// for 18 years or less, which the formula does not cover.
std::optional<AgeBand> ageBand(Sex sex, double age);

double basalMetabolism(double weightKg, double coefficient, double constant);
double energyExpenditure(double activityFactor, double basal);

enum class Activity { Light, Moderate, Heavy };

// The activity factor as the window writes it ("1,78").
std::string_view activityFactorText(Sex sex, Activity activity);

} // namespace core
