#pragma once

// Reference readers the fuzz targets hold the core's conversions against.
// They are written from the number rules alone, as plainly as possible and
// in a different shape from the core (a state machine, and a decimal
// normalised to digits and an exponent before from_chars reads it), so that
// a fault in one is not copied into the other.
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace reference {

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number as sign, significant digits and a power of ten. Exponents
// are saturated far beyond the double range, so that a text of any length
// keeps them in a long long.
struct Decimal {
    bool negative = false;
    std::string digits; // no leading or trailing zeros; empty for zero
    long long exponent = 0;

    static constexpr long long saturation = 1'000'000'000'000'000LL;

    // Decimal order of magnitude: the value lies in [10^(m-1), 10^m).
    long long magnitude() const { return static_cast<long long>(digits.size()) + exponent; }

    // "-123e-4": the form from_chars is asked to read.
    std::string plain() const {
        std::string text = negative ? "-" : "";
        text += digits.empty() ? "0" : digits;
        text += 'e';
        text += std::to_string(digits.empty() ? 0 : exponent);
        return text;
    }
};

inline long long saturatedAdd(long long a, long long b) {
    const long long sum = a + b; // both well inside the range: |a|, |b| <= 2 * saturation
    if (sum > Decimal::saturation) return Decimal::saturation;
    if (sum < -Decimal::saturation) return -Decimal::saturation;
    return sum;
}

// Exponent digits as a number, saturated.
inline long long readExponent(std::string_view digits, bool negative) {
    long long value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > Decimal::saturation) {
            value = Decimal::saturation;
            break;
        }
    }
    return negative ? -value : value;
}

// Builds the decimal of a mantissa given as whole digits and fraction
// digits, with an exponent.
inline Decimal makeDecimal(bool negative, std::string_view whole, std::string_view fraction,
                           long long exponent) {
    Decimal d;
    d.negative = negative;
    std::string all(whole);
    all += fraction;
    long long power = saturatedAdd(exponent, -static_cast<long long>(fraction.size()));
    std::size_t first = all.find_first_not_of('0');
    if (first == std::string::npos) return d; // zero
    std::size_t last = all.find_last_not_of('0');
    power = saturatedAdd(power, static_cast<long long>(all.size() - 1 - last));
    d.digits = all.substr(first, last - first + 1);
    d.exponent = power;
    return d;
}

enum class Range { Inside, Overflow, Underflow };

struct Reading {
    Range range;
    double value; // meaningful when Inside
};

// The decimal as the nearest double, or which side of the range it falls
// off. The double range is checked independently of from_chars where the
// order of magnitude alone decides it.
inline Reading readDecimal(const Decimal& d) {
    const std::string text = d.plain();
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size() && error == std::errc()) std::abort(); // the reference's own text
    Range range = Range::Inside;
    if (error == std::errc::result_out_of_range)
        range = d.magnitude() > 0 ? Range::Overflow : Range::Underflow;
    else if (error != std::errc())
        std::abort();
    if (!d.digits.empty()) {
        // 10^309 is beyond the largest double, and below 10^-324 everything
        // rounds to zero; inside [10^-300, 10^300] nothing is out of range.
        const long long m = d.magnitude();
        if (m > 309 && range != Range::Overflow) std::abort();
        if (m < -323 && range != Range::Underflow) std::abort();
        if (m > -300 && m < 300 && range != Range::Inside) std::abort();
    }
    return {range, value};
}

