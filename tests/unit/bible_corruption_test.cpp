// Damaged Bible modules: every fault is refused at open or read as an error
// text, never a crash or a read outside the mapping (run under the
// sanitizer build to prove the latter).
#include <gtest/gtest.h>

#include <random>

#include "core/codec/compression.h"
#include "core/io/byte_io.h"
#include "core/modules/bible_header.h"
#include "core/modules/bible_mapping_cache.h"
#include "core/modules/bible_module.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_bible.h"

namespace lumora {
namespace {

class BibleCorruptionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BibleMappingCache::Instance().Clear();
    good_ = test::TestBibleBytes("KJV");
    ASSERT_FALSE(good_.empty());
    header_ = BibleHeader::DecodeFrom(reinterpret_cast<const uint8_t*>(good_.data()));
  }

  Result<std::unique_ptr<TLMBibleModule>> Open(const std::string& bytes) {
    const std::string path = dir_.File("damaged.lmb");
    EXPECT_TRUE(DefaultFileSystem().WriteFile(path, bytes).ok());
    return TLMBibleModule::Create(path);
  }

  std::string WithHeader(const BibleHeader& h) {
    std::string bytes = good_;
    bytes.replace(0, kBibleHeaderSize, h.Encode());
    return bytes;
  }

  void ExpectHeaderInvalid(const BibleHeader& h) {
    Result<std::unique_ptr<TLMBibleModule>> r = Open(WithHeader(h));
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.status().kind(), ErrorKind::kCreate);
    EXPECT_EQ(r.status().message().rfind("File header invalid: ", 0), 0u) << r.status().message();
  }

  // Reads every `step`-th verse and the search indexes; anything may come
  // back, but it must come back.
  static void ReadAll(const TLMBibleModule& bible, int step) {
    for (int i = 1; i <= 31102; i += step) {
      (void)bible.GetVerseText(i, true, true);
      (void)bible.GetVerseText(i, false, false);
    }
    for (int b = 0; b <= 67; ++b) (void)bible.GetShortBookTitle(b);
    (void)bible.LocateVerse(43, 3, 16);
    (void)bible.LocateVerse(66, 255, 255);
    for (int p = 0; p < bible.WordCount(); p += 97) (void)bible.WordVerses(p);
    (void)bible.HebrewVerses(7225);
    (void)bible.GreekVerses(25);
  }

  test::TempFolder dir_;
  std::string good_;
  BibleHeader header_;
};

TEST_F(BibleCorruptionTest, ImpossibleHeadersAreRefused) {
  BibleHeader h = header_;
  h.verse_count = 31000;
  ExpectHeaderInvalid(h);
  h = header_;
  h.book_count = 0;
  ExpectHeaderInvalid(h);
  h.book_count = 67;
  ExpectHeaderInvalid(h);
  h = header_;
  h.verse_table = static_cast<uint32_t>(good_.size() - 100);
  ExpectHeaderInvalid(h);
  h = header_;
  h.word_index = 0xFFFFFFF0u;
  ExpectHeaderInvalid(h);
  h = header_;
  h.greek_index = static_cast<uint32_t>(good_.size());
  ExpectHeaderInvalid(h);
  h = header_;
  h.long_titles = static_cast<uint32_t>(good_.size() - 2);
  ExpectHeaderInvalid(h);
  h = header_;
  h.word_list_size = 0x7FFFFFFF;
  ExpectHeaderInvalid(h);
}

TEST_F(BibleCorruptionTest, FilesShorterThanTheHeaderAreRefused) {
  for (size_t n : {size_t{0}, size_t{1}, size_t{100}, kBibleHeaderSize - 1}) {
    Result<std::unique_ptr<TLMBibleModule>> r = Open(good_.substr(0, n));
    ASSERT_FALSE(r.ok()) << n;
    EXPECT_EQ(r.status().kind(), ErrorKind::kCreate);
  }
}

TEST_F(BibleCorruptionTest, OverlongHeaderStringsAreClampedToTheirFields) {
  std::string bytes = good_;
  bytes[41] = static_cast<char>(200);  // abbreviation length far past its 7-byte field
  bytes[0] = static_cast<char>(255);
  Result<std::unique_ptr<TLMBibleModule>> r = Open(bytes);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ((*r)->GetAbbreviation().size(), 6u);
  EXPECT_EQ((*r)->GetTitle().size(), 40u);
}

TEST_F(BibleCorruptionTest, TitleListThatDoesNotInflateIsRefused) {
  std::string bytes = good_;
  for (size_t k = 2; k < header_.short_titles_size; ++k) bytes[header_.short_titles + k] ^= 0x5A;
  Result<std::unique_ptr<TLMBibleModule>> r = Open(bytes);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.status().kind(), ErrorKind::kDecompression);
}

TEST_F(BibleCorruptionTest, DamagedWordListReadsAsErrorTextsNotCodes) {
  std::string bytes = good_;
  for (size_t k = 2; k < header_.word_list_size; k += 3) bytes[header_.word_list + k] ^= 0x5A;
  Result<std::unique_ptr<TLMBibleModule>> r = Open(bytes);
  ASSERT_TRUE(r.ok()) << r.status().message();  // the word list is read on first use
  EXPECT_EQ((*r)->GetVerseText(1, false, false),
            "[Non-fatal internal error: word list damaged on GetVerseText (1)]");
  EXPECT_TRUE((*r)->Words().empty());
  EXPECT_EQ((*r)->FindWord("God"), -1);
  EXPECT_EQ((*r)->GetShortBookTitle(43), "Joh");  // everything else still works
}

