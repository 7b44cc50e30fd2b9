// A pasted page of text is read in time proportional to its length. The
// input is a short piece repeated into a small and a 64 times larger text;
// per byte, reading the large one must not cost more than a few times what
// the small one costs, measured in the same run on the thread's CPU clock.
// A quadratic scan costs 64 times more per byte; the bound of 8 leaves room
// for caches and a busy machine, and a ratio over it is measured again
// before it counts.
#include "core/messages.h"
#include "core/numbers.h"
#include "reference.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>

namespace {

constexpr std::size_t smallSize = 2048;
constexpr std::size_t factor = 64;
constexpr double bound = 8.0;

double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

std::string repeated(std::string_view piece, std::size_t size) {
    std::string text;
    text.reserve(size + piece.size());
    while (text.size() < size) text += piece;
    return text;
}

volatile double sink = 0;

// Best of a few runs: the least disturbed by the rest of the machine.
double cost(const std::function<void()>& work, int runs) {
    double best = 1e9;
    for (int k = 0; k < 3; ++k) {
        const double start = cpuSeconds();
        for (int r = 0; r < runs; ++r) work();
        best = std::min(best, cpuSeconds() - start);
    }
    return best;
}

// The same number of bytes read either way: `factor` small texts, or one
// large text.
double perByteRatio(const std::function<void(const std::string&)>& read, const std::string& small,
                    const std::string& large) {
    const double smallCost = cost([&] { read(small); }, int(factor));
    const double largeCost = cost([&] { read(large); }, 1);
    return largeCost / std::max(smallCost, 1e-7);
}

void check(const char* what, const std::function<void(const std::string&)>& read, std::string_view piece) {
    const std::string small = repeated(piece, smallSize);
    const std::string large = repeated(piece, smallSize * factor);
    double ratio = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        ratio = perByteRatio(read, small, large);
        if (ratio <= bound) return;
    }
    reference::printInput(what, piece);
    std::fprintf(stderr, "%s: reading %zu bytes costs %.1f times per byte what %zu bytes cost\n", what,
                 large.size(), ratio, small.size());
    std::abort();
}

void checkAll(std::string_view piece) {
    const auto localeNumber = [](const std::string& text) {
        sink = core::parseLocaleNumber(text).value_or(0);
    };
    const auto leadingNumber = [](const std::string& text) { sink = core::parseLeadingNumber(text); };
    const auto message = [](const std::string& text) {
        sink = double(core::messages::conversionFailure(text).size());
    };
    check("locale number", localeNumber, piece);
    check("leading number", leadingNumber, piece);
    check("conversion message", message, piece);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 64) return -1; // a short piece: the repetition makes it long
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkAll(bytes);
    checkAll(reference::numberAlphabet(bytes, "0123456789,.Ee+- \t\n"));
    return 0;
}
