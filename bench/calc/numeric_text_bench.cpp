// Reading and writing box texts, side by side with the standard routines on the same inputs.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "calc/numeric_text.h"

namespace {

const std::vector<std::string>& reading_inputs() {
  static const std::vector<std::string> inputs{
      "142.8571428571",
      "1234.56",
      "-0.5",
      "\xA3\xB1\xA3\xB2\xA3\xB3\xA3\xAE\xA3\xB5",  // full-width 123.5
      "1." + std::string(1022, '3'),               // 1 KiB of digits
      "1." + std::string((1 << 20) - 2, '3'),      // 1 MiB of digits
  };
  return inputs;
}
const char* const reading_names[] = {"142.8571428571", "1234.56", "-0.5", "full_width_123.5", "1KiB", "1MiB"};

void read_ours(benchmark::State& state) {
  const std::string& text = reading_inputs()[state.range(0)];
  for (auto _ : state) benchmark::DoNotOptimize(calc::text_to_number(text));
  state.SetLabel(reading_names[state.range(0)]);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void read_strtod(benchmark::State& state) {
  const std::string& text = reading_inputs()[state.range(0)];
  for (auto _ : state) benchmark::DoNotOptimize(std::strtod(text.c_str(), nullptr));
  state.SetLabel(reading_names[state.range(0)]);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void read_from_chars(benchmark::State& state) {
  const std::string& text = reading_inputs()[state.range(0)];
  for (auto _ : state) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    benchmark::DoNotOptimize(value);
  }
  state.SetLabel(reading_names[state.range(0)]);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

// Results as the calculators produce them.
const double writing_inputs[] = {100.0 / 0.7, 42.857142857142861, 66.666666666666671, -16.666666666666664,
                                 336.10303030303029, 1e15, 0.00001234, -150.0};
const char* const writing_names[] = {"142.857...", "42.857...", "66.666...", "-16.666...",
                                     "336.103...", "1e15",      "1.234e-5",  "-150"};

void write_ours(benchmark::State& state) {
  const double value = writing_inputs[state.range(0)];
  for (auto _ : state) benchmark::DoNotOptimize(calc::number_to_text(value));
  state.SetLabel(writing_names[state.range(0)]);
}

void write_snprintf(benchmark::State& state) {
  const double value = writing_inputs[state.range(0)];
  for (auto _ : state) {
    char text[32];
    benchmark::DoNotOptimize(std::snprintf(text, sizeof text, "%.13g", value));
    benchmark::DoNotOptimize(text);
  }
  state.SetLabel(writing_names[state.range(0)]);
}

void write_to_chars(benchmark::State& state) {
  const double value = writing_inputs[state.range(0)];
  for (auto _ : state) {
    char text[32];
    benchmark::DoNotOptimize(std::to_chars(text, text + sizeof text, value, std::chars_format::general, 13));
    benchmark::DoNotOptimize(text);
  }
  state.SetLabel(writing_names[state.range(0)]);
}

// to_chars into a std::string, as number_to_text returns one
void write_to_chars_string(benchmark::State& state) {
  const double value = writing_inputs[state.range(0)];
  for (auto _ : state) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 13).ptr;
    benchmark::DoNotOptimize(std::string(text, end));
  }
  state.SetLabel(writing_names[state.range(0)]);
}

constexpr int reading_count = 6, writing_count = 8;

}  // namespace

BENCHMARK(read_ours)->DenseRange(0, reading_count - 1);
BENCHMARK(read_strtod)->DenseRange(0, reading_count - 1);
BENCHMARK(read_from_chars)->DenseRange(0, reading_count - 1);
BENCHMARK(write_ours)->DenseRange(0, writing_count - 1);
BENCHMARK(write_snprintf)->DenseRange(0, writing_count - 1);
BENCHMARK(write_to_chars)->DenseRange(0, writing_count - 1);
BENCHMARK(write_to_chars_string)->DenseRange(0, writing_count - 1);
