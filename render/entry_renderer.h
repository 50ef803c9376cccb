// TEntryRenderer: the entry renderer (`ShowEntry`) and its state behind the
// resource view frame of the Book view and the Commentary view. It turns one
// Book or Commentary entry (entry markup: HTML with control bytes for
// scripts, Strong's numbers, verse lists and entry links) into the page the
// widget shows, and records every verse the entry references.
//
// The frame owns one renderer and drives it like this:
//   - SetEntryHeader before a render (the owner's header line; empty: none);
//   - before every render: SetLinkMultipleVerses and SetKeyHighlightColor
//     from the settings (they are read at every render);
//   - render: show "Loading..." in the widget and let pending messages run,
//     call ShowEntry(...), load Html() into the widget, and when Anchor() is
//     not empty position the widget at it.
//
// Text is bytes: entry text, titles and the page are Windows-1252 exactly as
// stored; the widget boundary converts them. Titles are escaped where they
// are inserted into the page; the entry's own HTML is passed through.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/color.h"
#include "core/modules/bible_module.h"
#include "render/verse_list.h"

namespace lumora {

// Markers put into the page where entry markup is damaged, so that authors
// of user entries can find the fault.
inline constexpr const char* kUnclosedRefMarker = "ER: UNCLOSED REF?";
inline constexpr const char* kUnclosedLinkMarker = "ER: UNCLOSED $ LINK?";
// An entry link whose number names no entry of the title list.
inline constexpr const char* kBadLinkMarker = "ER: BAD $ LINK?";

// First or last verse values at or above this mean "no verse to mark".
inline constexpr int kNoMarkedVerse = 31103;

class TEntryRenderer {
 public:
  // `kjv` gives the book titles and chapter and verse numbers of every
  // reference; it must outlive the renderer.
  explicit TEntryRenderer(const TLMBibleModule& kjv);

  // HTML shown in small type under the title; the owner's, kept until
  // changed.
  void SetEntryHeader(std::string header) { entry_header_ = std::move(header); }
  const std::string& EntryHeader() const { return entry_header_; }

  // "LinkMultipleVerses": one "vrl" link around each verse list instead of
  // one "vr" link per reference.
  void SetLinkMultipleVerses(bool on) { link_multiple_verses_ = on; }
  bool LinkMultipleVerses() const { return link_multiple_verses_; }
  // "KeyHiLightColor" for references that touch the marked verses.
  void SetKeyHighlightColor(config::TColor color) { key_highlight_color_ = color; }

  // Renders one entry. `titles` are the resource's entry titles in entry
  // order (a Commentary's are verse references). first_verse..last_verse is
  // the range to mark (1-based); first_verse 0 or a last verse of 31103 or
  // more marks nothing. Replaces Html(), Anchor(), the referenced verses
  // and the anchor-placed flag. Never fails: damaged markup shows markers.
  void ShowEntry(std::string_view entry_text, std::string_view title,
                 const std::vector<std::string>& titles, int first_verse, int last_verse);

  // The page of the last ShowEntry (empty before the first).
  const std::string& Html() const { return html_; }
  // "#v%d" with the first verse when ShowEntry was given one (the frame
  // positions the widget there), else empty.
  const std::string& Anchor() const { return anchor_; }

  // The HTML of one verse list (the codes between 0x05 and 0x08), marking
  // the referenced verses and, for references that overlap first..last,
  // the highlight and the first "v%d" anchor of the render. Items that do
  // not decode or whose first verse lies outside 1..31102 are left out.
  std::string FormatReferences(std::string_view codes, int first_verse, int last_verse);

  // Verse indexes the last render referenced, ascending, each once; empty
  // before the first render.
  TVerseList GetReferencedVerses() const;

 private:
  void FormatReferencesTo(std::string& out, std::string_view codes, int first_verse,
                          int last_verse);
  void RenderMarkup(std::string_view page, const std::vector<std::string>& titles, int first,
                    int last);
  void AppendCommentaryLink(std::string& out, int verse, const std::vector<std::string>& titles);
  void LoadKjvTables();
  TVerseLocation Place(int verse) const;
  const std::string& LongTitle(int book) const;

  const TLMBibleModule& kjv_;
  std::string entry_header_;
  bool link_multiple_verses_ = false;
  config::TColor key_highlight_color_ = 0x000000FF;
  std::string highlight_html_;  // ColorToHtml of the colour, per render

  std::vector<TVerseLocation> places_;    // index = verse index
  std::vector<std::string> long_titles_;  // index = book, escaped
  std::vector<bool> referenced_;  // index = verse index; sized to the KJV at each render
  bool anchor_placed_ = false;
  std::string html_;
  std::string anchor_;
};

}  // namespace lumora
