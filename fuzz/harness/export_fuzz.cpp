// export: verse export in every style over verse texts from the input, and
// the HTML and plain-text conversion of entry markup from the input, alone
// and in the comment and Book range exports.
//
// Input: option bytes (style, a flag byte, italics mode, range start and
// length, a colour), then pieces separated by 0xFF: the entry text, then up
// to eight verse texts placed in Genesis 1 of the Bible.
// Checks: every export finishes; verse exports end without trailing blanks
// or line breaks; a style number out of range exports as style A; plain
// entry text holds no script or terminator bytes.
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/harness/harnesses.h"
#include "fuzz/support/file_patch.h"
#include "fuzz/support/fuzz_bibles.h"
#include "fuzz/support/fuzz_check.h"
#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/fuzz_library.h"
#include "render/export_procs.h"

namespace lumora::fuzz {
namespace {


bool EndsTrimmed(const std::string& text) {
  return text.empty() || (text.back() != ' ' && text.back() != '\r' && text.back() != '\n');
}

bool IsPlain(const std::string& text) {
  return text.find_first_of(std::string_view("\x01\x02\x08", 3)) == std::string::npos;
}

void CheckVerseExports(const TLMBibleModule& bible, int first, int last, bool html,
                       ExportFormatSettings settings, const ExportBibleView& view) {
  for (int style = 0; style < 8; ++style) {
    settings.style = style;
    LUMORA_FUZZ_CHECK(EndsTrimmed(FormatVerses(first, last, bible, html, settings, view)));
  }
  settings.style = 0;
  const std::string style_a = FormatVerses(first, last, bible, html, settings, view);
  for (const int other : {8, -1, 1 << 30}) {
    settings.style = other;
    LUMORA_FUZZ_CHECK(FormatVerses(first, last, bible, html, settings, view) == style_a);
  }
}

}  // namespace

void FuzzExport(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const int style = input.Byte() % 10;
  const uint8_t flags = input.Byte();
  const uint8_t italics = input.Byte();
  const int first = static_cast<int>(input.Byte() % 16) - 3;
  const int last = first + static_cast<int>(input.Byte() % 24) - 4;
  const uint32_t color = input.U32();
  const std::string_view entry = input.Piece(kPieceSeparator);
  std::vector<std::string_view> texts;
  while (!input.empty() && texts.size() < kMaxPlacedVerses) texts.push_back(input.Piece(kPieceSeparator));
  const std::unique_ptr<PlacedBibles> placed = PlaceVerseTexts(texts, false);
  if (!placed->bible || !placed->strongs_links) return;
  const TLMBibleModule& bible = (flags & 64) ? *placed->strongs_links : *placed->bible;

  const bool html = flags & 1;
  ExportFormatSettings settings;
  settings.style = style;
  settings.include_brackets = flags & 2;
  settings.include_footnotes = flags & 4;
  settings.include_version_tag = flags & 8;
  config::TPropertiesBibleView view_settings;
  view_settings.footnotes_color = color;
  view_settings.strongs_link_color = ~color;
  view_settings.italics_mode = italics % 4;
  const ExportBibleView view =
      ExportViewFrom(view_settings, (flags & 128) ? nullptr : Modules().strongs.get());

  CheckVerseExports(bible, first, last, html, settings, view);
  CheckVerseExports(bible, kFirstJohnVerse + 30, kFirstJohnVerse + 40, html, settings, view);
  const TVerseRangeList ranges = {{first, last}, {last, first}, {1533, 1534}, {31100, 31102}};
  LUMORA_FUZZ_CHECK(EndsTrimmed(FormatVerseRanges(ranges, bible, settings, html, view)));

  const bool paragraph_breaks = flags & 16;
  const bool reference_lists = flags & 32;
  const TemplateModules& lib = Modules();
  for (const bool plain : {false, true}) {
    const std::string from_book =
        ExportEntryText(entry, *lib.book, bible, paragraph_breaks, reference_lists, plain);
    const std::string from_commentary =
        ExportEntryText(entry, *lib.commentary, bible, paragraph_breaks, reference_lists, plain);
    if (plain) LUMORA_FUZZ_CHECK(IsPlain(from_book) && IsPlain(from_commentary));
  }

  // The entry as a comment on Genesis 1:1-3 and as the first Book entry.
  MemoryFileSystem& fs = placed->fs;
  std::string commentary_file = Templates().commentary;
  for (int slot = 0; slot < 3; ++slot) SetCommentarySlotText(commentary_file, slot, entry);
  const std::unique_ptr<TLMCommentaryModule> commentary =
      OpenCommentary(fs, "/lib/FZM.lmc", commentary_file);
  std::string book_file = Templates().book;
  SetBookEntryText(book_file, 0, entry);
  const std::unique_ptr<TLMDictionaryModule> book = OpenBook(fs, "/lib/FZK.lmk", book_file);
  LUMORA_FUZZ_CHECK(commentary != nullptr && book != nullptr);
  if (!commentary || !book) return;
  for (const bool plain : {false, true}) {
    const std::string comments = FormatCommentRange({{1, 3}, {first, last}}, bible, *commentary, plain);
    const std::string entries = FormatBookRange(first, last, bible, *book, plain);
    if (plain) LUMORA_FUZZ_CHECK(IsPlain(comments) && IsPlain(entries));
  }
}

}  // namespace lumora::fuzz
