// lumora-fuzz-seeds: writes the seed corpora of fuzz/corpus/ from small
// slices of the imported sample library (verse records of a few chapters,
// a few Book entries and comments, a lexicon article, Strong's data records)
// and from the synthetic templates the harnesses start from.
//
//   lumora-fuzz-seeds LIBRARY_FOLDER OUTPUT_FOLDER
//
// Each seed is one file OUTPUT_FOLDER/TARGET/NAME in the input format its
// harness describes. Run it again after a change of those formats.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/file_storage.h"
#include "config/properties.h"
#include "core/codec/base205.h"
#include "core/codec/compression.h"
#include "core/io/byte_io.h"
#include "core/modules/bible_header.h"
#include "core/modules/book_header.h"
#include "core/modules/book_module.h"
#include "core/modules/commentary_header.h"
#include "core/modules/commentary_module.h"
#include "core/modules/module_file.h"
#include "core/modules/strongs_data.h"
#include "core/platform/memory/memory_file_system.h"
#include "fuzz/support/file_patch.h"
#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/fuzz_library.h"

namespace lumora::fuzz {
namespace {

namespace fs = std::filesystem;

fs::path g_out;
int g_written = 0;

void Write(const std::string& target, const std::string& name, const std::string& bytes) {
  const fs::path dir = g_out / target;
  fs::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary) << bytes;
  ++g_written;
}

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// The stored bytes of verse `verse` of a Bible file.
std::string VerseRecord(const std::string& file, int verse) {
  const BibleHeader h = BibleHeader::DecodeFrom(Bytes(file));
  const BibleVerseRecord r = BibleVerseRecord::DecodeFrom(
      Bytes(file) + h.verse_table + static_cast<size_t>(verse - 1) * kBibleVerseRecordSize);
  if (r.offset < 0 || !FitsIn(static_cast<uint32_t>(r.offset), r.size, file.size())) return {};
  return file.substr(static_cast<size_t>(r.offset), r.size);
}

// The stored bytes (without their length) of table entry `index`.
std::string EntryRecord(const std::string& file, uint32_t table, int index) {
  const int32_t offset = LoadI32(Bytes(file) + table + 4u * static_cast<uint32_t>(index));
  const std::optional<std::string_view> r = EntryRecordAt(Bytes(file), file.size(), offset);
  return r ? std::string(*r) : std::string();
}

std::string Inflated(const std::string& stored) {
  Result<std::string> text = DecompressBytes(stored.data(), stored.size());
  return text.ok() ? *text : std::string();
}

std::string Joined(const std::vector<std::string>& pieces) {
  std::string out;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i) out += kPieceSeparator;
    out += pieces[i];
  }
  return out;
}

std::string U16(uint16_t v) {
  std::string s;
  AppendU16(s, v);
  return s;
}

std::string U32(uint32_t v) {
  std::string s;
  AppendU32(s, v);
  return s;
}

struct Library {
  std::string kjv, web, rv1909, naves, strheb, strgrk, mhcc, scofield, tdavid, strongs;
  std::unique_ptr<TLMBibleModule> kjv_module, web_module;
  std::unique_ptr<TLMDictionaryModule> naves_module, strheb_module, strgrk_module;
  std::unique_ptr<TLMCommentaryModule> mhcc_module, scofield_module;
};

