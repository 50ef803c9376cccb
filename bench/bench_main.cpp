// lumora-bench runs every benchmark in one run and exits with 1 when one of
// them failed: an error other than a skip (bench_library.h, kSkipped), so
// that a broken benchmark fails CI. Google Benchmark's flags work as usual;
// the console report is the one written to standard output.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string_view>
#include <vector>

#include "bench/bench_library.h"

namespace {

class FailureCountingReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal, as the library's own main does by default.
  FailureCountingReporter()
      : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.error_occurred &&
          !std::string_view(run.error_message).starts_with(lumora::bench::kSkipped))
        ++failures_;
    ConsoleReporter::ReportRuns(runs);
  }
  int failures() const { return failures_; }

 private:
  int failures_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  FailureCountingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  if (reporter.failures() > 0) {
    std::fprintf(stderr, "lumora-bench: %d benchmarks failed\n", reporter.failures());
    return 1;
  }
  return 0;
}
