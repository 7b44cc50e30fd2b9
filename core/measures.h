#pragma once

#include <optional>
#include <string>
#include <string_view>

// The computations of the three windows and the rules that refuse a value,
// as plain functions of numbers.
namespace core {

// Why a window shows a message instead of a result (core/messages words it).
enum class Refusal { None, Unreadable, TooTall, InvalidStature, InvalidHeight, TooYoung, OutOfRange };

// A value, or the refusal that stands in its place. A box whose text cannot
// be read is Unreadable, and its text is kept for the message to quote.
template <class Value> struct Checked {
    Value value{};
    Refusal refusal = Refusal::None;
    std::string unreadable = {};
};

// A height the body-mass index can be computed for: above 0 and below 2,5 m
// (a height in centimetres, such as 175, is refused as too tall).
Checked<double> checkHeight(double metres);

// A weight as typed or pasted: a locale number that is not negative (a
// minus can only have been pasted). No value: not a weight.
std::optional<double> parseWeight(std::string_view text);

// Body-mass index as a whole number. Rounding to the 15 digits a result
// shows before truncating keeps the categories right: 64 kg at 1,6 m is
// 24.999999999999996 in double arithmetic and must read 25.
Checked<double> bodyMassValue(double heightMetres, double weightKg);

// Width of the weight bar: 20 twips a kilogram. Clamped before it becomes
// an integer, so that no weight can overflow it; the frame clips the bar
// on screen long before the clamp.
int weightBarTwips(double weightKg);

// Broca's ideal weight: height in centimetres less the sex's constant. A
// height at or below the constant has none.
Checked<double> idealWeight(double heightCm, double constant);

enum class Sex { Man, Woman };

struct AgeBand {
    double coefficient;
    int constant;
};

// The coefficient and constant of the basal metabolism for an age; the
// bands start above 18 years.
Checked<AgeBand> ageBand(Sex sex, double age);

Checked<double> basalMetabolism(double weightKg, double coefficient, double constant);
Checked<double> energyExpenditure(double activityFactor, double basal);

enum class Activity { Light, Moderate, Heavy };

// The activity factor as the window writes it ("1,78").
std::string_view activityFactorText(Sex sex, Activity activity);

} // namespace core
