#include "tests/ui/synthetic_library.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/codec/base205.h"
#include "core/modules/commentary_module.h"
#include "core/refs/paragraph_map.h"
#include "render/entry_markup.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_bible.h"
#include "tools/builder/entry_builders.h"

namespace lumora::test {
namespace {

namespace fs = std::filesystem;
using namespace lumora::entry_markup;

// 0x05 list 0x08 for the given items ("first" or "first+count").
std::string VerseList(const std::vector<std::pair<int, int>>& items) {
  std::string out(1, kVerseList);
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) out += ',';
    out += EncodeBase205(items[i].first);
    if (items[i].second > 0) out += "+" + EncodeBase205(items[i].second);
  }
  return out + kTerminator;
}

builder::BookSource Lexicon(bool hebrew) {
  builder::BookSource b{hebrew ? "Synthetic Hebrew Lexicon" : "Synthetic Greek Lexicon",
                        hebrew ? "StrHeb" : "StrGrk", hebrew ? "StrHeb" : "StrGrk", {}};
  for (int n = 1; n <= 30; ++n) {
    char title[8];
    std::snprintf(title, sizeof title, "%c%04d", hebrew ? 'H' : 'G', n);
    std::string text = "<b>" + std::string(title) + "</b> article " + std::to_string(n);
    if (!hebrew && n == 26) text = "<b>agape</b> love, <i>affection</i>. See Greek 25.";
    b.entries.push_back({title, text});
  }
  return b;
}

builder::BookSource Topics() {
  const int john316 = kJohn3_16;
  builder::BookSource b{"Synthetic Topics", kSyntheticTopics, "TEST", {}};
  b.entries = {
      {"AARON", "Brother of Moses. " + VerseList({{V(2, 4, 14), 0}})},
      {"ABRAHAM", "Father of the faithful. " + VerseList({{V(1, 12, 1), 2}})},
      {"LOVE", "God so loved " + VerseList({{john316, 0}}) + " and " +
                   VerseList({{john316, 0}, {V(45, 5, 8), 0}, {V(62, 4, 8), 1}})},
      {"GRACE", "Grace " + VerseList({{john316, 1}})},
      {"LINKS", "<a href=\"lmbook:SYND|Aaron\">lmbook</a> <a href=\"lmcmt:CN|Jn 3:16\">lmcmt</a> "
                "<a href=\"lmcmt:ABC|\">bad lmcmt</a> <a href=\"http://example.org/\">http</a> "
                "<a href=\"https://example.org/\">https</a> <a href=\"file:///etc/hosts\">file</a> "
                "<a href=\"mailto:a@example.org\">mail</a> <a href=\"h:0\">h0</a> "
                "<a href=\"h:7225\">h7225</a> <a href=\"g:26\">g26</a> "
                "<a href=\"cen:$FFFF\">cen far</a> <a href=\"cen:$1\">cen 1</a> "
                "<a href=\"vrl:,\">vrl empty</a> <a href=\"vrl:" + EncodeBase205(31102) + "+" +
                    EncodeBase205(5) + "\">vrl past</a> <a href=\"#bottom\">anchor</a>"
                "<p><a name=\"bottom\">bottom</a></p>"},
      {"MOSES", "See " + std::string(1, kEntryLink) + "0" + kTerminator + "."},
  };
  builder::SortBookEntries(b);
  return b;
}

builder::BookSource Dictionary() {
  builder::BookSource b{"Synthetic Dictionary", kSyntheticDictionary, "TEST", {}};
  b.entries = {{"Aaron", "The first high priest."},
               {"Abraham", "Abram, renamed. " + VerseList({{V(1, 17, 5), 0}})},
               {"World", "The world God loved: " + VerseList({{kJohn3_16, 0}})}};
  builder::SortBookEntries(b);
  return b;
}

builder::CommentarySource Notes(const char* title, const char* abbreviation,
                                std::vector<std::pair<int, std::string>> comments) {
  builder::CommentarySource c{title, abbreviation, "TEST", std::vector<std::string>(31102)};
  for (auto& [verse, text] : comments) c.slots[static_cast<size_t>(verse - 1)] = std::move(text);
  return c;
}

void Check(const Status& s) { ASSERT_TRUE(s.ok()) << s.message(); }

void Build(const std::string& root) {
  fs::create_directories(fs::path(root) / "Bibles");
  fs::create_directories(fs::path(root) / "Books");
  fs::create_directories(fs::path(root) / "Commentaries");
  fs::create_directories(fs::path(root) / "User");
  WriteTestBible(root + "/Bibles", "KJV.lmb", MakeTestBible("KJV"));
  WriteTestBible(root + "/Bibles", "WEB.lmb", MakeTestBible("WEB", false));
  WriteTestStrongsData(root);
  Check(builder::WriteBookModule(Lexicon(true), root + "/Books/StrHeb.lmk"));
  Check(builder::WriteBookModule(Lexicon(false), root + "/Books/StrGrk.lmk"));
  Check(builder::WriteBookModule(Topics(), root + "/Books/SYNT.lmk"));
  Check(builder::WriteBookModule(Dictionary(), root + "/Books/SYND.lmk"));
  Check(builder::WriteCommentaryModule(
      Notes("Synthetic Notes", "CN",
            {{1, "In the beginning: a note."},
             {kJohn3_16, "God's love for the world. " + VerseList({{kJohn3_16 + 1, 0}})},
             {kJohn3_16 + 1, "Not to condemn."}}),
      root + "/Commentaries/CN.lmc"));
  Check(builder::WriteCommentaryModule(
      Notes("Synthetic Remarks", "CR", {{kJohn3_16, "A remark on John 3:16."}}),
      root + "/Commentaries/CR.lmc"));
  Check(TLMCommentaryModule::CreateUserCommentaryFile("Synthetic User Notes", "UN",
                                                      root + "/User"));
  std::FILE* pmap = std::fopen((fs::path(root) / kParagraphMapFileName).string().c_str(), "wb");
  ASSERT_NE(pmap, nullptr);
  const std::string zeros(31102, '\0');
  std::fwrite(zeros.data(), 1, zeros.size(), pmap);
  std::fclose(pmap);
}

}  // namespace

const std::string& SyntheticLibraryFolder() {
  static TempFolder* folder = [] {
    auto* f = new TempFolder;  // lives for the process
    Build(f->Path());
    return f;
  }();
  return folder->Path();
}

void CopySyntheticLibrary(const std::string& folder) {
  fs::copy(SyntheticLibraryFolder(), folder,
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

std::unique_ptr<TModuleCatalogue> LoadSyntheticLibrary(const std::string& folder) {
  auto catalogue = std::make_unique<TModuleCatalogue>();
  const Status loaded = catalogue->LoadModules(folder);
  EXPECT_TRUE(loaded.ok()) << loaded.message();
  return catalogue;
}

}  // namespace lumora::test
