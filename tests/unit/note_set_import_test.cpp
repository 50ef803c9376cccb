// Old note sets into user Commentaries: reading both files, the "#reference"
// conversion, the written module as the catalogue loads it, progress and
// abort, and the names proposed for the new module.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "core/catalogue/module_catalogue.h"
#include "core/codec/base205.h"
#include "core/import/note_set.h"
#include "core/platform/file_system.h"
#include "core/io/byte_io.h"
#include "core/modules/bible_mapping_cache.h"
#include "core/platform/memory/memory_file_system.h"
#include "core/refs/verse_index.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_bible.h"
#include "tools/cli/import_notes_command.h"
#include "tools/notesets/noteset_samples.h"

namespace lumora {
namespace {

using notesets::NoteSetDamage;
using test::V;

// The verse list a converted reference becomes.
std::string NoteSetToken(TVerseRangeList ranges) {
  return "\x05" + EncodeVerseRanges(ranges) + "\x08";
}
std::string NoteSetVerse(int b, int c, int v) { return NoteSetToken({{V(b, c, v), V(b, c, v)}}); }

// The test KJV, opened once from memory (the module goes before its file
// system at exit: statics die in reverse order).
const TLMBibleModule& NoteSetKjv() {
  static MemoryFileSystem fs;
  static const std::unique_ptr<TLMBibleModule> kjv = [] {
    fs.SetFile("/lib/kjv.lmb", test::TestBibleBytes("KJV"));
    return std::move(TLMBibleModule::Create("/lib/kjv.lmb", fs).value());
  }();
  return *kjv;
}

const NoteConverter& NoteSetConverter() {
  static const NoteConverter converter(NoteSetKjv());
  return converter;
}

TEST(NoteConverter, LinesBecomeEntryMarkup) {
  const struct {
    std::string line, expected;
  } kCases[] = {
      {"see #John 3:16, also", "see " + NoteSetVerse(43, 3, 16) + ", also"},
      {"#5 apples", "#5 apples"},
      {"ends with #", "ends with #"},
      {"#", "#"},
      {"#hello world", "#hello world"},
      {"#jn 3:16a", "#jn 3:16a"},
      {"a & b < c > d", "a &amp; b &lt; c &gt; d"},
      {"a\x01"
       "b\x1F"
       "c",
       "a b c"},
      // The reference ends before a word no chapter number follows.
      {"#John 3:16 is true", NoteSetVerse(43, 3, 16) + " is true"},
      // Blanks after "#" go with the reference.
      {"#  jn 3:16 more", NoteSetVerse(43, 3, 16) + " more"},
      {"#    jn 3:16 more", NoteSetVerse(43, 3, 16) + " more"},
      {"see #  jn 3:16", "see " + NoteSetVerse(43, 3, 16)},
      {"x#John 3:16.", "x" + NoteSetVerse(43, 3, 16) + "."},
      {"#jn 3:16-18", NoteSetToken({{V(43, 3, 16), V(43, 3, 18)}})},
      {"#Rom 5:8; John 4:9 is the same",
       NoteSetToken({{V(45, 5, 8), V(45, 5, 8)}, {V(43, 4, 9), V(43, 4, 9)}}) + " is the same"},
      {"#1 John 4:9 and", NoteSetVerse(62, 4, 9) + " and"},
      {"#John 3:16, 17 and more", NoteSetToken({{V(43, 3, 16), V(43, 3, 17)}}) + " and more"},
      {"#John 3:16\xE9", NoteSetVerse(43, 3, 16) + "\xE9"},
      {"#Romans is great", NoteSetToken({{V(45, 1, 1), V(45, 16, 27)}}) + " is great"},
      {"#Song of Solomon 2:1 rose", NoteSetVerse(22, 2, 1) + " rose"},
      {"#John 3:16 #Rom 5:8", NoteSetVerse(43, 3, 16) + " " + NoteSetVerse(45, 5, 8)},
      {"#John 3:16 <b>", NoteSetVerse(43, 3, 16) + " &lt;b&gt;"},
      {"Caf\xE9 #5", "Caf\xE9 #5"},
      // Paragraphs.
      {"   indented", "<p>   indented"},
      {"\tafter a tab", "<p> after a tab"},
      {"   ", "<p>"},
      {"", "<p>"},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(NoteSetConverter().ConvertLine(c.line), c.expected) << c.line;
}

TEST(NoteConverter, NotesSplitAtEveryLineBreakAndEndEachLineWithCrLf) {
  const struct {
    std::string note, expected;
  } kCases[] = {
      {"one", "one\r\n"},
      {"a\r\nb\rc\nd", "a\r\nb\r\nc\r\nd\r\n"},
      {"a\r\n\r\n  b", "a\r\n<p>\r\n<p>  b\r\n"},
      {"a\n\rb", "a\r\n<p>\r\nb\r\n"},  // LF then CR: two breaks
  };
  for (const auto& c : kCases) EXPECT_EQ(NoteSetConverter().ConvertNote(c.note), c.expected);
}

// A note set in memory: the index of `notes` placed by hand.
std::string NoteSetIndex(const std::vector<int32_t>& offsets) {
  std::string index;
  for (int32_t o : offsets) AppendU32(index, static_cast<uint32_t>(o));
  return index;
}

TEST(NoteSetReader, EachNoteIsReadAtItsOwnOffsetAndTrimmed) {
  // Data before the first offset and between notes belongs to no verse.
  const std::string data =
      "junk \t Genesis one \r\n"
      "Genesis two"
      "\x01 \x02";
  std::vector<int32_t> offsets(kVerseCount, static_cast<int32_t>(data.size()));
  offsets[0] = 5;
  offsets[1] = 21;
  offsets[2] = 32;
  Result<NoteSet> set = ParseNoteSet(NoteSetIndex(offsets), data);
  ASSERT_TRUE(set.ok()) << set.status().message();
  EXPECT_EQ(set->notes[0], "Genesis one");
  EXPECT_EQ(set->notes[1], "Genesis two");
  EXPECT_EQ(set->notes[2], "");  // controls and blanks only
  EXPECT_EQ(set->NoteCount(), 2);
}

TEST(NoteSetReader, DamagedSetsAreRefusedWithTheirMessage) {
  const struct {
    NoteSetDamage damage;
    bool upper_case;
    const char* expected;  // nullptr: read fine
  } kCases[] = {
      {NoteSetDamage::kNone, false, nullptr},
      {NoteSetDamage::kNone, true, nullptr},
      {NoteSetDamage::kShortIndex, false, kNoteSetIndexSizeMessage},
      {NoteSetDamage::kNegativeOffset, false, kNoteSetDataCorruptMessage},
      {NoteSetDamage::kDecreasingOffset, false, kNoteSetDataCorruptMessage},
      {NoteSetDamage::kOffsetPastEnd, true, kNoteSetDataCorruptMessage},
      {NoteSetDamage::kMissingIndex, false, kNoteSetMissingFilesMessage},
      {NoteSetDamage::kMissingData, true, kNoteSetMissingFilesMessage},
  };
  for (const auto& c : kCases) {
    MemoryFileSystem fs;
    Result<std::string> written = notesets::WriteNoteSet(
        fs, "/sets", "My Study Notes", notesets::SampleNotes(), {c.damage, c.upper_case});
    ASSERT_TRUE(written.ok());
    Result<NoteSet> set = [&]() -> Result<NoteSet> {
      Result<NoteSetFiles> files = OpenNoteSet(*written, fs);
      if (!files.ok()) return files.status();
      EXPECT_EQ(files->base_name, "My Study Notes");
      return ReadNoteSet(*files, fs);
    }();
    const int damage = static_cast<int>(c.damage);
    if (c.expected == nullptr) {
      ASSERT_TRUE(set.ok()) << damage << ": " << set.status().message();
      EXPECT_EQ(set->NoteCount(), 4) << damage;  // the blank-only note makes none
      EXPECT_EQ(set->notes[V(43, 3, 16) - 1].substr(0, 13), "God so loved\r") << damage;
    } else {
      ASSERT_FALSE(set.ok()) << damage;
      EXPECT_EQ(set.status().message(), c.expected) << damage;
    }
  }
}

TEST(NoteSetReader, ThePartnerIsFoundWhateverTheCaseOfEitherExtension) {
  MemoryFileSystem fs;
  const auto bytes = notesets::BuildNoteSet(notesets::SampleNotes());
  fs.SetFile("/sets/Old.Nmi", bytes.index);
  fs.SetFile("/sets/Old.NMD", bytes.data);
  for (const char* chosen : {"/sets/Old.Nmi", "/sets/Old.nmi", "/sets/Old.NMD"}) {
    Result<NoteSetFiles> files = OpenNoteSet(chosen, fs);
    ASSERT_TRUE(files.ok()) << chosen << ": " << files.status().message();
    // The platform's separator joins folder and name.
    EXPECT_EQ(files->index_path, JoinPath("/sets", "Old.Nmi"));
    EXPECT_EQ(files->data_path, JoinPath("/sets", "Old.NMD"));
  }
}

// Records what the import shows and stops it at a chosen pass.
class NoteSetProgressLog : public NoteImportProgress {
 public:
  void Pass(const std::string& text) override { passes.push_back(text); }
  void Counter(const std::string& text) override { counters.push_back(text); }
  bool AbortRequested() override { return !abort_in.empty() && passes.back() == abort_in; }
  std::vector<std::string> passes, counters;
  std::string abort_in;
};

// A program folder on disk with the test KJV and the Strong's data.
class NoteSetImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BibleMappingCache::Instance().Clear();
    const std::string bibles = JoinPath(dir_.Path(), kBiblesFolder);
    std::filesystem::create_directories(bibles);
    test::WriteTestStrongsData(dir_.Path());
    builder::BibleSource kjv = test::MakeTestBible("KJV", false);
    kjv.title = "King James Version";
    test::WriteTestBible(bibles, "kjv.lmb", kjv);
    ASSERT_TRUE(catalogue_->LoadModules(dir_.Path()).ok());
  }
  std::string WriteSet(const std::vector<std::string>& notes, NoteSetDamage damage = {}) {
    Result<std::string> path = notesets::WriteNoteSet(DefaultFileSystem(), dir_.File("sets"),
                                                      "My Study Notes", notes, {damage, true});
    EXPECT_TRUE(path.ok());
    return path.ok() ? *path : std::string();
  }
  Result<std::string> Import(const std::string& chosen, const std::string& abbreviation,
                             NoteImportProgress* progress = nullptr) {
    Result<NoteSetFiles> files = OpenNoteSet(chosen, DefaultFileSystem());
    if (!files.ok()) return files.status();
    return ImportNoteSet(*files, "My Study Notes", abbreviation, catalogue_->UserFolder(),
                         *catalogue_->KjvBible(), DefaultFileSystem(), progress);
  }
  std::string UserFile(const std::string& name) { return JoinPath(catalogue_->UserFolder(), name); }