Library ReadLibrary(const fs::path& folder, FileSystem& files) {
  Library lib;
  lib.kjv = ReadWhole(folder / "Bibles" / "KJV.lmb");
  lib.web = ReadWhole(folder / "Bibles" / "WEB.lmb");
  lib.rv1909 = ReadWhole(folder / "Bibles" / "RV1909.lmb");
  lib.naves = ReadWhole(folder / "Books" / "Naves.lmk");
  lib.strheb = ReadWhole(folder / "Books" / "StrHeb.lmk");
  lib.strgrk = ReadWhole(folder / "Books" / "StrGrk.lmk");
  lib.mhcc = ReadWhole(folder / "Commentaries" / "MHCC.lmc");
  lib.scofield = ReadWhole(folder / "Commentaries" / "Scofield.lmc");
  lib.tdavid = ReadWhole(folder / "Commentaries" / "TDavid.lmc");
  lib.strongs = ReadWhole(folder / kStrongsDataFileName);
  auto bible = [&](const char* name, const std::string& bytes) {
    const std::string path = std::string("/lib/") + name;
    static_cast<MemoryFileSystem&>(files).SetFile(path, bytes);
    auto m = TLMBibleModule::Create(path, files);
    return m.ok() ? std::move(m).value() : nullptr;
  };
  lib.kjv_module = bible("KJV.lmb", lib.kjv);
  lib.web_module = bible("WEB.lmb", lib.web);
  auto& memory = static_cast<MemoryFileSystem&>(files);
  lib.naves_module = OpenBook(memory, "/lib/Naves.lmk", lib.naves);
  lib.strheb_module = OpenBook(memory, "/lib/StrHeb.lmk", lib.strheb);
  lib.strgrk_module = OpenBook(memory, "/lib/StrGrk.lmk", lib.strgrk);
  lib.mhcc_module = OpenCommentary(memory, "/lib/MHCC.lmc", lib.mhcc);
  lib.scofield_module = OpenCommentary(memory, "/lib/Scofield.lmc", lib.scofield);
  return lib;
}

// The first `count` slots with a comment from verse index `from` on.
std::vector<int> CommentedSlots(const TLMCommentaryModule& c, int from, int count) {
  std::vector<int> slots;
  for (int s = from - 1; s < 31102 && static_cast<int>(slots.size()) < count; ++s)
    if (c.HasEntry(s)) slots.push_back(s);
  return slots;
}

int Entry(const TLMDictionaryModule& book, const char* title, int fallback) {
  const int e = book.FindTitle(title);
  return e >= 0 ? e : fallback;
}

void BibleSeeds(const Library& lib) {
  Write("bible_module", "template", std::string(1, '\0'));
  Write("bible_module", "header-only", "\x03" + Templates().bible.substr(0, kBibleHeaderSize));
  // Real records (word codes of their own Bible's list) in the template.
  PatchScript john;
  for (int v = 26135; v <= 26139; ++v) john.Place(static_cast<uint32_t>(v - 1), VerseRecord(lib.kjv, v));
  Write("bible_module", "kjv-john-3-14", std::string(1, '\0') + john.bytes());
  PatchScript genesis;
  for (int v = 1; v <= 5; ++v) genesis.Place(static_cast<uint32_t>(v - 1), VerseRecord(lib.kjv, v));
  Write("bible_module", "kjv-genesis-1", std::string(1, '\0') + genesis.bytes());
  PatchScript web;
  for (int v = 26135; v <= 26139; ++v) web.PlaceText(static_cast<uint32_t>(v - 1), Inflated(VerseRecord(lib.web, v)));
  Write("bible_module", "web-john-3-texts", std::string(1, '\0') + web.bytes());
  PatchScript rv;
  for (int v = 23; v <= 27; ++v) rv.Place(static_cast<uint32_t>(v - 1), VerseRecord(lib.rv1909, v));
  Write("bible_module", "rv1909-genesis-1-23", std::string(1, '\0') + rv.bytes());
  // Word codes, Strong's tokens and notes as stored.
  PatchScript codes;
  codes.PlaceText(0, "\x04" "0 \x05" "00 \x04" "\x02" "00 \x03" "0A {note} [word] \x04");
  codes.PlaceText(1, "unclosed {note and \x05" "0");
  Write("bible_module", "stored-codes", std::string(1, '\0') + codes.bytes());
  // Damaged headers: the verse table, the word list and the title sizes.
  Write("bible_module", "verse-table-moved", std::string(1, '\0') + PatchScript().StoreU32(102, 1000).bytes());
  Write("bible_module", "word-list-size", std::string(1, '\0') + PatchScript().StoreU32(142, 7).bytes());
  Write("bible_module", "titles-size",
        std::string(1, '\0') + PatchScript().Overwrite(138, U16(3) + U16(0xFFFF)).bytes());
  Write("bible_module", "truncated", std::string(1, '\0') + PatchScript().Truncate(290000).bytes());
}

