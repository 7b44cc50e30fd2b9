#include "core/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace core {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Text pasted from web pages and word processors carries no-break spaces,
// which are blanks, and zero-width characters, which are invisible.
constexpr std::string_view zeroWidth[] = {"\u200B", "\u200C", "\u200D", "\u2060", "\uFEFF"};
constexpr std::string_view noBreakSpaces[] = {"\u00A0", "\u202F"};

// The text without zero-width characters, the no-break spaces turned into
// plain spaces when asked.
std::string visible(std::string_view text, bool plainBlanks) {
    std::string shown;
    shown.reserve(text.size());
    const auto starts = [&text](std::string_view character) { return text.starts_with(character); };
    while (!text.empty()) {
        std::size_t width = 1;
        if (auto found = std::ranges::find_if(zeroWidth, starts); found != std::end(zeroWidth)) {
            width = found->size();
        } else if (auto space = std::ranges::find_if(noBreakSpaces, starts);
                   plainBlanks && space != std::end(noBreakSpaces)) {
            shown += ' ';
            width = space->size();
        } else {
            shown += text.front();
        }
        text.remove_prefix(width);
    }
    return shown;
}

// Reads a plain C-locale number ("-1234.5e3") that the callers have already
// checked against their grammar.
std::optional<double> readPlain(const std::string& plain) {
    double value = 0;
    const char* end = plain.data() + plain.size();
    auto [stop, error] = std::from_chars(plain.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

// The largest value whose 15-digit text still reads back: the double
// maximum itself would round up to 1,79769313486232E+308, beyond the range.
constexpr double largestShown = 1.79769313486231e308;

double clampToShown(double value) { return std::clamp(value, -largestShown, largestShown); }

} // namespace

std::optional<double> parseLocaleNumber(std::string_view pasted) {
    const std::string blanksPlain = visible(pasted, true);
    const std::string_view text = blanksPlain;
    std::size_t i = 0;
    std::size_t n = text.size();
    while (i < n && isBlank(text[i])) ++i;
    while (n > i && isBlank(text[n - 1])) --n;

    // Rewritten as a C-locale number for from_chars: thousands points
    // dropped, the decimal comma turned into a point.
    std::string plain;
    plain.reserve(n - i);
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') plain += '-';
        ++i;
    }
    // The integer part: a point is a thousands separator only in a proper
    // grouping (one to three digits, then groups of exactly three), so that
    // a pasted "80.5" is refused instead of read as 805.
    bool grouped = false;
    std::size_t groupDigits = 0;
    std::size_t integerDigits = 0;
    for (; i < n; ++i) {
        if (isDigit(text[i])) {
            plain += text[i];
            ++groupDigits;
            ++integerDigits;
        } else if (text[i] == '.' && groupDigits >= 1 && groupDigits <= 3 && (!grouped || groupDigits == 3)) {
            grouped = true;
            groupDigits = 0;
        } else {
            break;
        }
    }
    if (grouped && groupDigits != 3) return std::nullopt;
    bool hasDigits = integerDigits > 0;
    if (i < n && text[i] == ',') {
        plain += '.';
        for (++i; i < n && isDigit(text[i]); ++i) {
            plain += text[i];
            hasDigits = true;
        }
    }
    if (!hasDigits) return std::nullopt;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        plain += 'e';
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) plain += text[i++];
        const std::size_t firstDigit = i;
        for (; i < n && isDigit(text[i]); ++i) plain += text[i];
        if (i == firstDigit) return std::nullopt;
    }
    if (i != n) return std::nullopt;
    return readPlain(plain);
}

double parseLeadingNumber(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (char c : visible(text, true))
        if (c != ' ' && c != '\t' && c != '\n') compact += c;

    std::size_t i = 0;
    const std::size_t n = compact.size();
    const bool negative = i < n && compact[i] == '-';
    if (i < n && (compact[i] == '+' || compact[i] == '-')) ++i;
    const std::size_t mantissaStart = i;
    // Decimal order of magnitude of the mantissa, to tell an overflow from an
    // underflow when from_chars refuses the value.
    long long magnitude = 0;
    bool significant = false;
    bool hasDigits = false;
    bool afterPoint = false;
    for (; i < n; ++i) {
        const char c = compact[i];
        if (isDigit(c)) {
            hasDigits = true;
            if (c != '0') significant = true;
            if (!afterPoint && significant) ++magnitude;
            if (afterPoint && !significant) --magnitude;
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else {
            break;
        }
    }
    if (!hasDigits) return 0;
    std::size_t end = i;
    long long exponent = 0;
    if (i < n && (compact[i] == 'E' || compact[i] == 'e')) {
        std::size_t j = i + 1;
        const bool negativeExponent = j < n && compact[j] == '-';
        if (j < n && (compact[j] == '+' || compact[j] == '-')) ++j;
        const std::size_t firstDigit = j;
        for (; j < n && isDigit(compact[j]); ++j)
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (compact[j] - '0');
        if (j > firstDigit) {
            end = j;
            if (negativeExponent) exponent = -exponent;
        }
    }
    std::string plain = compact.substr(mantissaStart, end - mantissaStart);
    if (auto value = readPlain(plain)) return negative ? -*value : *value;
    // Out of the double range: too large becomes infinite, too small zero.
    const double limit = magnitude + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -limit : limit;
}

std::string withoutInvisibles(std::string_view text) { return visible(text, false); }

std::string resultText(double value) {
    if (value == 0) value = 0; // no "-0"
    char buffer[64];
    auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, clampToShown(value), std::chars_format::general, 15);
    std::string text(buffer, error == std::errc() ? end : buffer);
    for (char& c : text) {
        if (c == '.') c = ',';
        if (c == 'e') c = 'E';
    }
    return text;
}

std::string resultText(std::int64_t value) {
    char buffer[32];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, error == std::errc() ? end : buffer);
}

double roundToResultPrecision(double value) {
    if (!std::isfinite(value)) return value;
    char buffer[64];
    auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, clampToShown(value), std::chars_format::scientific, 14);
    double rounded = value;
    if (error == std::errc()) std::from_chars(buffer, end, rounded);
    return rounded;
}

} // namespace core
