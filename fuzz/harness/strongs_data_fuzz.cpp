// strongs_data: the Strong's data file opened from bytes and every string of
// every number read, in range and out of it.
//
// Input: one mode byte, then
//   mode % 4 == 3: the whole file (shorter than the header, so refused);
//   otherwise: a patch script (file_patch.h) on the template file (no
//   records: the tables are patched as bytes).
// Checks: a refused file gives a Strong's create error; numbers and fields
// out of range read as empty; no string holds its terminating zero.
#include <climits>
#include <string>

#include "core/modules/bible_header.h"
#include "core/modules/strongs_data.h"
#include "fuzz/harness/harnesses.h"
#include "fuzz/support/file_patch.h"
#include "fuzz/support/fuzz_check.h"
#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/fuzz_library.h"

namespace lumora::fuzz {

void FuzzStrongsData(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const uint8_t mode = input.Byte();
  std::string file;
  if (mode % 4 == 3) {
    file = std::string(input.Rest());
  } else {
    file = Templates().strongs;
    ApplyPatchScript(file, input, nullptr);
  }
  MemoryFileSystem fs;
  fs.SetFile("/lib/stgdat.lm4", file);
  Result<std::unique_ptr<TLMStrongsDataModule>> opened =
      TLMStrongsDataModule::Create("/lib/stgdat.lm4", fs);
  if (!opened.ok()) {
    LUMORA_FUZZ_CHECK(opened.status().kind() == ErrorKind::kStrongsCreate);
    return;
  }
  const TLMStrongsDataModule& strongs = **opened;
  for (const StrongsLanguage language : {StrongsLanguage::kHebrew, StrongsLanguage::kGreek}) {
    const int count =
        language == StrongsLanguage::kHebrew ? kHebrewStrongsCount : kGreekStrongsCount;
    for (int n = 1; n <= count; ++n) {
      for (int field = 1; field <= 3; ++field)
        LUMORA_FUZZ_CHECK(strongs.GetStrongsString(language, n, field).find('\0') ==
                          std::string::npos);
      LUMORA_FUZZ_CHECK(strongs.GetStrongsString(language, n, 0).empty());
      LUMORA_FUZZ_CHECK(strongs.GetStrongsString(language, n, 4).empty());
    }
    for (int n : {0, -1, count + 1, INT_MAX, INT_MIN})
      for (int field = 0; field <= 4; ++field)
        LUMORA_FUZZ_CHECK(strongs.GetStrongsString(language, n, field).empty());
  }
}

}  // namespace lumora::fuzz
