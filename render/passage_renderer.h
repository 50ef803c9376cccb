// TPassageRenderer: the state and the renderer (`ShowVerses`) behind the
// text view frame of the Bible view and the verse list. It turns a verse
// list into one HTML fragment (no html, head or body elements) and records
// where each verse's markup begins (`VersePositions`), which the frame uses
// to select labels, find the first visible verse and resolve right clicks.
//
// The frame owns one renderer and drives it like this:
//   - at start-up and whenever the catalogue changes: SetStrongsData,
//     SetParagraphMap, SetLinkedCommentaries, SetLinkedBooks,
//     SetEditableCommentaries, SetExcludedFromLinking;
//   - SetBible / SetCompareBible when the pane's Bible changes (no render);
//   - before every render: SetSettings (the pane's display settings record),
//     SetKeyHighlightColor, SetPaged / SetPageFirst, the chapter link flags;
//   - render: apply WidgetDefaults() to the widget; if Bible() is set, load
//     the placeholder text "Loading..." into the widget and paint it at once
//     (a long list takes a moment); then ShowVerses(...) and, if Bible() is
//     set, load Html() into the widget in one call. With no Bible the widget
//     keeps its previous document (only the defaults change).
//   - a "pn:" click: SetPageFirst(n), then Rerender().
//
// Text is bytes: the HTML is Windows-1252 exactly as the modules store it;
// the widget boundary converts it. Nothing here reads global settings:
// every value comes in through the setters. Module objects are owned by the
// catalogue and only referenced; they must outlive their use here.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "config/color.h"
#include "config/view_properties.h"
#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"
#include "core/modules/strongs_data.h"
#include "core/refs/paragraph_map.h"
#include "render/verse_list.h"

namespace lumora {

// Where a verse's markup begins in the last HTML (character offset from 0)
// and how many visible characters its reference label has.
struct TVersePosition {
  int32_t SourceOffset = 0;
  int32_t LabelLength = 0;
};

// Entries per page of a paged list.
inline constexpr int kPassagePageLength = 100;
// VersePositions always covers every verse index of the KJV versification.
inline constexpr size_t kMinVersePositions = 31103;
inline constexpr const char* kHebrewLexiconFont = "Basic Hebrew";
inline constexpr const char* kGreekLexiconFont = "Symbol";
inline constexpr const char* kLoadingPlaceholder = "Loading...";

// The widget defaults every render applies first (colours as stored: the
// widget resolves system colours).
struct TPassageWidgetDefaults {
  std::string font_name;
  int32_t font_size = 10;
  config::TColor background = config::kClWindow;
  config::TColor text_color = config::kClWindowText;
};

class TPassageRenderer {
 public:
  TPassageRenderer();

  // Modules. Neither call re-renders; both grow VersePositions to at least
  // max(verse count + 1, kMinVersePositions) entries (it never shrinks).
  void SetBible(const TLMBibleModule* bible);
  void SetCompareBible(const TLMBibleModule* bible);  // nullptr: none
  const TLMBibleModule* Bible() const { return bible_; }
  const TLMBibleModule* CompareBible() const { return compare_bible_; }

  // Display settings, copied in by the owner before each render.
  void SetSettings(const config::TPropertiesBibleView& settings) { settings_ = settings; }
  const config::TPropertiesBibleView& Settings() const { return settings_; }
  // "KeyHiLightColor".
  void SetKeyHighlightColor(config::TColor color) { key_color_ = color; }
  config::TColor KeyHighlightColor() const { return key_color_; }
  // Widget defaults taken from the current settings.
  TPassageWidgetDefaults WidgetDefaults() const;

