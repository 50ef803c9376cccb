// The King James versification as tool and test data. The program itself
// holds none of it: every Bible module carries its own verse table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumora::builder {

struct KjvBook {
  std::string osis_name;  // "Gen", "1John"
  std::string short_title;  // "Ge", "1 Jo": the reference parser's book keys
  std::string long_title;   // "Genesis", "1 John"
  std::vector<int> verses_per_chapter;
};

struct VerseLocation {
  uint8_t book = 0;
  uint8_t chapter = 0;
  uint8_t verse = 0;
};

const std::vector<KjvBook>& KjvBooks();
// 31102 entries; entry i - 1 is verse index i.
const std::vector<VerseLocation>& KjvVerseTable();
// Verse index of an existing verse, 0 when it does not exist.
int KjvVerseIndex(int book, int chapter, int verse);

}  // namespace lumora::builder
