// The display settings records of the panes. Which instance exists and the
// names its fields are stored under are in properties.h.
#pragma once

#include <cstdint>
#include <string>

#include "config/color.h"

namespace lumora::config {

// Bible view and verse list: what the passage renderer draws and how.
struct TPropertiesBibleView {
  bool column_mode = true;
  bool para_mode = false;
  // Never stored: true for the Bible view, false for the verse list.
  bool show_paragraph_marks = true;
  bool link_commentaries = true;
  bool link_dictionaries = true;
  bool show_edit_links = true;
  bool show_footnotes = false;
  TColor background_color = kClWindow;
  TColor text_color = kClWindowText;
  TColor footnotes_color = 0x00800080;
  TColor strongs_link_color = 0x00008000;
  TColor comment_link_color = 0x00808000;
  TColor dict_link_color = 0x00008080;
  // 0 bracketed words in italics, 2 brackets removed, 1 brackets shown.
  uint8_t italics_mode = 0;
  // "Verdana" when installed; DefaultProperties asks the font list.
  std::string main_font = "Arial";
  int32_t main_size = 10;  // points, 6 to 20

  bool operator==(const TPropertiesBibleView&) const = default;
};

// The verse list's record differs from the Bible view's in its four toggles.
inline TPropertiesBibleView VerseListViewDefaults() {
  TPropertiesBibleView v;
  v.show_paragraph_marks = false;
  v.link_commentaries = false;
  v.link_dictionaries = false;
  v.show_edit_links = false;
  return v;
}

// Book view and Commentary view: the defaults the entry renderer's widget
// gets.
struct TPropertiesResourceView {
  TColor background_color = kClWindow;
  TColor text_color = kClWindowText;
  TColor link_color = 0x00FF0000;
  std::string main_font = "Arial";  // as above
  int32_t main_size = 10;  // points, 6 to 20

  bool operator==(const TPropertiesResourceView&) const = default;
};

}  // namespace lumora::config
