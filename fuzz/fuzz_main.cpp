// The libFuzzer entry point of one target; the build names the harness
// (LUMORA_FUZZ_TARGET) each executable runs.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/harness/harnesses.h"

namespace {

lumora::fuzz::HarnessFn Harness() {
  static const lumora::fuzz::HarnessFn run = [] {
    const lumora::fuzz::Harness* h = lumora::fuzz::FindHarness(LUMORA_FUZZ_TARGET);
    if (h == nullptr) {
      std::fprintf(stderr, "no harness named %s\n", LUMORA_FUZZ_TARGET);
      std::abort();
    }
    return h->run;
  }();
  return run;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Harness()(data, size);
  return 0;
}
