// Synthetic modules for the entry renderer, link and preview tests, built
// once per process in memory: the test KJV, Strong's data, a Hebrew Strong's
// Book, a Book whose entries reference verses and a Commentary.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/platform/memory/memory_file_system.h"
#include "render/hover_preview.h"

namespace lumora::test::entry {

inline constexpr int kGen1_1 = 1;
inline constexpr int kGen1_3 = 3;
inline constexpr int kGen2_1 = 32;
inline constexpr int kGen2_4 = 35;
inline constexpr int kGen2_6 = 37;
inline constexpr int kGen50_26 = 1533;
inline constexpr int kExo1_1 = 1534;
inline constexpr int kJohn3_14 = 26135;
inline constexpr int kJohn3_16 = 26137;
// Referenced by the Book's entries "Alpha" and "Beta", not by "Gamma".
inline constexpr int kBookVerse = kJohn3_16;

struct EntryLibrary {
  MemoryFileSystem fs;
  std::unique_ptr<TLMBibleModule> kjv;
  std::unique_ptr<TLMStrongsDataModule> strongs;
  // Hebrew Strong's Book: entry 0 is number 1's article.
  std::unique_ptr<TLMDictionaryModule> hebrew;
  std::unique_ptr<TLMDictionaryModule> book;  // "BK": Alpha, Beta, Gamma
  std::unique_ptr<TLMCommentaryModule> commentary;  // "CM", on Genesis 1:1
  TPreviewContext context;  // all of the above, the KJV as the Bible
};

const EntryLibrary& Library();

// Fills %s and %d in order with the arguments.
std::string Fmt(const std::string& format, const std::vector<std::string>& args);
inline std::string N(int n) { return std::to_string(n); }
// Base-205 digits of a verse index.
std::string B(int n);

}  // namespace lumora::test::entry
