// The leading number never fails: whatever the text, it gives the value of
// its longest leading number (0 when there is none, infinite or zero beyond
// the double range), never NaN.
#include "core/numbers.h"
#include "reference.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(std::string_view text) {
    const double read = core::parseLeadingNumber(text);
    const double expected = reference::leadingNumber(text);
    if (!std::isnan(read) && reference::identical(read, expected)) return;
    reference::printInput("leading number", text);
    std::fprintf(stderr, "read: %.17g, expected: %.17g\n", read, expected);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    check(bytes);
    check(reference::numberAlphabet(bytes, "0123456789..Ee+- \t\n,x019.0E5"));
    return 0;
}
