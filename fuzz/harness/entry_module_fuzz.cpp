// entry_module: a Book or Commentary module file opened from bytes, every
// entry and title read, the verse links looked up, and the verse-link index
// rebuilt in place (the module lies in the user folder of a memory file
// system, so the rebuild writes the file).
//
// Input: one mode byte, then
//   mode % 4 == 0: a patch script (file_patch.h) on the template Book;
//   mode % 4 == 1: a patch script on the template Commentary;
//   mode % 4 == 2: a whole Book file; mode % 4 == 3: a whole Commentary file.
// Checks: refusals are create errors; titles are found again; the links a
// module answers name its own entries; after a rebuild the index matches the
// verse lists of the entry texts, also when the file is opened again.
#include <climits>
#include <string>
#include <vector>

#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"
#include "core/modules/verse_links.h"
#include "core/refs/verse_index.h"
#include "core/text/cp1252.h"
#include "fuzz/harness/harnesses.h"
#include "fuzz/support/file_patch.h"
#include "fuzz/support/fuzz_check.h"
#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/fuzz_library.h"

namespace lumora::fuzz {
namespace {

constexpr const char* kUserFolder = "/User";
constexpr const char* kBookPath = "/User/FUZZ.lmk";
constexpr const char* kCommentaryPath = "/User/FUZZ.lmc";

// The index the verse lists of `texts` (entry number order) give.
VerseLinkIndex ExpectedLinks(const std::vector<std::string>& texts) {
  VerseLinkIndex links;
  for (size_t i = 0; i < texts.size() && i < 0x10000; ++i)
    links.AddEntry(static_cast<uint16_t>(i), texts[i]);
  return links;
}

template <typename Module>
void CheckLinkLookups(const Module& module) {
  // A stored record may name a verse with no entries (a count of 0): then
  // only the lookup of entries comes back empty.
  for (int v0 = 0; v0 < kVerseCount; ++v0)
    LUMORA_FUZZ_CHECK(module.HasVerseEntries(v0) || module.GetVerseEntries(v0).empty());
  for (int v0 : {-1, kVerseCount, INT32_MAX}) {
    LUMORA_FUZZ_CHECK(module.GetVerseEntries(v0).empty());
    LUMORA_FUZZ_CHECK(!module.HasVerseEntries(v0));
  }
}

template <typename Module>
void CheckLinksMatch(const Module& module, const VerseLinkIndex& expected) {
  for (int v0 = 0; v0 < kVerseCount; ++v0)
    LUMORA_FUZZ_CHECK(module.GetVerseEntries(v0) == expected.Entries(v0));
}

// The entry texts a rebuild reads: damaged records contribute nothing.
std::string LinkText(std::string text) {
  return text.starts_with("[Non-fatal internal error: ") ? std::string() : text;
}

void FuzzBook(MemoryFileSystem& fs) {
  Result<std::unique_ptr<TLMDictionaryModule>> opened =
      TLMDictionaryModule::Create(kBookPath, fs, kUserFolder);
  if (!opened.ok()) {
    LUMORA_FUZZ_CHECK(opened.status().kind() == ErrorKind::kCreate);
    return;
  }
  std::unique_ptr<TLMDictionaryModule> module = std::move(opened).value();
  TLMDictionaryModule& book = *module;
  const std::vector<std::string> titles = book.EntryTitles();
  LUMORA_FUZZ_CHECK(static_cast<int>(titles.size()) == book.EntryCount());
  std::vector<std::string> texts;
  for (int e = 0; e < book.EntryCount(); ++e) {
    texts.push_back(LinkText(book.GetEntryText(e)));
    const int found = book.FindTitle(titles[static_cast<size_t>(e)]);
    LUMORA_FUZZ_CHECK(found >= 0 && found < book.EntryCount());
    LUMORA_FUZZ_CHECK(cp1252::EqualNoCase(titles[static_cast<size_t>(found)],
                                          titles[static_cast<size_t>(e)]));
  }
  for (int e : {-1, book.EntryCount(), INT32_MAX}) LUMORA_FUZZ_CHECK(book.GetEntryText(e).empty());
  (void)book.NeedsVerseLinkRebuild();
  CheckLinkLookups(book);
  if (book.EntryCount() == 0) return;

  const Status rebuilt = book.RebuildVerseLinks();
  const VerseLinkIndex expected = ExpectedLinks(texts);
  CheckLinksMatch(book, expected);
  if (!rebuilt.ok()) return;
  LUMORA_FUZZ_CHECK(!book.NeedsVerseLinkRebuild());
  module.reset();  // the file is mapped exclusively
  Result<std::unique_ptr<TLMDictionaryModule>> again =
      TLMDictionaryModule::Create(kBookPath, fs, kUserFolder);
  LUMORA_FUZZ_CHECK(again.ok());
  if (!again.ok()) return;
  LUMORA_FUZZ_CHECK(!(*again)->NeedsVerseLinkRebuild());
  LUMORA_FUZZ_CHECK((*again)->EntryTitles() == titles);
  CheckLinksMatch(**again, expected);
}

void FuzzCommentary(MemoryFileSystem& fs) {
  Result<std::unique_ptr<TLMCommentaryModule>> opened =
      TLMCommentaryModule::Create(kCommentaryPath, fs, kUserFolder);
  if (!opened.ok()) {
    LUMORA_FUZZ_CHECK(opened.status().kind() == ErrorKind::kCreate);
    return;
  }
  std::unique_ptr<TLMCommentaryModule> module = std::move(opened).value();
  TLMCommentaryModule& commentary = *module;
  std::vector<std::string> texts(kVerseCount);
  const std::string empty_text =
      ("No " + commentary.GetAbbreviation() + " text on this verse.").substr(0, 33);
  for (int slot = 0; slot < kVerseCount; ++slot) {
    std::string text = commentary.GetEntryText(slot);
    if (!commentary.HasEntry(slot)) {
      LUMORA_FUZZ_CHECK(text == empty_text);
      continue;
    }
    texts[static_cast<size_t>(slot)] = LinkText(std::move(text));
  }
  for (int slot : {-1, kVerseCount, INT32_MAX}) {
    LUMORA_FUZZ_CHECK(!commentary.HasEntry(slot));
    LUMORA_FUZZ_CHECK(commentary.GetEntryText(slot) == empty_text);
  }
  (void)commentary.EntryTitles();
  (void)commentary.NeedsVerseLinkRebuild();
  CheckLinkLookups(commentary);

  const Status rebuilt = commentary.RebuildVerseLinks();
  const VerseLinkIndex expected = ExpectedLinks(texts);
  CheckLinksMatch(commentary, expected);
  if (!rebuilt.ok()) return;
  LUMORA_FUZZ_CHECK(!commentary.NeedsVerseLinkRebuild());
  module.reset();  // the file is mapped exclusively
  Result<std::unique_ptr<TLMCommentaryModule>> again =
      TLMCommentaryModule::Create(kCommentaryPath, fs, kUserFolder);
  LUMORA_FUZZ_CHECK(again.ok());
  if (!again.ok()) return;
  LUMORA_FUZZ_CHECK(!(*again)->NeedsVerseLinkRebuild());
  CheckLinksMatch(**again, expected);
}

}  // namespace

void FuzzEntryModule(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const int mode = input.Byte() % 4;
  const bool book = mode == 0 || mode == 2;
  std::string file;
  if (mode >= 2) {
    file = std::string(input.Rest());
  } else {
    file = book ? Templates().book : Templates().commentary;
    ApplyPatchScript(file, input, book ? PlaceBookEntry : PlaceCommentarySlot);
  }
  MemoryFileSystem fs;
  fs.SetFile(book ? kBookPath : kCommentaryPath, file);
  if (book)
    FuzzBook(fs);
  else
    FuzzCommentary(fs);
}

}  // namespace lumora::fuzz
