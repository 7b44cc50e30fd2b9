// The calculating core, per call: conversions, result text and the
// computations, with the inputs the windows see and some they could be
// pasted. For the record only; bench/run-bench prints the figures.
#include "core/calculations.h"
#include "core/keyfilter.h"
#include "core/measures.h"
#include "core/messages.h"
#include "core/numbers.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

void parseLocaleNumber(benchmark::State& state, std::string text) {
    for (auto _ : state) benchmark::DoNotOptimize(core::parseLocaleNumber(text));
}

// A number of `digits` digits with thousands points and a decimal part, as
// long texts pasted into a box look.
std::string longNumber(int digits) {
    std::string text;
    for (int i = 0; i < digits; ++i) {
        if (i > 0 && i % 3 == 0 && i < digits / 2) text += '.';
        if (i == digits / 2) text += ',';
        text += static_cast<char>('0' + (i * 7 + 3) % 10);
    }
    return text;
}

BENCHMARK_CAPTURE(parseLocaleNumber, height, std::string("1,75"));
BENCHMARK_CAPTURE(parseLocaleNumber, weight, std::string("70"));
BENCHMARK_CAPTURE(parseLocaleNumber, thousands, std::string("1.234.567,891"));
BENCHMARK_CAPTURE(parseLocaleNumber, exponent, std::string(" -2,5E-3 "));
BENCHMARK_CAPTURE(parseLocaleNumber, long_64, longNumber(64));
BENCHMARK_CAPTURE(parseLocaleNumber, long_4096, longNumber(4096));
BENCHMARK_CAPTURE(parseLocaleNumber, not_a_number, std::string(4096, 'x'));

void parseLeadingNumber(benchmark::State& state, std::string text) {
    for (auto _ : state) benchmark::DoNotOptimize(core::parseLeadingNumber(text));
}
BENCHMARK_CAPTURE(parseLeadingNumber, constant, std::string("879"));
BENCHMARK_CAPTURE(parseLeadingNumber, long_4096, std::string(4096, '7'));

void resultTextDouble(benchmark::State& state, double value) {
    for (auto _ : state) benchmark::DoNotOptimize(core::resultText(value));
}
BENCHMARK_CAPTURE(resultTextDouble, energy, 2259.92);
BENCHMARK_CAPTURE(resultTextDouble, fraction, 22.857142857142858);
BENCHMARK_CAPTURE(resultTextDouble, huge, 1.5e300);

void resultTextInteger(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(core::resultText(std::int64_t{829}));
}
BENCHMARK(resultTextInteger);

void roundToResultPrecision(benchmark::State& state) {
    double value = 24.999999999999996;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(core::roundToResultPrecision(value));
    }
}
BENCHMARK(roundToResultPrecision);

void bodyMassValue(benchmark::State& state) {
    double height = 1.75;
    double weight = 70;
    for (auto _ : state) {
        benchmark::DoNotOptimize(height);
        benchmark::DoNotOptimize(weight);
        benchmark::DoNotOptimize(core::bodyMassValue(height, weight));
    }
}
BENCHMARK(bodyMassValue);

void ageBand(benchmark::State& state) {
    double age = 25;
    for (auto _ : state) {
        benchmark::DoNotOptimize(age);
        benchmark::DoNotOptimize(core::ageBand(core::Sex::Woman, age));
    }
}
BENCHMARK(ageBand);

// One pass of the energy window's sweep: the core's own, from the factor's
// and the basal metabolism's texts to the expenditure's.
void energyPass(benchmark::State& state) {
    const std::string factor = "1,64";
    const std::string basal = "1378";
    for (auto _ : state) benchmark::DoNotOptimize(core::expenditureText(factor, basal));
}
BENCHMARK(energyPass);

// One pass of the body-weight window's sweep, the core's own.
void bodyMassPass(benchmark::State& state) {
    const std::string height = "1,75";
    const std::string weight = "70";
    for (auto _ : state) benchmark::DoNotOptimize(core::bodyMassText(height, weight));
}
BENCHMARK(bodyMassPass);

void conversionFailure(benchmark::State& state, std::string text) {
    for (auto _ : state) benchmark::DoNotOptimize(core::messages::conversionFailure(text));
}
BENCHMARK_CAPTURE(conversionFailure, short_text, std::string("1,7,5"));
BENCHMARK_CAPTURE(conversionFailure, long_4096, std::string(4096, 'x'));

void filterKey(benchmark::State& state) {
    char32_t code = U'a';
    for (auto _ : state) {
        benchmark::DoNotOptimize(code);
        benchmark::DoNotOptimize(core::filterKey(code));
    }
}
BENCHMARK(filterKey);

} // namespace

BENCHMARK_MAIN();
