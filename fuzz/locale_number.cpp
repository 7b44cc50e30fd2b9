// The locale number reads exactly the texts its rules allow, with the value
// of the nearest double. Every input is tried as it is and mapped onto the
// characters of numbers (most random bytes are plain noise).
#include "core/numbers.h"
#include "reference.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(std::string_view text) {
    const std::optional<double> read = core::parseLocaleNumber(text);
    const std::optional<double> expected = reference::localeNumber(text);
    if (read.has_value() == expected.has_value() && (!read || reference::identical(*read, *expected))) return;
    reference::printInput("locale number", text);
    std::fprintf(stderr, "read: %s %.17g, expected: %s %.17g\n", read ? "value" : "failure",
                 read ? *read : 0.0, expected ? "value" : "failure", expected ? *expected : 0.0);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    check(bytes);
    check(reference::numberAlphabet(bytes, "0123456789,.Ee+- \t019,.0E5"));
    return 0;
}
