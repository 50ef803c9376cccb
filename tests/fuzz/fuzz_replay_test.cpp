// Every saved fuzz finding (tests/data/fuzz/TARGET/) and every seed
// (fuzz/corpus/TARGET/) run through its harness without the fuzzer: a fault
// that comes back fails here, in the normal and the sanitizer builds, and a
// property the harness checks is reported as a test failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz/harness/harnesses.h"
#include "fuzz/support/fuzz_check.h"

namespace lumora::fuzz {
namespace {

namespace fs = std::filesystem;

std::string g_replayed_input;

void RecordCheckFailure(const char* condition, const char* file, int line) {
  ADD_FAILURE() << g_replayed_input << ": " << condition << " (" << file << ":" << line << ")";
}

std::vector<fs::path> InputsOf(const fs::path& folder) {
  std::vector<fs::path> inputs;
  if (!fs::is_directory(folder)) return inputs;
  for (const fs::directory_entry& e : fs::directory_iterator(folder))
    if (e.is_regular_file()) inputs.push_back(e.path());
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

class FuzzReplayTest : public testing::TestWithParam<Harness> {
 protected:
  void SetUp() override { previous_ = SetCheckFailureHandler(RecordCheckFailure); }
  void TearDown() override { SetCheckFailureHandler(previous_); }

  // Runs every input of `folder`; returns how many there were.
  size_t Replay(const fs::path& folder) {
    const std::vector<fs::path> inputs = InputsOf(folder);
    for (const fs::path& path : inputs) {
      std::ifstream in(path, std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), {});
      g_replayed_input = path.string();
      GetParam().run(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    return inputs.size();
  }

 private:
  CheckFailureHandler previous_ = nullptr;
};

TEST_P(FuzzReplayTest, SavedFindingsAndSeedsPassTheHarness) {
  const fs::path root = LUMORA_SOURCE_DIR;
  Replay(root / "tests" / "data" / "fuzz" / GetParam().name);
  // Every target has seeds; an empty folder means the corpus went missing.
  EXPECT_GT(Replay(root / "fuzz" / "corpus" / GetParam().name), 0u);
}

TEST_P(FuzzReplayTest, EmptyAndTinyInputsPassTheHarness) {
  g_replayed_input = "(generated)";
  GetParam().run(nullptr, 0);
  for (int b = 0; b < 256; b += 17) {
    const uint8_t one[] = {static_cast<uint8_t>(b)};
    GetParam().run(one, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplayTest, testing::ValuesIn(AllHarnesses().begin(),
                                                                    AllHarnesses().end()),
                         [](const testing::TestParamInfo<Harness>& target) {
                           return std::string(target.param.name);
                         });

}  // namespace
}  // namespace lumora::fuzz
