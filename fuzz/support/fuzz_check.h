// Property checks inside the fuzzing harnesses. A failed check is a finding:
// under libFuzzer the default handler prints it and aborts, so the input is
// saved as a crash; the replay tests install a handler that records a test
// failure instead and let the harness run on.
#pragma once

namespace lumora::fuzz {

using CheckFailureHandler = void (*)(const char* condition, const char* file, int line);

// Installs `handler` (null: the default, which prints and aborts) and returns
// the previous one.
CheckFailureHandler SetCheckFailureHandler(CheckFailureHandler handler);

void CheckFailed(const char* condition, const char* file, int line);

}  // namespace lumora::fuzz

#define LUMORA_FUZZ_CHECK(condition)                                       \
  do {                                                                     \
    if (!(condition)) ::lumora::fuzz::CheckFailed(#condition, __FILE__, __LINE__); \
  } while (false)
