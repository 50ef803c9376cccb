// bible_module: a Bible module file opened from bytes through the memory
// file system, then read the way the panes and searches read it.
//
// Input: one mode byte, then
//   mode % 4 == 3: the whole file;
//   otherwise: a patch script (file_patch.h) on the template Bible, whose
//   records are verse records.
// Checks: a refused file is refused with a create or decompression error;
// an opened one answers every verse (plain, with Strong's, with and without
// notes), title, lookup and index question without failing, and lookups
// stay inside the Bible.
#include <climits>
#include <string>

#include "core/modules/bible_module.h"
#include "core/text/cp1252.h"
#include "fuzz/harness/harnesses.h"
#include "fuzz/support/file_patch.h"
#include "fuzz/support/fuzz_check.h"
#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/fuzz_library.h"

namespace lumora::fuzz {
namespace {

void ReadVerses(const TLMBibleModule& bible) {
  for (int v = 1; v <= bible.VerseCount(); ++v) {
    (void)bible.GetVerseText(v, false, false);
    (void)bible.GetVerseText(v, true, true);
  }
  for (int v : {0, -1, bible.VerseCount() + 1, 65536, INT32_MIN})
    LUMORA_FUZZ_CHECK(bible.GetVerseText(v, true, false).starts_with("[Non-fatal internal error: "));
}

void ReadTables(const TLMBibleModule& bible) {
  for (int b = 0; b <= bible.BookCount() + 1; ++b) {
    (void)bible.GetShortBookTitle(b);
    (void)bible.GetLongBookTitle(b);
  }
  // Each lookup may scan the whole verse table: a few books only.
  for (int b : {0, 1, 43, bible.BookCount(), bible.BookCount() + 1}) {
    const int chapters = bible.GetChapterCount(b);
    for (int c : {1, chapters + 1}) {
      const int located = bible.LocateVerse(b, c, 1);
      LUMORA_FUZZ_CHECK(located >= 1 && located <= bible.VerseCount());
      (void)bible.GetVerseCount(b, c);
    }
  }
  for (int v : {0, 1, bible.VerseCount(), bible.VerseCount() + 1}) (void)bible.GetVerseLocation(v);
}

void ReadIndexes(const TLMBibleModule& bible) {
  const PackedStrings& words = bible.Words();
  for (size_t i = 0; i < words.size(); ++i) {
    const int found = bible.FindWord(words[i]);
    // An unsorted (damaged) list may hide a word, never give a wrong one.
    LUMORA_FUZZ_CHECK(found == -1 || cp1252::EqualNoCase(words[static_cast<size_t>(found)], words[i]));
  }
  for (int w = -1; w <= bible.WordCount(); ++w) (void)bible.WordVerses(w);
  for (int n = 0; n <= kHebrewStrongsCount + 1; ++n) (void)bible.HebrewVerses(n);
  for (int n = 0; n <= kGreekStrongsCount + 1; ++n) (void)bible.GreekVerses(n);
}

}  // namespace

void FuzzBibleModule(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const uint8_t mode = input.Byte();
  std::string file;
  if (mode % 4 == 3) {
    file = std::string(input.Rest());
  } else {
    file = Templates().bible;
    ApplyPatchScript(file, input, PlaceBibleVerse);
  }
  MemoryFileSystem fs;
  fs.SetFile("/lib/FUZZ.lmb", file);
  Result<std::unique_ptr<TLMBibleModule>> opened = TLMBibleModule::Create("/lib/FUZZ.lmb", fs);
  if (!opened.ok()) {
    const ErrorKind kind = opened.status().kind();
    LUMORA_FUZZ_CHECK(kind == ErrorKind::kCreate || kind == ErrorKind::kDecompression);
    return;
  }
  const TLMBibleModule& bible = **opened;
  // A second instance shares the first one's mapping, as the Strong's-links
  // twin does.
  Result<std::unique_ptr<TLMBibleModule>> twin = TLMBibleModule::Create("/lib/FUZZ.lmb", fs);
  LUMORA_FUZZ_CHECK(twin.ok());
  if (twin.ok()) {
    (*twin)->MakeStrongsLinksTwin("Twin", "TWN");
    LUMORA_FUZZ_CHECK((*twin)->GetVerseText(1, true, true) == bible.GetVerseText(1, true, true));
  }
  ReadVerses(bible);
  ReadTables(bible);
  ReadIndexes(bible);
}

}  // namespace lumora::fuzz
