// The whole run in-process: read, reduce, format and write to memory.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/data.hpp"
#include "control/driver.hpp"
#include "control/sinks.hpp"

namespace {

void run_once(const std::string& data, std::string& report) {
  velmor::control::LineSource src(data, 5, "bench.dat");
  velmor::control::StringSink out;
  auto run = std::make_unique<velmor::control::Run>();
  run->S.INFILE = "bench.dat   ";
  run->S.OUTFIL = "bench.out   ";
  velmor::control::run_data(src, out, *run);
  report = std::move(out.text);
}

void BM_WholeRun(benchmark::State& state) {
  const int tests = static_cast<int>(state.range(0));
  const int readings = static_cast<int>(state.range(1));
  const std::string data = velmor::bench::full_form_data(tests, readings);
  std::string report;
  for (auto _ : state) {
    run_once(data, report);
    benchmark::DoNotOptimize(report.data());
  }
  const double n = static_cast<double>(state.iterations());
  // Numbers formatted per reading (Table 1 and Table 2) and per test (specimen
  // blocks, summary lines and coded blocks).
  const double fields = static_cast<double>(tests) * (readings * (16.0 + 17.0) + 114.0);
  state.counters["readings/s"] = benchmark::Counter(n * tests * readings, benchmark::Counter::kIsRate);
  state.counters["report_bytes/s"] =
      benchmark::Counter(n * static_cast<double>(report.size()), benchmark::Counter::kIsRate);
  state.counters["fields/s"] = benchmark::Counter(n * fields, benchmark::Counter::kIsRate);
}

BENCHMARK(BM_WholeRun)->Args({40, 80})->Args({200, 1000})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
