// settings_file: the portable settings file ("settings.reg") as a person or
// another program may have left it, read by the file store, loaded into the
// settings, saved and loaded again.
//
// Input: the file's bytes.
// Checks: reading always completes; the file the store writes reads back
// without problems and with the same keys and values; the settings loaded
// from it equal the settings that were saved.
#include <string>
#include <string_view>
#include <vector>

#include "config/file_storage.h"
#include "config/properties.h"
#include "config/reg_file_format.h"
#include "core/platform/memory/memory_file_system.h"
#include "fuzz/harness/harnesses.h"
#include "fuzz/support/fuzz_check.h"

namespace lumora::fuzz {
namespace {

constexpr const char* kSettingsPath = "/home/user/.config/Lumora/settings.reg";

bool SameDocuments(const config::SettingsDocument& a, const config::SettingsDocument& b) {
  const std::vector<const config::SettingsDocument::Key*> ka = a.SortedKeys(), kb = b.SortedKeys();
  if (ka.size() != kb.size()) return false;
  for (size_t i = 0; i < ka.size(); ++i) {
    if (ka[i]->path != kb[i]->path || ka[i]->values.size() != kb[i]->values.size()) return false;
    for (size_t j = 0; j < ka[i]->values.size(); ++j) {
      const config::SettingsDocument::Value &va = ka[i]->values[j], &vb = kb[i]->values[j];
      if (va.name != vb.name || !(va.value == vb.value)) return false;
    }
  }
  return true;
}

void CheckFormatRoundTrip(std::string_view text) {
  config::SettingsDocument read;
  std::vector<std::string> problems;
  config::ParseRegFile(text, read, problems);
  LUMORA_FUZZ_CHECK(problems.size() <= static_cast<size_t>(config::kMaxReportedLines) + 1);
  const std::string written = config::FormatRegFile(read);
  config::SettingsDocument again;
  std::vector<std::string> again_problems;
  config::ParseRegFile(written, again, again_problems);
  LUMORA_FUZZ_CHECK(again_problems.empty());
  LUMORA_FUZZ_CHECK(SameDocuments(read, again));
  LUMORA_FUZZ_CHECK(config::FormatRegFile(again) == written);
}

void CheckSettingsRoundTrip(std::string_view text) {
  MemoryFileSystem fs;
  fs.SetFile(kSettingsPath, text);
  config::Properties loaded = config::DefaultProperties();
  {
    config::FileStorage storage(fs, kSettingsPath);
    (void)config::LoadProperties(loaded, storage);
    std::string detail;
    LUMORA_FUZZ_CHECK(config::SaveProperties(loaded, storage, &detail).ok());
  }
  config::FileStorage storage(fs, kSettingsPath);
  config::Properties reloaded = config::DefaultProperties();
  const config::LoadReport report = config::LoadProperties(reloaded, storage);
  LUMORA_FUZZ_CHECK(report.key_found);
  LUMORA_FUZZ_CHECK(storage.Problems().empty());
  LUMORA_FUZZ_CHECK(report.problems.empty());
  LUMORA_FUZZ_CHECK(reloaded == loaded);
}

}  // namespace

void FuzzSettingsFile(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckFormatRoundTrip(text);
  CheckSettingsRoundTrip(text);
}

}  // namespace lumora::fuzz