void EntryModuleSeeds(const Library& lib) {
  Write("entry_module", "book-template", std::string(1, '\0'));
  Write("entry_module", "commentary-template", std::string(1, '\1'));
  const BookHeader naves = BookHeader::DecodeFrom(Bytes(lib.naves));
  const BookHeader strheb = BookHeader::DecodeFrom(Bytes(lib.strheb));
  const BookHeader strgrk = BookHeader::DecodeFrom(Bytes(lib.strgrk));
  PatchScript book;
  book.Place(0, EntryRecord(lib.naves, naves.entry_table, Entry(*lib.naves_module, "MOSES", 100)));
  book.Place(1, EntryRecord(lib.naves, naves.entry_table, Entry(*lib.naves_module, "LOVE", 200)));
  book.Place(2, EntryRecord(lib.strheb, strheb.entry_table, 429));
  book.Place(3, EntryRecord(lib.strgrk, strgrk.entry_table, 25));
  Write("entry_module", "book-real-entries", std::string(1, '\0') + book.bytes());
  const CommentaryHeader mhcc = CommentaryHeader::DecodeFrom(Bytes(lib.mhcc));
  const CommentaryHeader scofield = CommentaryHeader::DecodeFrom(Bytes(lib.scofield));
  PatchScript comments;
  for (int s : CommentedSlots(*lib.mhcc_module, 26122, 2))
    comments.Place(static_cast<uint32_t>(s), EntryRecord(lib.mhcc, mhcc.slot_table, s));
  for (int s : CommentedSlots(*lib.scofield_module, 1, 2))
    comments.Place(static_cast<uint32_t>(s), EntryRecord(lib.scofield, scofield.slot_table, s));
  Write("entry_module", "commentary-real-comments", std::string(1, '\1') + comments.bytes());
  // Stale and damaged indexes: the rebuild runs on both.
  Write("entry_module", "book-stale-index", std::string(1, '\0') + PatchScript().Overwrite(99, U16(10)).bytes());
  Write("entry_module", "commentary-no-postings",
        std::string(1, '\1') + PatchScript().StoreU32(83, 0xFFFFFFFF).bytes());
  Write("entry_module", "book-title-block", std::string(1, '\0') + PatchScript().StoreU32(66, 120).bytes());
  // A new user Book, whole.
  MemoryFileSystem memory;
  if (TLMDictionaryModule::CreateUserBookFile("Notes", "NOTES", "/User", memory).ok())
    Write("entry_module", "user-book-file", "\x02" + memory.GetFile("/User/NOTES.lmk").value_or(""));
}

void StrongsSeeds(const Library& lib) {
  Write("strongs_data", "template", std::string(1, '\0'));
  Write("strongs_data", "short-file", "\x03" + std::string(64, '\0'));
  // The records and strings of Hebrew 1..4 and Greek 1..4 of the real file,
  // appended to the template and pointed at.
  PatchScript real;
  const uint32_t base = static_cast<uint32_t>(Templates().strongs.size());
  std::string strings;
  for (const auto& [table, count] : {std::pair<size_t, int>{0, 4}, {kStrongsGreekTableOffset, 4}}) {
    for (int n = 0; n < count; ++n) {
      for (int f = 0; f < 3; ++f) {
        const size_t at = table + static_cast<size_t>(n) * kStrongsRecordSize + 4 * static_cast<size_t>(f);
        const uint32_t offset = LoadU32(Bytes(lib.strongs) + at);
        real.StoreU32(static_cast<uint32_t>(at), base + static_cast<uint32_t>(strings.size()));
        if (offset < lib.strongs.size()) strings += lib.strongs.c_str() + offset;
        strings += '\0';
      }
    }
  }
  real.Append(strings);
  Write("strongs_data", "real-records", std::string(1, '\0') + real.bytes());
  Write("strongs_data", "offset-past-end",
        std::string(1, '\0') + PatchScript().StoreU32(0, 0x7FFFFFFF).StoreU32(4, base).bytes());
  Write("strongs_data", "bad-magic", std::string(1, '\0') + PatchScript().Overwrite(kStrongsMagicOffset, "\x08LMSTGDTB").bytes());
}

