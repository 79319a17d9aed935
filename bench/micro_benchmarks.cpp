// Micro-benchmarks of the conversion's hot path: reading numbers, writing them, and
// reading rows. Run: build/bench/sorvane-micro-benchmarks
#include "engine/point_row_reader.h"
#include "runtime/number_text.h"
#include "runtime/plain_decimal.h"
#include "runtime/text_input_file.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace sorvane {
namespace {

const std::vector<std::string_view> kFields = {
    "-45840.421508", "-9571.454398", "156.9951", "12.5", "-0.25", "100", " 1 2 ", "3.5e2"};

void BM_Val(benchmark::State& state) {
  for (auto _ : state) {
    for (const std::string_view field : kFields) benchmark::DoNotOptimize(Val(field));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(kFields.size()));
}
BENCHMARK(BM_Val);

void BM_StrictConvert(benchmark::State& state) {
  for (auto _ : state) {
    for (const std::string_view field : kFields) benchmark::DoNotOptimize(StrictConvert(field));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(kFields.size()));
}
BENCHMARK(BM_StrictConvert);

void BM_ReadPlainDecimal(benchmark::State& state) {
  double value;
  NumberText printed;
  for (auto _ : state) {
    for (const std::string_view field : kFields) {
      benchmark::DoNotOptimize(ReadPlainDecimal(field, value, printed));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(kFields.size()));
}
BENCHMARK(BM_ReadPlainDecimal);

void BM_PrintNumberText(benchmark::State& state) {
  const double values[] = {-45840.421508, -9571.454398, 156.9951, 1.0 / 3, 1e-7, 6.02e23};
  char text[kMaxNumberTextLength];
  for (auto _ : state) {
    for (const double value : values) benchmark::DoNotOptimize(PrintNumberText(value, text));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(std::size(values)));
}
BENCHMARK(BM_PrintNumberText);

// Rows from a point file of survey rows, read into batches of print texts as the
// conversion reads them, the file reopened whenever it is used up.
void BM_ReadPointRows(benchmark::State& state) {
  char path[] = "/tmp/sorvane-bench-XXXXXX";
  const int fd = ::mkstemp(path);
  std::string rows;
  for (int i = 0; i < 100000; ++i) rows += "-45840.421508,-9571.454398,156.9951\r\n";
  if (fd < 0 || ::write(fd, rows.data(), rows.size()) != static_cast<ssize_t>(rows.size())) {
    state.SkipWithError("cannot write the point file");
    return;
  }
  ::close(fd);
  TextInputFile points;
  if (!points.Open(path)) {
    state.SkipWithError("cannot open the point file");
    return;
  }
  PrintedRows batch;
  std::int64_t read = 0;
  for (auto _ : state) {
    if (points.AtEnd() && !points.Open(path)) break;  // the file was taken away
    batch.Clear();
    const std::int64_t before = points.LineNumber();
    benchmark::DoNotOptimize(ReadPointRows(points, batch));
    read += points.LineNumber() - before;
  }
  state.SetItemsProcessed(read);
  ::unlink(path);
}
BENCHMARK(BM_ReadPointRows);

}  // namespace
}  // namespace sorvane

BENCHMARK_MAIN();
