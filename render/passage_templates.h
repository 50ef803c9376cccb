// The fixed HTML pieces of a rendered passage: one verse's piece and how it
// joins the page, the chapter links and the page line of a paged list.
#pragma once

#include <string>

namespace lumora {

// How the page is laid out (ColumnMode is already off in ParaMode).
struct TPassageLayout {
  bool reference_links = false;
  bool para_mode = false;
  bool column_mode = false;
  bool compare = false;
};

// One verse as the templates see it; texts are finished HTML.
struct TVerseCell {
  int verse_index = 0;
  int verse_number = 0;
  bool paragraph_start = false;  // used in paragraph mode only
  std::string label;
  std::string text;
  std::string compare_text;
  std::string side_text;
};

// Where the paragraph-mode piece's anchor lies past the piece's start.
inline constexpr int kParagraphPieceOffset = 17;

// Appends the verse's piece, with its side text, to `html`.
void AppendVerse(std::string& html, const TPassageLayout& layout, const TVerseCell& cell);

// Page length and links.
std::string PreviousChapterLinkHtml(int verse_index);
std::string NextChapterLinkHtml(int verse_index);
// "Showing ..." with the Previous/Next page links, wrapped in its font
// element. first/last are 0-based list indexes; length counts separators.
std::string PageLine(int page_first, int page_last, int list_length, int page_length);

}  // namespace lumora