void CodecSeeds(const Library& lib) {
  const std::string limit = U16(0xF0FF);
  Write("codecs", "kjv-verse-record", limit + VerseRecord(lib.kjv, 26137));
  const BookHeader naves = BookHeader::DecodeFrom(Bytes(lib.naves));
  const std::string moses = EntryRecord(lib.naves, naves.entry_table, Entry(*lib.naves_module, "MOSES", 100));
  Write("codecs", "naves-entry-record", limit + moses);
  Write("codecs", "small-limit", U16(0x0010) + moses);
  const std::string text = Inflated(moses);
  const size_t open = text.find('\x05'), close = text.find('\x08', open + 1);
  if (open != std::string::npos && close != std::string::npos)
    Write("codecs", "verse-range-list", limit + text.substr(open + 1, close - open - 1));
  Write("codecs", "base205-digits", limit + EncodeBase205(26137) + "," + EncodeBase205(1) + "+" + EncodeBase205(30));
  Write("codecs", "empty", limit);
}

void ReferenceSeeds() {
  const char* const refs[] = {
      "jn 3:16",           "1 jn 1:9",         "Gen 1:1-3; Ex 2:4, 6",  "ps 119:105-112",
      "Rom 5:8, 10; 1 Cor 13", "genesis 1-exodus 2", "jn 3:16a",        "Song of Solomon 2:1",
      "jn 3:36-4:2",       "jn 3 4",           "  2 Tim. 2:15 3:16-17 Isa 28:9-10", "jn 99",
      "Matt 5:3,4,5,6 and more", "Re 22:21-",  "1Co 13:4.7",            "jude 1:25; phm 1",
  };
  int i = 0;
  for (const char* r : refs) Write("reference_parser", "ref-" + std::to_string(i++), r);
}

void RendererSeeds(const Library& lib) {
  // Passage: flags (column mode, footnotes, links), keys, KJV John 3 with
  // Strong's tokens written out and WEB John 3:16 with its notes.
  std::vector<std::string> pieces = {"love world G25"};
  for (int v = 26135; v <= 26138; ++v) pieces.push_back(lib.kjv_module->GetVerseText(v, true, true));
  pieces.push_back(lib.web_module->GetVerseText(26137, false, true));
  const std::string passage_options = std::string("\0", 1) + "\x36\x1F" + std::string(1, '\0') +
                                      "\x05" + U32(0x00800080) + "\x03";
  Write("renderers", "passage-kjv-john-3", passage_options + Joined(pieces));
  const std::string para_options = std::string("\0", 1) + "\x89\x02\x01\x00" + U32(0x80000005) + "\x0F";
  Write("renderers", "passage-para-paged", para_options + Joined(pieces));
  // Entry: a Naves topic, a lexicon article and a comment, each with titles.
  const std::string entry_options = "\x01\x09" + U16(26137) + U16(26137) + U32(0x000000FF);
  const int moses = Entry(*lib.naves_module, "MOSES", 100);
  Write("renderers", "entry-naves-moses",
        entry_options + Joined({lib.naves_module->GetEntryText(moses), "MOSES", "header",
                                "AARON", "MOSES"}));
  Write("renderers", "entry-strheb-430",
        "\x01\x03" + U16(0) + U16(0) + U32(0x00FF00) +
            Joined({lib.strheb_module->GetEntryText(429), "0430 'elohiym", "<a href=\"s:H430\">x</a>"}));
  for (int s : CommentedSlots(*lib.mhcc_module, 26122, 1))
    Write("renderers", "entry-mhcc-john-3",
          "\x01\x04" + U16(26137) + U16(26140) + U32(0x8000000D) +
              Joined({lib.mhcc_module->GetEntryText(s), "John 3:1", ""}));
}

void ExportSeeds(const Library& lib) {
  std::vector<std::string> pieces = {lib.naves_module->GetEntryText(Entry(*lib.naves_module, "MOSES", 100))};
  for (int v = 1; v <= 5; ++v) pieces.push_back(lib.kjv_module->GetVerseText(v, true, true));
  Write("export", "style-c-html-naves", std::string("\x02\x3F\x00\x03\x06", 5) + U32(0x00800080) + Joined(pieces));
  pieces[0] = lib.strheb_module->GetEntryText(429);
  Write("export", "style-h-plain-strheb", std::string("\x07\x30\x01\x00\x10", 5) + U32(0x00000080) + Joined(pieces));
  for (int s : CommentedSlots(*lib.scofield_module, 1, 1)) {
    pieces[0] = lib.scofield_module->GetEntryText(s);
    Write("export", "style-a-scofield", std::string("\x00\x76\x02\x02\x02", 5) + U32(0x00FF0000) + Joined(pieces));
  }
}