// The locale number rules: blanks (space, tab), a sign, digits with a point
// only between two digits of the whole part, a decimal comma with optional
// digits, an exponent with at least one digit, blanks; at least one digit
// in the mantissa. Returns the decimal, or nothing when the text does not
// follow the rules (the double range is the caller's matter).
inline std::optional<Decimal> localeDecimal(std::string_view text) {
    enum class State {
        Lead,
        Signed,
        Whole,
        WholePoint,
        Fraction,
        ExponentMark,
        ExponentSign,
        ExponentDigits,
        Trail
    };
    State state = State::Lead;
    bool negative = false;
    bool mantissaDigits = false;
    bool exponentNegative = false;
    std::string whole;
    std::string fraction;
    std::string exponent;
    for (char c : text) {
        const bool blank = c == ' ' || c == '\t';
        switch (state) {
        case State::Lead:
            if (blank) break;
            if (c == '+' || c == '-') {
                negative = c == '-';
                state = State::Signed;
                break;
            }
            [[fallthrough]];
        case State::Signed:
            if (isDigit(c)) {
                whole += c;
                mantissaDigits = true;
                state = State::Whole;
            } else if (c == ',') {
                state = State::Fraction;
            } else {
                return std::nullopt;
            }
            break;
        case State::Whole:
            if (isDigit(c))
                whole += c;
            else if (c == '.')
                state = State::WholePoint;
            else if (c == ',')
                state = State::Fraction;
            else if (c == 'E' || c == 'e')
                state = State::ExponentMark;
            else if (blank)
                state = State::Trail;
            else
                return std::nullopt;
            break;
        case State::WholePoint: // a point must be followed by a digit
            if (!isDigit(c)) return std::nullopt;
            whole += c;
            state = State::Whole;
            break;
        case State::Fraction:
            if (isDigit(c)) {
                fraction += c;
                mantissaDigits = true;
            } else if ((c == 'E' || c == 'e') && mantissaDigits) {
                state = State::ExponentMark;
            } else if (blank && mantissaDigits) {
                state = State::Trail;
            } else {
                return std::nullopt;
            }
            break;
        case State::ExponentMark:
            if (c == '+' || c == '-') {
                exponentNegative = c == '-';
                state = State::ExponentSign;
            } else if (isDigit(c)) {
                exponent += c;
                state = State::ExponentDigits;
            } else {
                return std::nullopt;
            }
            break;
        case State::ExponentSign:
        case State::ExponentDigits:
            if (isDigit(c)) {
                exponent += c;
                state = State::ExponentDigits;
            } else if (blank && state == State::ExponentDigits) {
                state = State::Trail;
            } else {
                return std::nullopt;
            }
            break;
        case State::Trail:
            if (!blank) return std::nullopt;
            break;
        }
    }
    const bool complete = state == State::Whole || (state == State::Fraction && mantissaDigits) ||
                          state == State::ExponentDigits || state == State::Trail;
    if (!complete) return std::nullopt;
    return makeDecimal(negative, whole, fraction, readExponent(exponent, exponentNegative));
}

// The locale number's value: nothing outside the rules or the double range.
inline std::optional<double> localeNumber(std::string_view text) {
    const auto d = localeDecimal(text);
    if (!d) return std::nullopt;
    const Reading reading = readDecimal(*d);
    if (reading.range != Range::Inside) return std::nullopt;
    return reading.value;
}

// The leading number: spaces, tabs and line feeds dropped wherever they
// are, then the longest start of the rest that reads as a number with a
// decimal point: a sign, digits with at most one point (at least one
// digit), and an exponent when it has a digit. Out of range: infinite or
// zero with the number's sign; no number: 0.
inline double leadingNumber(std::string_view text) {
    std::string compact;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n') compact += c;
    std::size_t i = 0;
    bool negative = false;
    if (i < compact.size() && (compact[i] == '+' || compact[i] == '-')) negative = compact[i++] == '-';
    std::string whole;
    std::string fraction;
    while (i < compact.size() && isDigit(compact[i])) whole += compact[i++];
    if (i < compact.size() && compact[i] == '.') {
        ++i;
        while (i < compact.size() && isDigit(compact[i])) fraction += compact[i++];
    }
    if (whole.empty() && fraction.empty()) return 0;
    long long exponent = 0;
    if (i < compact.size() && (compact[i] == 'E' || compact[i] == 'e')) {
        std::size_t j = i + 1;
        bool exponentNegative = false;
        if (j < compact.size() && (compact[j] == '+' || compact[j] == '-'))
            exponentNegative = compact[j++] == '-';
        const std::size_t first = j;
        while (j < compact.size() && isDigit(compact[j])) ++j;
        if (j > first)
            exponent = readExponent(std::string_view(compact).substr(first, j - first), exponentNegative);
    }
    const Decimal d = makeDecimal(negative, whole, fraction, exponent);
    const Reading reading = readDecimal(d);
    switch (reading.range) {
    case Range::Inside:
        return reading.value;
    case Range::Overflow:
        return negative ? -HUGE_VAL : HUGE_VAL;
    case Range::Underflow:
        return negative ? -0.0 : 0.0;
    }
    return 0;
}

// Same double, zero's sign and all.
inline bool identical(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Readable text of an input for a failure report, cut to a sensible length.
inline void printInput(const char* what, std::string_view text) {
    std::fprintf(stderr, "%s (%zu bytes): \"", what, text.size());
    const std::size_t shown = text.size() < 200 ? text.size() : 200;
    for (std::size_t k = 0; k < shown; ++k) {
        const unsigned char c = static_cast<unsigned char>(text[k]);
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\')
            std::fputc(c, stderr);
        else
            std::fprintf(stderr, "\\x%02x", c);
    }
    std::fprintf(stderr, "%s\"\n", shown < text.size() ? "..." : "");
}

// Maps bytes onto the characters numbers are made of, so that most inputs
// are near misses of a number rather than noise.
inline std::string numberAlphabet(std::string_view bytes, std::string_view alphabet) {
    std::string text;
    text.reserve(bytes.size());
    for (char c : bytes) text += alphabet[static_cast<unsigned char>(c) % alphabet.size()];
    return text;
}

} // namespace reference
