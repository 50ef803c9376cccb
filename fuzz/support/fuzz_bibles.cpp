#include "fuzz/support/fuzz_bibles.h"

#include <algorithm>

#include "fuzz/support/file_patch.h"
#include "fuzz/support/fuzz_check.h"
#include "fuzz/support/fuzz_library.h"

namespace lumora::fuzz {

namespace {

// The template with the texts placed, grown once.
std::string WithTexts(const std::string& file, const std::vector<std::string_view>& texts,
                      size_t n, bool reversed) {
  size_t extra = 0;
  for (size_t i = 0; i < n; ++i) extra += texts[i].size() + 64;
  std::string out;
  out.reserve(file.size() + extra);
  out = file;
  for (size_t i = 0; i < n; ++i)
    SetBibleVerseText(out, kFirstTextVerse + static_cast<int>(i), texts[reversed ? n - 1 - i : i]);
  return out;
}

}  // namespace

std::unique_ptr<PlacedBibles> PlaceVerseTexts(const std::vector<std::string_view>& texts,
                                              bool with_compare) {
  auto placed = std::make_unique<PlacedBibles>();
  const size_t n = std::min(texts.size(), kMaxPlacedVerses);
  for (size_t i = 0; i < n; ++i) placed->verses.push_back(kFirstTextVerse + static_cast<int>(i));
  placed->bible = OpenBible(placed->fs, "/lib/FZB.lmb", WithTexts(Templates().bible, texts, n, false));
  LUMORA_FUZZ_CHECK(placed->bible != nullptr);
  Result<std::unique_ptr<TLMBibleModule>> twin = TLMBibleModule::Create("/lib/FZB.lmb", placed->fs);
  LUMORA_FUZZ_CHECK(twin.ok());
  if (twin.ok()) {
    placed->strongs_links = std::move(twin).value();
    placed->strongs_links->MakeStrongsLinksTwin("FZB with Strong's Links", "FZBSL");
  }
  if (!with_compare) return placed;
  placed->compare =
      OpenBible(placed->fs, "/lib/FZC.lmb", WithTexts(Templates().compare, texts, n, true));
  LUMORA_FUZZ_CHECK(placed->compare != nullptr);
  return placed;
}

}  // namespace lumora::fuzz
