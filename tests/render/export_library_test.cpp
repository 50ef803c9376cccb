// The export formatter and `lumora-cli export` on the sample library (skipped
// without it).
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "core/catalogue/module_catalogue.h"
#include "core/text/cp1252.h"
#include "render/export_procs.h"
#include "tests/library/library_fixture.h"
#include "tools/cli/export_command.h"

namespace lumora::test {
namespace {

std::unique_ptr<TModuleCatalogue> Catalogue(const std::string& folder) {
  auto catalogue = std::make_unique<TModuleCatalogue>();
  const Status loaded = catalogue->LoadModules(folder);
  EXPECT_TRUE(loaded.ok()) << loaded.message();
  return loaded.ok() ? std::move(catalogue) : nullptr;
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

TEST(ExportLibraryTest, StrongsLinksBibleInPlainTextShowsTransliterations) {
  LUMORA_REQUIRE_LIBRARY(folder);
  const std::unique_ptr<TModuleCatalogue> c = Catalogue(folder);
  ASSERT_NE(c, nullptr);
  const ExportBibleView view = ExportViewFrom(config::TPropertiesBibleView{}, c->StrongsData());
  const TLMBibleModule* kjvsl = nullptr;
  for (const auto& b : c->Bibles())
    if (b->GetAbbreviation() == "KJVSL") kjvsl = b.get();
  ASSERT_NE(kjvsl, nullptr);
  const std::string text = FormatVerses(26137, 26137, *kjvsl, false, ExportFormatSettings{}, view);
  EXPECT_EQ(text.rfind(cp1252::FromUtf8("Joh 3:16  For <gár> God <theós> so <hoúto> loved "
                                        "<agapáo> the world <kósmos>,"),
                       0),
            0u)
      << cp1252::ToUtf8(text);
}

// Every entry of every Book and Commentary converts: no markup byte is left
// in plain text, and the HTML holds the same number of script runs.
TEST(ExportLibraryTest, EveryEntryConvertsWithoutMarkupBytes) {
  LUMORA_REQUIRE_LIBRARY(folder);
  const std::unique_ptr<TModuleCatalogue> c = Catalogue(folder);
  ASSERT_NE(c, nullptr);
  auto check = [](const std::string& plain, const std::string& where) {
    for (const char b : {'\x01', '\x02', '\x05', '\x06', '\x08', '\x0E'})
      ASSERT_EQ(plain.find(b), std::string::npos) << where << " byte " << int(b);
  };
  for (const auto& book : c->Books())
    for (int n = 0; n < book->EntryCount(); ++n)
      check(ExportEntryText(book->GetEntryText(n), *book, *c->KjvBible(), true, true, true),
            book->GetAbbreviation() + " " + std::to_string(n));
  for (const auto& m : c->Commentaries())
    for (int slot = 0; slot < 31102; ++slot)
      if (m->HasEntry(slot))
        check(ExportEntryText(m->GetEntryText(slot), *m, *c->KjvBible(), true, true, true),
              m->GetAbbreviation() + " " + std::to_string(slot));
}

TEST(ExportLibraryTest, CommandLine) {
  LUMORA_REQUIRE_LIBRARY(folder);
  const std::unique_ptr<TModuleCatalogue> c = Catalogue(folder);
  ASSERT_NE(c, nullptr);
  auto run = [&](std::vector<std::string> args, std::string& out) {
    cli::CliOptions o;
    o.command = "export";
    o.arguments = std::move(args);
    std::ostringstream o_out, o_err;
    const int rc = cli::RunExportCommand(*c, o, o_out, o_err);
    out = o_out.str();
    return rc;
  };
  std::string out;
  ASSERT_EQ(run({"--style", "G", "--tag", "jn", "3:16-17"}, out), 0);
  EXPECT_EQ(out.rfind("Joh 3:16 (KJV) For God so loved the world,", 0), 0u) << out;
  EXPECT_NE(out.find(" life.\nJoh 3:17 (KJV) For God sent"), std::string::npos) << out;
  ASSERT_EQ(run({"--raw", "--style", "E", "jn 3:16-17"}, out), 0);
  EXPECT_NE(out.find("life.\r\n\r\n17 For God"), std::string::npos);
  ASSERT_EQ(run({"--comments", "MHCC", "Gen 1:1-3", "--html"}, out), 0);
  EXPECT_EQ(out.rfind("<p><font size=+1><b>MHCC Genesis 1:1</b></font><p>", 0), 0u);
  ASSERT_EQ(run({"--book", "Naves", "5", "0"}, out), 0);
  EXPECT_EQ(Count(out, "[[ Naves - "), 6u);
  EXPECT_EQ(run({"--style", "Z", "jn 3:16"}, out), 2);
  EXPECT_EQ(run({"zz 3:16"}, out), 1);
  EXPECT_EQ(run({"--comments", "MHCC", "--book", "Naves", "1", "2"}, out), 2);
}

}  // namespace
}  // namespace lumora::test