// Found with the fuzz harness: a word list holding one word of a megabyte and
// a verse of a few kilobytes coding it thousands of times expanded to
// gigabytes and ended the program. The verse now reads as an error text.
TEST_F(BibleCorruptionTest, WordCodesOfAHugeWordGiveErrorText) {
  std::string bytes = good_;
  const Result<std::string> words = CompressString(std::string(1 << 20, 'W'));
  std::string codes;
  for (int i = 0; i < 5000; ++i) codes += "\x04" "0";
  const Result<std::string> verse = CompressString(codes);
  ASSERT_TRUE(words.ok() && verse.ok());
  BibleHeader h = header_;
  h.word_list = static_cast<uint32_t>(bytes.size());
  h.word_list_size = static_cast<uint32_t>(words->size());
  bytes += *words;
  StoreU32(bytes, header_.verse_table, static_cast<uint32_t>(bytes.size()));  // Genesis 1:1
  StoreU16(bytes, header_.verse_table + 4, static_cast<uint16_t>(verse->size()));
  bytes += *verse;
  bytes.replace(0, kBibleHeaderSize, h.Encode());
  Result<std::unique_ptr<TLMBibleModule>> r = Open(bytes);
  ASSERT_TRUE(r.ok()) << r.status().message();
  EXPECT_EQ((*r)->GetVerseText(1, true, true),
            "[Non-fatal internal error: word codes expand past the text limit on GetVerseText (1)]");
  EXPECT_EQ((*r)->Words().size(), 1u);
  EXPECT_EQ((*r)->GetShortBookTitle(43), "Joh");
}

TEST_F(BibleCorruptionTest, ShortTitleListAnswersWithErrorText) {
  builder::BibleSource source = test::MakeTestBible("KJV");
  source.short_titles = {"Ge", "Ex"};
  Result<std::string> bytes = builder::BuildBibleModule(source);
  ASSERT_TRUE(bytes.ok());
  Result<std::unique_ptr<TLMBibleModule>> r = Open(*bytes);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ((*r)->GetShortBookTitle(2), "Ex");
  EXPECT_EQ((*r)->GetShortBookTitle(43),
            "[Non-fatal internal error: book out of range on GetShortBookTitle (43)]");
}

TEST_F(BibleCorruptionTest, VerseRecordsOutsideTheFileReadAsErrors) {
  // Cut the file inside the verse texts: records beyond the cut must not be
  // followed out of the mapping.
  const size_t cut = good_.size() - 2000;
  Result<std::unique_ptr<TLMBibleModule>> r = Open(good_.substr(0, cut));
  ASSERT_TRUE(r.ok()) << r.status().message();
  const std::string last = (*r)->GetVerseText(31099, false, false);
  EXPECT_EQ(last.rfind("[Non-fatal internal error: ", 0), 0u) << last;
  ReadAll(**r, 1);
}

TEST_F(BibleCorruptionTest, DamagedVerseStreamGivesErrorTextNotACrash) {
  std::string bytes = good_;
  const auto* table = reinterpret_cast<const uint8_t*>(bytes.data()) + header_.verse_table;
  const BibleVerseRecord rec = BibleVerseRecord::DecodeFrom(table);  // Genesis 1:1
  for (uint16_t k = 2; k < rec.size; ++k) bytes[static_cast<size_t>(rec.offset) + k] ^= 0x33;
  Result<std::unique_ptr<TLMBibleModule>> r = Open(bytes);
  ASSERT_TRUE(r.ok());
  const std::string text = (*r)->GetVerseText(1, false, false);
  EXPECT_EQ(text.rfind("[Non-fatal internal error: ", 0), 0u) << text;
  EXPECT_EQ((*r)->GetVerseText(2, false, false), test::MakeTestBible("KJV").verses[1].value());
}

TEST_F(BibleCorruptionTest, TruncatedCopiesNeverCrash) {
  std::vector<size_t> cuts = {kBibleHeaderSize, kBibleHeaderSize + 1,
                              header_.verse_table + 9 * 31102 - 1, header_.word_index + 5,
                              header_.hebrew_index + 3, header_.greek_index + 100,
                              header_.short_titles, header_.long_titles + 3,
                              header_.word_list + header_.word_list_size - 1,
                              good_.size() - 1};
  for (size_t k = 1; k < 40; ++k) cuts.push_back(good_.size() * k / 40);
  for (size_t cut : cuts) {
    Result<std::unique_ptr<TLMBibleModule>> r = Open(good_.substr(0, cut));
    if (r.ok()) ReadAll(**r, 13);
  }
}

TEST_F(BibleCorruptionTest, BitFlippedCopiesNeverCrash) {
  std::mt19937 rng(1234);
  // Flips land in the header and tables as well as in the texts.
  const size_t tables_end = header_.short_titles + 1;
  for (int round = 0; round < 150; ++round) {
    std::string bytes = good_;
    const size_t limit = round % 3 == 0 ? kBibleHeaderSize : round % 3 == 1 ? tables_end
                                                                            : bytes.size();
    for (int flips = 0; flips < 4; ++flips)
      bytes[rng() % limit] ^= static_cast<char>(1u << (rng() % 8));
    Result<std::unique_ptr<TLMBibleModule>> r = Open(bytes);
    if (r.ok()) ReadAll(**r, round < 10 ? 1 : 61);
  }
}

}  // namespace
}  // namespace lumora