  test::TempFolder dir_;
  std::unique_ptr<TModuleCatalogue> catalogue_ = std::make_unique<TModuleCatalogue>();
};

TEST_F(NoteSetImportTest, TheCommentaryLoadsAtTheNextStartWithItsVerseLinksRebuilt) {
  const std::vector<std::string> notes = notesets::SampleNotes();
  NoteSetProgressLog progress;
  Result<std::string> path = Import(WriteSet(notes), "MSN", &progress);
  ASSERT_TRUE(path.ok()) << path.status().message();
  EXPECT_EQ(*path, UserFile("MSN.lmc"));
  EXPECT_FALSE(std::filesystem::exists(UserFile("MSN.tmp")));
  EXPECT_EQ(progress.passes,
            (std::vector<std::string>{kPassLoadingIndex, kPassLoadingEntries, kPassFormatting,
                                      kPassWritingEntries, kPassWritingData}));
  EXPECT_EQ(progress.counters.front(), "1 / 31102");
  EXPECT_NE(std::find(progress.counters.begin(), progress.counters.end(), "4 / 4"),
            progress.counters.end());
  EXPECT_EQ(catalogue_->CommentariesByAbbreviation().Find("MSN"), nullptr);  // not loaded now

  Result<std::unique_ptr<TLMCommentaryModule>> fresh = TLMCommentaryModule::Create(*path);
  ASSERT_TRUE(fresh.ok());
  EXPECT_EQ((*fresh)->Header().link_version, 0);
  EXPECT_TRUE((*fresh)->NeedsVerseLinkRebuild());
  fresh->reset();

  catalogue_.reset();  // it holds the KJV file
  BibleMappingCache::Instance().Clear();
  TModuleCatalogue next;
  std::vector<std::string> statuses;
  const Status loaded =
      next.LoadModules(dir_.Path(), [&](const std::string& s) { statuses.push_back(s); });
  ASSERT_TRUE(loaded.ok()) << loaded.message();
  EXPECT_NE(std::find(statuses.begin(), statuses.end(), "Updating Verse Links: MSN"),
            statuses.end());
  TLMCommentaryModule* c = next.CommentariesByAbbreviation().Find("MSN");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->GetTitle(), "My Study Notes");
  EXPECT_FALSE(c->IsReadOnly());
  EXPECT_FALSE(c->NeedsVerseLinkRebuild());
  const int entries[] = {V(1, 1, 1), V(19, 23, 1), V(43, 3, 16), V(45, 5, 8)};
  std::vector<std::string> titles;
  for (int verse : entries) {
    titles.push_back(test::KjvRef(verse));
    EXPECT_EQ(c->GetEntryText(verse - 1),
              NoteSetConverter().ConvertNote(TrimNote(notes[static_cast<size_t>(verse - 1)])))
        << verse;
  }
  EXPECT_EQ(c->EntryTitles(), titles);
  EXPECT_FALSE(c->HasEntry(V(66, 22, 21) - 1));  // blanks only
  // John 3:16's note refers to Romans 5:8.
  EXPECT_EQ(c->GetVerseEntries(V(45, 5, 8) - 1),
            TEntryIndex{static_cast<uint16_t>(V(43, 3, 16) - 1)});
}

