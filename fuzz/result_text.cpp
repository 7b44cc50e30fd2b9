// The result text of any finite double: the format the user reads (up to 15
// significant digits, decimal comma, no thousands separators, no trailing
// zeros, exponent form exactly where printf's %.15g uses one), and it reads
// back as a locale number equal to the value rounded to 15 digits.
#include "core/numbers.h"
#include "reference.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>

namespace {

// Plain: "0", "-14", "3009,98", "0,0001"; exponent: "1,5E+21", "1E-05".
const std::regex resultFormat(R"(-?(0|[1-9][0-9]*)(,[0-9]*[1-9])?|-?[1-9](,[0-9]*[1-9])?E[+-][0-9]{2,3})");

// The largest 15-digit value that still reads back as a double; larger
// values show it, since their own rounding (1,79769313486232E+308) would
// not read back.
constexpr double largestShown = 1.79769313486231e308;

[[noreturn]] void fail(double value, const std::string& text, const char* why) {
    std::fprintf(stderr, "result text of %.17g (bits %#llx) is \"%s\": %s\n", value,
                 static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(value)), text.c_str(), why);
    std::abort();
}

int significantDigits(const std::string& text) {
    int count = 0;
    bool started = false;
    for (char c : text) {
        if (c == 'E') break;
        if (c >= '1' && c <= '9') started = true;
        if (started && reference::isDigit(c)) ++count;
    }
    return count;
}

// What printf writes for the value, in the user's notation.
std::string printfText(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text(buffer);
    for (char& c : text) {
        if (c == '.') c = ',';
        if (c == 'e') c = 'E';
    }
    return text;
}

void check(double value) {
    if (!std::isfinite(value)) return;
    const std::string text = core::resultText(value);
    if (!std::regex_match(text, resultFormat)) fail(value, text, "not in the result format");
    if (significantDigits(text) > 15) fail(value, text, "more than 15 significant digits");
    if (text[0] == '-' && value == 0) fail(value, text, "negative zero shown");

    const double shown = std::clamp(value == 0 ? 0.0 : value, -largestShown, largestShown);
    if (text != printfText(shown)) fail(value, text, ("printf writes " + printfText(shown)).c_str());

    // Rounded to 15 digits as printf rounds, read back by strtod.
    char rounded[64];
    std::snprintf(rounded, sizeof rounded, "%.14e", shown);
    const double expected = std::strtod(rounded, nullptr);
    const double precision = core::roundToResultPrecision(value);
    if (precision != expected) fail(value, text, "rounding to 15 digits differs from printf's");

    const std::optional<double> back = core::parseLocaleNumber(text);
    if (!back) fail(value, text, "does not read back");
    if (*back != precision) fail(value, text, "reads back as another value");
    if (reference::localeNumber(text) != back) fail(value, text, "the reference reads it otherwise");
}

void checkWhole(std::int64_t value) {
    const std::string text = core::resultText(value);
    if (text != std::to_string(value)) fail(double(value), text, "whole number written otherwise");
    const std::optional<double> back = core::parseLocaleNumber(text);
    if (!back || *back != static_cast<double>(value))
        fail(double(value), text, "whole number does not read back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t k = 0; k + 8 <= size; k += 8) {
        std::uint64_t bits;
        std::memcpy(&bits, data + k, 8);
        const double raw = std::bit_cast<double>(bits);
        check(raw);
        check(std::nextafter(raw, 0.0));
        checkWhole(std::int64_t(bits));
        // A decimal value, the kind the computations give: up to 17 digits
        // times a power of ten, and its neighbours, which sit at the
        // borders of rounding to 15 digits.
        const std::string decimal = std::to_string(bits % 100'000'000'000'000'000ULL) + "e" +
                                    std::to_string(int(bits >> 57) - 64 + int(bits % 7) * 40 - 120);
        double value = 0;
        std::from_chars(decimal.data(), decimal.data() + decimal.size(), value);
        for (double v : {value, -value, std::nextafter(value, HUGE_VAL), std::nextafter(value, 0.0)})
            check(v);
    }
    return 0;
}
