// The entry renderer and the previews on the sample library.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "core/catalogue/module_catalogue.h"
#include "core/text/cp1252.h"
#include "render/entry_renderer.h"
#include "render/hover_preview.h"
#include "tests/library/library_fixture.h"

namespace lumora::test {
namespace {

// Each test loads its own catalogue: module files are held exclusively, and
// other tests of this program load the library too.
std::unique_ptr<TModuleCatalogue> LoadCatalogue(const std::string& folder) {
  auto catalogue = std::make_unique<TModuleCatalogue>();
  const Status s = catalogue->LoadModules(folder);
  EXPECT_TRUE(s.ok()) << s.message();
  return catalogue;
}

// Occurrences of `what` (lower case) in `text`, without regard to case.
size_t CountNoCase(const std::string& lower_text, std::string_view what) {
  size_t n = 0;
  for (size_t at = lower_text.find(what); at != std::string::npos;
       at = lower_text.find(what, at + 1))
    ++n;
  return n;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

struct TagBalance {
  long links, fonts;
  explicit TagBalance(std::string_view text) : TagBalance(Lower(text), 0) {}
  TagBalance(const std::string& html, int)
      : links(static_cast<long>(CountNoCase(html, "<a ") + CountNoCase(html, "<a>")) -
              static_cast<long>(CountNoCase(html, "</a>"))),
        fonts(static_cast<long>(CountNoCase(html, "<font ")) -
              static_cast<long>(CountNoCase(html, "</font>"))) {}
};

struct Problems {
  size_t pages = 0, markers = 0, control_bytes = 0, unbalanced = 0;
  std::string first;
  void Check(std::string_view name, std::string_view text, const std::string& html) {
    ++pages;
    // What the renderer adds is balanced: the page's balance is the entry's.
    const TagBalance in(text), out(html);
    const bool control = std::any_of(html.begin(), html.end(), [](char c) {
      return (c >= 0x01 && c <= 0x08) || c == 0x0E;
    });
    const bool marked = html.find(kUnclosedRefMarker) != std::string::npos ||
                        html.find(kUnclosedLinkMarker) != std::string::npos ||
                        html.find(kBadLinkMarker) != std::string::npos;
    if (in.links != out.links || in.fonts != out.fonts) ++unbalanced;
    if (control) ++control_bytes;
    if (marked) ++markers;
    if ((control || marked || in.links != out.links || in.fonts != out.fonts) && first.empty())
      first = std::string(name);
  }
};

TEST(EntryLibrary, EveryEntryRendersBalancedWithoutControlBytes) {
  LUMORA_REQUIRE_LIBRARY(folder);
  const std::unique_ptr<TModuleCatalogue> loaded = LoadCatalogue(folder);
  const TModuleCatalogue& c = *loaded;
  TEntryRenderer r(*c.KjvBible());
  Problems p;
  for (const auto& book : c.Books()) {
    const std::vector<std::string>& titles = book->EntryTitles();
    for (int e = 0; e < book->EntryCount(); ++e) {
      const std::string text = book->GetEntryText(e);
      r.ShowEntry(text, titles[static_cast<size_t>(e)], titles, 0, 0);
      p.Check(book->GetAbbreviation() + " " + titles[static_cast<size_t>(e)], text, r.Html());
    }
  }
  for (const auto& commentary : c.Commentaries()) {
    for (int slot = 0; slot < 31102; ++slot) {
      if (!commentary->HasEntry(slot)) continue;
      const std::string text = commentary->GetEntryText(slot);
      // Marked at its own verse, as the Commentary view opens it.
      r.ShowEntry(text, "t", commentary->EntryTitles(), slot + 1, slot + 1);
      p.Check(commentary->GetAbbreviation() + " " + std::to_string(slot), text, r.Html());
    }
  }
  EXPECT_GT(p.pages, 50000u);
  EXPECT_EQ(p.unbalanced, 0u) << p.first;
  EXPECT_EQ(p.control_bytes, 0u) << p.first;
  EXPECT_EQ(p.markers, 0u) << p.first;
}

TEST(EntryLibrary, HebrewStrongsPreview) {
  LUMORA_REQUIRE_LIBRARY(folder);
  const std::unique_ptr<TModuleCatalogue> loaded = LoadCatalogue(folder);
  const TModuleCatalogue& c = *loaded;
  const TPreviewContext x = MakePreviewContext(c, c.KjvBible());
  const TLMStrongsDataModule& s = *c.StrongsData();
  const std::string head =
      s.GetStrongsString(StrongsLanguage::kHebrew, 7225, 2) + " (" +
      s.GetStrongsString(StrongsLanguage::kHebrew, 7225, 3) + ")\nStrong's Hebrew Definition #7225\n\n";
  const std::string preview = TextViewPreview("h", "7225", x);
  EXPECT_EQ(preview.substr(0, head.size()), head);
  // The article follows, cleaned: italics tags and the Hebrew word removed.
  EXPECT_NE(preview.find("rank (specifically a firstfruit)"), std::string::npos) << preview;
  EXPECT_EQ(preview.find('\x01'), std::string::npos);
  EXPECT_EQ(preview.find("<i>"), std::string::npos);
}

}  // namespace
}  // namespace lumora::test
