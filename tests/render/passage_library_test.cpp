// Every chapter of the sample library's Bibles through the passage renderer
// in the layouts that change its markup: no crash, and well-formed pages.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/catalogue/module_catalogue.h"
#include "tests/library/library_fixture.h"
#include "tests/render/passage_fixture.h"

namespace lumora::test {
namespace {

struct Mode {
  const char* name;
  bool column, para, footnotes, compare, reference_links;
  // Per verse, "<a " minus "</a>" of the template row the mode uses.
  int anchor_balance;
};

const Mode kModes[] = {
    {"column", true, false, false, false, false, 0},
    {"flowing", false, false, false, false, false, 0},
    {"paragraph", false, true, false, false, false, 0},
    {"column footnotes", true, false, true, false, false, 0},
    {"flowing footnotes", false, false, true, false, false, 0},
    {"column compare", true, false, true, true, false, 0},
    {"flowing compare", false, false, false, true, false, -1},
    {"reference links column", true, false, false, false, true, 1},
    {"reference links flowing compare", false, false, false, true, true, -1},
};

void CheckPage(const std::string& h, const Mode& m, int verses) {
  // One pass: counts of the tags that must pair up.
  long anchors = 0, fonts = 0, italics = 0, notes = 0;
  for (size_t i = h.find('<'); i != std::string::npos; i = h.find('<', i + 1)) {
    const std::string_view tag = std::string_view(h).substr(i, 7);
    anchors += tag.starts_with("<a ") - tag.starts_with("</a>");
    fonts += tag.starts_with("<font") - tag.starts_with("</font>");
    italics += tag.starts_with("<I>") - tag.starts_with("</I>");
    notes += tag.starts_with("<sup>");
  }
  ASSERT_TRUE(
      std::none_of(h.begin(), h.end(), [](char c) { return c == '\x04' || c == '\x05'; }));
  EXPECT_EQ(anchors, static_cast<long>(m.anchor_balance) * verses);
  // Lettered side notes leave their font element open (one per note mark).
  EXPECT_EQ(fonts, m.column && m.footnotes ? notes : 0);
  EXPECT_EQ(italics, 0);
}

TEST(PassageLibrary, EveryChapterRendersWellFormed) {
  LUMORA_REQUIRE_LIBRARY(folder);
  TModuleCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadModules(folder).ok());
  Result<ParagraphMap> map = ParagraphMap::Load(DefaultFileSystem(), folder + "/pmap.dat");
  ASSERT_TRUE(map.ok());
  auto find = [&](const char* abbreviation) -> const TLMBibleModule* {
    for (const auto& b : catalogue.Bibles())
      if (b->GetAbbreviation() == abbreviation) return b.get();
    return nullptr;
  };
  const TLMBibleModule* web = find("WEB");
  const TLMBibleModule* kjv = find("KJV");
  ASSERT_TRUE(web != nullptr && kjv != nullptr);
  // KJVSL in every mode; the others in a few, on every chapter each (every
  // stride-th chapter under the address sanitizer, which is slow).
  const struct {
    const char* bible;
    std::vector<int> modes;
    size_t sanitizer_stride;
  } runs[] = {{"KJVSL", {0, 1, 2, 3, 4, 5, 6, 7, 8}, 6},
              {"WEB", {3, 4}, 10},
              {"RV1909", {0, 6}, 15},
              {"KJV", {3}, 20}};
#ifdef __SANITIZE_ADDRESS__
  constexpr bool kSanitizer = true;
#else
  constexpr bool kSanitizer = false;
#endif
  for (const auto& run : runs) {
    const TLMBibleModule* bible = find(run.bible);
    ASSERT_NE(bible, nullptr) << run.bible;
    TPassageRenderer r;
    r.SetBible(bible);
    r.SetStrongsData(catalogue.StrongsData());
    r.SetParagraphMap(&*map);
    r.SetLinkedCommentaries(catalogue.Commentaries());
    r.SetLinkedBooks(catalogue.Books());
    r.SetEditableCommentaries(catalogue.EditableCommentaries());
    r.SetNextChapterLink(true);
    r.SetPrevChapterLink(true);
    // The chapters in verse order, each in the next of the run's modes.
    size_t turn = 0, chapter = 0;
    for (int first = 1; first <= bible->VerseCount();) {
      const TVerseLocation at = bible->GetVerseLocation(first);
      TVerseList verses;
      int v = first;
      for (; v <= bible->VerseCount(); ++v) {
        const TVerseLocation here = bible->GetVerseLocation(v);
        if (here.book != at.book || here.chapter != at.chapter) break;
        verses.push_back(static_cast<uint16_t>(v));
      }
      first = v;
      if (kSanitizer && turn++ % run.sanitizer_stride != 0) continue;
      const Mode& m = kModes[run.modes[chapter++ % run.modes.size()]];
      SCOPED_TRACE(testing::Message() << run.bible << ' ' << at.book << ':' << at.chapter << ' '
                                      << m.name);
      config::TPropertiesBibleView s;
      s.column_mode = m.column;
      s.para_mode = m.para;
      s.show_footnotes = m.footnotes;
      r.SetSettings(s);
      r.SetCompareBible(m.compare ? (bible == web ? kjv : web) : nullptr);
      const int shown = r.ShowVerses(verses, {}, false, m.reference_links);
      ASSERT_EQ(shown, static_cast<int>(verses.size()));
      CheckPage(r.Html(), m, shown);
      if (::testing::Test::HasFailure()) return;
    }
  }
}

}  // namespace
}  // namespace lumora::test
