#pragma once

namespace core {

inline constexpr char32_t backspaceCode = 8;
inline constexpr char32_t commaCode = 44;

// The numeric entry boxes let digits and backspace through and turn every
// other character into the decimal comma, so no key can type anything a
// number could not hold. It has no memory of the text already there.
constexpr char32_t filterKey(char32_t code) {
    const bool digit = code >= U'0' && code <= U'9';
    return digit || code == backspaceCode ? code : commaCode;
}

} // namespace core