void HrefSeeds(const Library& lib) {
  const std::string v = EncodeBase205(26137), g = EncodeBase205(1);
  const std::string links[] = {
      "h:430", "g:$19", "ld:0,26137", "lc:0,26136", "ec:0,5", "vr:" + v + "+" + EncodeBase205(3),
      "vrl:" + v + "," + g + "+" + EncodeBase205(30) + ",", "http://www.example.org/a?b=c",
      "lmimage:maps/canaan.png", "cen:$3", "lp:26137", "pn:100", "h:$7FFFFFFF", "ld:1,$0",
  };
  int i = 0;
  for (const std::string& l : links) Write("href_preview", "link-" + std::to_string(i++), l);
  Write("href_preview", "strheb-article", lib.strheb_module->GetEntryText(429));
  Write("href_preview", "strgrk-article", lib.strgrk_module->GetEntryText(25));
}

void SettingsSeeds() {
  MemoryFileSystem memory;
  config::FileStorage storage(memory, "/cfg/settings.reg");
  config::Properties p = config::DefaultProperties();
  p.bookmarks[0] = {config::kBookmarkBible, "KJV", 26136, "For God so loved the world"};
  p.ref_sets = {{"Gospels", {"?BIBLES", "KJV"}}, {"Lexicons", {"StrGrk", "StrHeb"}}};
  p.exclude_from_linking = {"Naves"};
  p.bookmark_titles[0] = "John 3:16";
  p.left_panel_pct = 0.3;
  config::PushMru(p.mru[0], "jn 3:16");
  (void)config::SaveProperties(p, storage);
  const std::string saved = memory.GetFile("/cfg/settings.reg").value_or("");
  Write("settings_file", "saved", saved);
  Write("settings_file", "hand-edited",
        "Windows Registry Editor Version 5.00\r\n\r\n[HKCU\\Software\\Lumora 4]\r\n"
        "\"BibleView ParaMode\"=dword:1\r\n\"LeftPanelPct\"=hex:00,00,00,00,00,00,e0,\\\r\n"
        "  3f\r\n\"RzTabsFont\"=\"Times \\\"New\\\" Roman\"\r\n@=\"default\"\r\n"
        "\"Text\"=hex(1):41,0a,42,00\r\n\"Odd\"=hex(7):00\r\n[-HKEY_CURRENT_USER\\Software]\r\n"
        "\"Lost\"=dword:zz\r\n[HKEY_LOCAL_MACHINE\\Software]\r\n");
  Write("settings_file", "empty-key", "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Lumora 4\\MRUs]\n");
}

void SearchSeeds() {
  const char* const texts[] = {"love",  "God so loved", "G26",  "H7225",   "lov*",
                               "*ness", "in the beginning", "LORD said", "[was] upon", "the *ove*"};
  int i = 0;
  for (const char* t : texts) {
    const uint8_t flags = static_cast<uint8_t>(i * 5);
    std::string seed(1, static_cast<char>(flags));
    seed += U16(static_cast<uint16_t>(i == 3 ? 1 : 26120)) + U16(26160);
    seed += t;
    seed += kPieceSeparator;
    seed += "For God so loved the world, that he gave";
    Write("search", "search-" + std::to_string(i++), seed);
  }
}

}  // namespace
}  // namespace lumora::fuzz

int main(int argc, char** argv) {
  using namespace lumora::fuzz;
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s LIBRARY_FOLDER OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  g_out = argv[2];
  lumora::MemoryFileSystem files;
  const Library lib = ReadLibrary(argv[1], files);
  if (!lib.kjv_module || !lib.web_module || !lib.naves_module || !lib.strheb_module ||
      !lib.strgrk_module || !lib.mhcc_module || !lib.scofield_module || lib.strongs.empty()) {
    std::fprintf(stderr, "%s: not a complete sample library\n", argv[1]);
    return 1;
  }
  BibleSeeds(lib);
  EntryModuleSeeds(lib);
  StrongsSeeds(lib);
  CodecSeeds(lib);
  ReferenceSeeds();
  RendererSeeds(lib);
  ExportSeeds(lib);
  HrefSeeds(lib);
  SettingsSeeds();
  SearchSeeds();
  std::printf("%d seeds written to %s\n", g_written, argv[2]);
  return 0;
}
