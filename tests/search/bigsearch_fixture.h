// A small in-memory library for the full search and topic guide tests,
// loaded once per process through the module catalogue:
//   Bibles  KJV (Strong's, twin KJVSL), ABC (Strong's, twin ABCSL, no
//           bracket flag, lacks Genesis 1:1), MNY (101 verses of "grace",
//           the first 100 also "mercy");
//   Books   DMG "Damaged Book" (entry 1 damaged), TT "Topical Test";
//   Commentaries TN "Test Notes".
#pragma once

#include "core/catalogue/module_catalogue.h"

namespace lumora::test {

inline constexpr int kJohn3_17 = 26138;
inline constexpr int kJohn3_18 = 26139;

// Entry numbers of "Topical Test" (title order).
enum TopicEntry { kBrotherlyLove, kForeKnowledge, kLordAndMaster, kLove, kLovely, kLovelyThings };

const TModuleCatalogue& BigSearchLibrary();

}  // namespace lumora::test
