// Every character code a key can deliver goes through the numeric filter:
// digits and backspace as they are, everything else the decimal comma.
// Codes come both as raw 32-bit values (beyond Unicode too) and as the
// characters of the input read as UTF-8.
#include "core/keyfilter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void check(char32_t code) {
    const bool passes = (code >= U'0' && code <= U'9') || code == 8;
    const char32_t expected = passes ? code : U',';
    const char32_t typed = core::filterKey(code);
    if (typed == expected) return;
    std::fprintf(stderr, "key filter: code %#x gave %#x, expected %#x\n", unsigned(code), unsigned(typed),
                 unsigned(expected));
    std::abort();
}

// The next code point of UTF-8 text, leniently: a byte that does not start
// a valid sequence stands for itself.
char32_t nextCodePoint(const std::uint8_t*& p, const std::uint8_t* end) {
    const std::uint8_t lead = *p++;
    int length = lead >= 0xF0 && lead < 0xF8 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (lead >= 0xF8) length = 0;
    char32_t code = length == 3 ? lead & 0x07 : length == 2 ? lead & 0x0F : length == 1 ? lead & 0x1F : lead;
    for (int k = 0; k < length; ++k) {
        if (p == end || (*p & 0xC0) != 0x80) return lead;
        code = (code << 6) | (*p++ & 0x3F);
    }
    return code;
}

} // namespace

// Unicode is small enough to check whole before the fuzzing starts.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    for (char32_t code = 0; code <= 0x10FFFF; ++code) check(code);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t k = 0; k + 4 <= size; k += 4) {
        std::uint32_t raw;
        std::memcpy(&raw, data + k, 4);
        check(char32_t(raw));
    }
    for (const std::uint8_t* p = data; p < data + size;) check(nextCodePoint(p, data + size));
    return 0;
}