TEST_F(NoteSetImportTest, RefusalsLeaveNoModule) {
  std::vector<std::string> huge = notesets::SampleNotes();
  huge[V(43, 3, 16) - 1] = notesets::IncompressibleNote(70000);
  const struct {
    std::vector<std::string> notes;
    bool existing;  // a file of the abbreviation (other case) is there already
    std::string expected;
  } kCases[] = {
      {huge, false, "Unable to import: the note on John 3:16 is too large for a module entry."},
      {notesets::SampleNotes(), true, kNoteImportFileExistsMessage},
  };
  for (const auto& c : kCases) {
    std::filesystem::remove_all(catalogue_->UserFolder());
    if (c.existing) {
      std::filesystem::create_directories(catalogue_->UserFolder());
      ASSERT_TRUE(DefaultFileSystem().WriteFile(UserFile("msn.lmc"), "old").ok());
    }
    Result<std::string> path = Import(WriteSet(c.notes), "MSN");
    ASSERT_FALSE(path.ok());
    EXPECT_EQ(path.status().message(), c.expected);
    // The file that was there stays as it was (on Windows "MSN.lmc" names
    // it too); without one, none is made.
    if (c.existing) {
      EXPECT_EQ(DefaultFileSystem().ReadFile(UserFile("msn.lmc")).value(), "old");
    } else {
      EXPECT_FALSE(std::filesystem::exists(UserFile("MSN.lmc")));
    }
    EXPECT_FALSE(std::filesystem::exists(UserFile("MSN.tmp")));
  }
}

