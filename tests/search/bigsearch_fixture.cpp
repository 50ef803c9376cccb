#include "tests/search/bigsearch_fixture.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/codec/base205.h"
#include "core/codec/compression.h"
#include "core/modules/bible_mapping_cache.h"
#include "core/platform/memory/memory_file_system.h"
#include "core/refs/verse_index.h"
#include "tests/support/test_bible.h"
#include "tools/builder/bible_builder.h"
#include "tools/builder/entry_builders.h"

namespace lumora::test {
namespace {

std::string Built(const Result<std::string>& bytes) {
  EXPECT_TRUE(bytes.ok()) << bytes.status().message();
  return bytes.ok() ? bytes.value() : std::string();
}

std::string Refs(int first, int last) { return "\x05" + EncodeVerseRanges({{first, last}}) + "\x08"; }

builder::BibleSource Sparse(const std::string& abbreviation, bool strongs) {
  builder::BibleSource s;
  s.title = abbreviation + " Bible";
  s.abbreviation = abbreviation;
  s.has_strongs = strongs;
  s.has_footnotes = true;
  s.verses.resize(kVerseCount);
  return s;
}

void Build(MemoryFileSystem& fs) {
  fs.SetFile("/lib/stgdat.lm4", BuildStrongsDataFile({}, {}));

  builder::BibleSource kjv = Sparse("KJV", true);
  kjv.has_brackets = true;
  kjv.verses[0] = "In the beginning" + builder::StrongsToken(true, 7225) + " God created.";
  kjv.verses[1] = "the lordship of [the] Lord";
  kjv.verses[kJohn3_16 - 1] = "For God" + builder::StrongsToken(false, 2316) +
                              " so loved the world {Or, grace} that he gave";
  fs.SetFile("/lib/Bibles/kjv.lmb", Built(builder::BuildBibleModule(kjv)));

  builder::BibleSource abc = Sparse("ABC", true);
  abc.verses[1] = "x <b>Lord</b> & y";
  abc.verses[kJohn3_16 - 1] = "love";
  fs.SetFile("/lib/Bibles/abc.lmb", Built(builder::BuildBibleModule(abc)));

  builder::BibleSource many = Sparse("MNY", false);
  for (int v = 1; v <= 101; ++v) many.verses[static_cast<size_t>(v - 1)] = "grace mercy";
  many.verses[100] = "grace";
  fs.SetFile("/lib/Bibles/mny.lmb", Built(builder::BuildBibleModule(many)));

  builder::BookSource topics{"Topical Test", "TT", "NVCX", {}};
  topics.entries = {{"BROTHERLY LOVE", "Love the brethren " + Refs(kJohn3_18, kJohn3_18)},
                    {"FORE-KNOWLEDGE", "Known before"},
                    {"LORD & MASTER", "Title &amp; only"},
                    {"LOVE", "God is love " + Refs(kJohn3_16, kJohn3_17) + " and grace"},
                    {"LOVELY", "Whatsoever things are lovely"},
                    {"LOVELY THINGS, LOVE OF", "Think on these things"}};
  fs.SetFile("/lib/Books/tt.lmk", Built(builder::BuildBookModule(topics)));

  const std::string damaged_text(400, 'g');
  builder::BookSource damaged{"Damaged Book", "DMG", "DMG", {}};
  damaged.entries = {{"A", "good grace"}, {"B", damaged_text}, {"C", "more grace"}};
  std::string bytes = Built(builder::BuildBookModule(damaged));
  const std::string record = Built(CompressString(damaged_text));
  const size_t at = bytes.find(record);
  EXPECT_NE(at, std::string::npos);
  if (at != std::string::npos)
    for (size_t k = 2; k + 4 < record.size(); ++k) bytes[at + k] ^= 0x5A;
  fs.SetFile("/lib/Books/dmg.lmk", bytes);

  builder::CommentarySource notes{"Test Notes", "TN", "TN", {}};
  notes.slots.resize(kVerseCount);
  notes.slots[0] = "See " + Refs(kJohn3_17, kJohn3_17) + " on grace";
  notes.slots[kJohn3_16 - 1] = "God so loved: grace";
  notes.slots[kJohn3_18 - 1] = "Condemned already";
  fs.SetFile("/lib/Commentaries/tn.lmc", Built(builder::BuildCommentaryModule(notes)));
}

}  // namespace

const TModuleCatalogue& BigSearchLibrary() {
  // The singletons the modules use at destruction must outlive the library.
  (void)BibleMappingCache::Instance();
  struct Library {
    MemoryFileSystem fs;
    std::unique_ptr<TModuleCatalogue> catalogue;
  };
  static Library lib;
  if (!lib.catalogue) {
    Build(lib.fs);
    lib.catalogue = std::make_unique<TModuleCatalogue>(lib.fs);
    const Status loaded = lib.catalogue->LoadModules("/lib");
    EXPECT_TRUE(loaded.ok()) << loaded.message();
  }
  return *lib.catalogue;
}

}  // namespace lumora::test
