// Small synthetic Bibles for the tests, always on the full 31102-verse KJV
// versification.
#pragma once

#include <string>

#include "tools/builder/bible_builder.h"
#include "tools/builder/kjv_versification.h"

namespace lumora::test {

// Every verse reads "b:c:v" followed by a few words; John 3:16 and Genesis
// 1:1 carry real-looking text with Strong's tokens, brackets and a footnote.
// Verses 31100..31102 have no text.
builder::BibleSource MakeTestBible(const std::string& abbreviation, bool strongs = true);

// Builds `source` into folder/name and returns the path; fails the test on
// error.
std::string WriteTestBible(const std::string& folder, const std::string& name,
                           const builder::BibleSource& source);

// The KJV verse index of book b, chapter c, verse v.
inline int V(int b, int c, int v) { return builder::KjvVerseIndex(b, c, v); }
// "John 3:16" for a KJV verse index (long book title).
std::string KjvRef(int verse);

inline constexpr int kGenesis1_1 = 1;
inline constexpr int kJohn3_16 = 26137;
inline constexpr int kFirstVerseWithoutText = 31100;

}  // namespace lumora::test

namespace lumora::test {

// The module file of MakeTestBible(abbreviation), built once per process.
const std::string& TestBibleBytes(const std::string& abbreviation = "KJV");

}  // namespace lumora::test

namespace lumora::test {

// Writes a small "stgdat.lm4" into `folder`: Hebrew 1 and 7225 and Greek 1
// and 26 carry words; every other number has empty strings.
void WriteTestStrongsData(const std::string& folder);

}  // namespace lumora::test