TEST_F(NoteSetImportTest, AnAbortStopsThePassItCameIn) {
  const struct {
    const char* pass;
    bool leaves_temp;
  } kCases[] = {
      {kPassLoadingEntries, false},
      {kPassFormatting, false},
      {kPassWritingEntries, true},
  };
  const std::string chosen = WriteSet(notesets::SampleNotes());
  for (const auto& c : kCases) {
    std::filesystem::remove_all(catalogue_->UserFolder());
    NoteSetProgressLog progress;
    progress.abort_in = c.pass;
    Result<std::string> path = Import(chosen, "MSN", &progress);
    ASSERT_FALSE(path.ok()) << c.pass;
    EXPECT_TRUE(IsNoteImportAbort(path.status())) << c.pass;
    EXPECT_EQ(progress.passes.back(), c.pass);
    EXPECT_EQ(std::filesystem::exists(UserFile("MSN.tmp")), c.leaves_temp) << c.pass;
    EXPECT_FALSE(std::filesystem::exists(UserFile("MSN.lmc"))) << c.pass;
  }
}

TEST(NoteSetWriter, AUserFolderThatCannotBeMadeStopsTheImport) {
  MemoryFileSystem fs;
  fs.FailNext(FileOp::kCreateFolder);
  Result<std::string> path =
      WriteImportedCommentary({{1, "text\r\n"}}, "T", "TT", "/prog/User", NoteSetKjv(), fs);
  ASSERT_FALSE(path.ok());
  EXPECT_EQ(path.status().message(), kNoteImportUserFolderMessage);
}