  // Resources. A missing Strong's data module gives Strong's links with
  // empty words; a missing paragraph map marks no paragraphs.
  void SetStrongsData(const TLMStrongsDataModule* data) { strongs_data_ = data; }
  void SetParagraphMap(const ParagraphMap* map) { paragraph_map_ = map; }
  // Positions in these lists are the k of the "lc:", "ld:" and "ec:" links.
  void SetLinkedCommentaries(std::vector<const TLMCommentaryModule*> list) {
    linked_commentaries_ = std::move(list);
  }
  void SetLinkedCommentaries(const std::vector<std::unique_ptr<TLMCommentaryModule>>& list);
  void SetLinkedBooks(std::vector<const TLMDictionaryModule*> list) {
    linked_books_ = std::move(list);
  }
  void SetLinkedBooks(const std::vector<std::unique_ptr<TLMDictionaryModule>>& list);
  void SetEditableCommentaries(std::vector<const TLMCommentaryModule*> list) {
    editable_commentaries_ = std::move(list);
  }
  void SetEditableCommentaries(const std::vector<TLMCommentaryModule*>& list);
  // "ExcludeFromLinking": abbreviations (matched without regard to case) of
  // Books and Commentaries that get no links. A module whose own
  // included_in_linking flag is off is excluded too.
  void SetExcludedFromLinking(std::vector<std::string> abbreviations);
  const std::vector<const TLMCommentaryModule*>& LinkedCommentaries() const {
    return linked_commentaries_;
  }
  const std::vector<const TLMDictionaryModule*>& LinkedBooks() const { return linked_books_; }
  const std::vector<const TLMCommentaryModule*>& EditableCommentaries() const {
    return editable_commentaries_;
  }

  // Paging: the owner sets Paged and resets PageFirst to 0 on a new list; a
  // "pn:" click sets PageFirst. PageFirst/PageLast are indexes into the
  // verse list; ShowVerses computes PageLast (and clamps a stale PageFirst
  // into the list). Not paged: the whole list, PageFirst 0.
  void SetPaged(bool paged) { paged_ = paged; }
  bool Paged() const { return paged_; }
  void SetPageFirst(int first) { page_first_ = first; }
  int PageFirst() const { return page_first_; }
  int PageLast() const { return page_last_; }

  // Chapter links ("IncChNext" / "IncChPrev" in the Bible view; the verse
  // list clears NextChapterLink and never sets PrevChapterLink).
  void SetNextChapterLink(bool on) { next_chapter_link_ = on; }
  bool NextChapterLink() const { return next_chapter_link_; }
  void SetPrevChapterLink(bool on) { prev_chapter_link_ = on; }
  bool PrevChapterLink() const { return prev_chapter_link_; }

  // Renders the page of `verses` (PageFirst..PageLast) into Html() and
  // returns the number of verses on it (separators not counted). Stores its
  // arguments for Rerender(). With no Bible set: stores the keys and flags,
  // leaves Html() and the verse list unchanged and returns 0.
  // Entries that are neither a verse of the Bible nor the separator are
  // skipped (not counted, no VersePositions entry). The arguments may be
  // this renderer's own VerseList() and Keys().
  int ShowVerses(const TVerseList& verses, const TKeyArray& keys, bool case_sensitive,
                 bool reference_links);
  // The stored list again with the stored keys and flags (page links,
  // setting toggles, a change of Bible).
  int Rerender();

  const std::string& Html() const { return html_; }
  // The page's side column holds footnotes (not only links): the widget
  // keeps that column from taking the text's width.
  bool HasSideNotes() const { return has_side_notes_; }
  const TVerseList& VerseList() const { return verses_; }
  const TKeyArray& Keys() const { return keys_; }
  bool CaseSensitive() const { return case_sensitive_; }
  bool ReferenceLinks() const { return reference_links_; }
  // Indexed by verse index; valid only for the verses of the last page.
  const std::vector<TVersePosition>& VersePositions() const { return verse_positions_; }

 private:
  void GrowVersePositions(const TLMBibleModule* bible);
  bool IsExcluded(const std::string& abbreviation, bool included_in_linking) const;

  const TLMBibleModule* bible_ = nullptr;
  const TLMBibleModule* compare_bible_ = nullptr;
  config::TPropertiesBibleView settings_;
  config::TColor key_color_ = 0x000000FF;
  const TLMStrongsDataModule* strongs_data_ = nullptr;
  const ParagraphMap* paragraph_map_ = nullptr;
  std::vector<const TLMCommentaryModule*> linked_commentaries_;
  std::vector<const TLMDictionaryModule*> linked_books_;
  std::vector<const TLMCommentaryModule*> editable_commentaries_;
  std::vector<std::string> excluded_from_linking_;  // sorted, CompareNoCase
  bool paged_ = false;
  int page_first_ = 0;
  int page_last_ = -1;
  bool next_chapter_link_ = false;
  bool prev_chapter_link_ = false;
  TVerseList verses_;
  TKeyArray keys_;
  bool case_sensitive_ = false;
  bool reference_links_ = false;
  std::string html_;
  bool has_side_notes_ = false;
  std::vector<TVersePosition> verse_positions_;
};

}  // namespace lumora
