#include "fuzz/support/fuzz_check.h"

#include <cstdio>
#include <cstdlib>

namespace lumora::fuzz {
namespace {

CheckFailureHandler g_handler = nullptr;

}  // namespace

CheckFailureHandler SetCheckFailureHandler(CheckFailureHandler handler) {
  CheckFailureHandler previous = g_handler;
  g_handler = handler;
  return previous;
}

void CheckFailed(const char* condition, const char* file, int line) {
  if (g_handler != nullptr) {
    g_handler(condition, file, line);
    return;
  }
  std::fprintf(stderr, "fuzz check failed: %s at %s:%d\n", condition, file, line);
  std::abort();
}

}  // namespace lumora::fuzz