TEST(NoteSetNames, TitleAndAbbreviationComeFromTheBaseName) {
  NameList<void> in_use;
  in_use.Add("KJV", nullptr);
  in_use.Add("Taken Title", nullptr);
  const struct {
    const char* base;
    const char* title;
    const char* abbreviation;
  } kCases[] = {
      {"My Study Notes", "My Study Notes", "MSN"},
      {"  Padded  ", "Padded", "P"},
      {"a b c d e f g h i", "a b c d e f g h i", "abcdefg"},
      {"Two  Blanks", "Two  Blanks", "TB"},
      {"Taken Title", "", "TT"},
      {"Kings James Version", "Kings James Version", ""},  // "KJV" is in use
      {"", "", ""},
  };
  for (const auto& c : kCases) {
    const ProposedImportNames names = ProposeImportNames(c.base, in_use);
    EXPECT_EQ(names.title, c.title) << c.base;
    EXPECT_EQ(names.abbreviation, c.abbreviation) << c.base;
  }
}

TEST_F(NoteSetImportTest, CliImportsOnceAndNamesEachFailure) {
  const std::string chosen = WriteSet(notesets::SampleNotes());
  const std::string broken = notesets::WriteNoteSet(DefaultFileSystem(), dir_.File("bad"), "Short",
                                                    {}, {NoteSetDamage::kShortIndex, false})
                                 .value();
  const struct {
    std::vector<std::string> args;
    int code;
    std::string err_holds;
  } kCases[] = {
      {{chosen, "My Study Notes", "MSN"}, 0, kPassWritingData},
      {{chosen, "My Study Notes", "MSN"}, 1, kNoteImportFileExistsMessage},
      {{chosen, "King James Version", "NEW"}, 1, "already in use"},
      {{broken, "Short", "SH"}, 1, kNoteSetIndexSizeMessage},
      {{dir_.File("none.nmi"), "None", "NO"}, 1, kNoteSetMissingFilesMessage},
      {{chosen, "Only a title"}, 2, "usage"},
  };
  for (const auto& c : kCases) {
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunImportNotesCommand(*catalogue_, c.args, out, err), c.code) << err.str();
    EXPECT_NE(err.str().find(c.err_holds), std::string::npos) << err.str();
    if (c.code == 0) {
      EXPECT_NE(out.str().find(UserFile("MSN.lmc")), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace lumora
