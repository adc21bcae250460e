// Cost of the number texts written for every triangle: three coordinates
// per vertex (single_number_text) and five counters per edge
// (double_number_text).
#include "converter/number_text.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

constexpr std::size_t sample_size = 4096;

// Mesh coordinates in millimetres: mostly within a metre, a few tiny.
std::vector<float> coordinates() {
    std::mt19937 random(42);
    std::uniform_real_distribution<float> spread(-500.0f, 500.0f);
    std::vector<float> values(sample_size);
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = i % 16 == 0 ? spread(random) * 1e-5f : spread(random);
    return values;
}

// Pointers and sequence numbers: whole numbers counting up.
std::vector<double> counters() {
    std::vector<double> values(sample_size);
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = 1.0 + static_cast<double>(i * 37 % 250000);
    return values;
}

void single_number_text_coordinates(benchmark::State& state) {
    const std::vector<float> values = coordinates();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(single_number_text(values[i]));
        i = (i + 1) % values.size();
    }
}
BENCHMARK(single_number_text_coordinates);

void double_number_text_counters(benchmark::State& state) {
    const std::vector<double> values = counters();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(double_number_text(values[i]));
        i = (i + 1) % values.size();
    }
}
BENCHMARK(double_number_text_counters);

// Doubles that are not whole numbers, for the general path.
void double_number_text_fractions(benchmark::State& state) {
    const std::vector<float> values = coordinates();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(double_number_text(static_cast<double>(values[i]) / 3.0));
        i = (i + 1) % values.size();
    }
}
BENCHMARK(double_number_text_fractions);

}  // namespace
