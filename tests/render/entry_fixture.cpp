#include "tests/render/entry_fixture.h"

#include <gtest/gtest.h>

#include "core/codec/base205.h"
#include "tests/support/test_bible.h"
#include "tools/builder/entry_builders.h"

namespace lumora::test::entry {
namespace {

template <typename Module>
std::unique_ptr<Module> Open(MemoryFileSystem& fs, const std::string& path,
                             const Result<std::string>& bytes) {
  EXPECT_TRUE(bytes.ok()) << bytes.status().message();
  if (!bytes.ok()) return nullptr;
  fs.SetFile(path, *bytes);
  auto module = Module::Create(path, fs);
  EXPECT_TRUE(module.ok()) << module.status().message();
  return module.ok() ? std::move(module).value() : nullptr;
}

void Build(EntryLibrary& lib) {
  lib.kjv = Open<TLMBibleModule>(lib.fs, "/lib/KJV.lmb", builder::BuildBibleModule(MakeTestBible("KJV")));
  std::vector<StrongsWord> hebrew(8674), greek(5624);
  hebrew[0] = {"'b", "'ab", "awb"};
  lib.fs.SetFile("/lib/stgdat.lm4", BuildStrongsDataFile(hebrew, greek));
  auto strongs = TLMStrongsDataModule::Create("/lib/stgdat.lm4", lib.fs);
  EXPECT_TRUE(strongs.ok());
  if (strongs.ok()) lib.strongs = std::move(strongs).value();

  builder::BookSource h{"Hebrew", "StrHeb", "StrHeb", {}};
  h.entries = {{"0001 'ab",
                "\x01'b\x08<br><b>'ab</b> <i>awb</i><p>father &amp;lt; x &amp; y. See Hebrew 2"}};
  lib.hebrew = Open<TLMDictionaryModule>(lib.fs, "/lib/StrHeb.lmk", builder::BuildBookModule(h));

  const std::string list = "\x05" + B(kBookVerse) + "\x08";
  builder::BookSource b{"Test Book", "BK", "TEST", {}};
  b.entries = {{"Alpha", "a " + list}, {"Beta", "b " + list}, {"Gamma", "c"}};
  lib.book = Open<TLMDictionaryModule>(lib.fs, "/lib/BK.lmk", builder::BuildBookModule(b));

  builder::CommentarySource c{"Test Commentary", "CM", "TEST", {}};
  c.slots.resize(31102);
  c.slots[0] = "on the beginning";
  lib.commentary =
      Open<TLMCommentaryModule>(lib.fs, "/lib/CM.lmc", builder::BuildCommentaryModule(c));

  TPreviewContext& x = lib.context;
  x.strongs_data = lib.strongs.get();
  x.hebrew_book = lib.hebrew.get();
  x.books = {lib.book.get()};
  x.commentaries = {lib.commentary.get()};
  x.editable_commentaries = {lib.commentary.get()};
  x.bible = lib.kjv.get();
}

}  // namespace

const EntryLibrary& Library() {
  // Never destroyed: the modules must not outlive the mapping cache.
  static EntryLibrary* lib = [] {
    auto* l = new EntryLibrary;
    Build(*l);
    return l;
  }();
  return *lib;
}

std::string Fmt(const std::string& format, const std::vector<std::string>& args) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && (format[i + 1] == 's' || format[i + 1] == 'd')) {
      out += next < args.size() ? args[next++] : "";
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

std::string B(int n) { return EncodeBase205(n); }

}  // namespace lumora::test::entry
