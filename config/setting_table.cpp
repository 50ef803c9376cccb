#include "config/setting_table.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/io/byte_io.h"
#include "core/text/comma_text.h"
#include "core/text/cp1252.h"

namespace lumora::config {
namespace {

constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();

bool ExpectType(const SettingsValue& v, ValueType type, std::string& why) {
  if (v.Is(type) && v.IsWellFormed()) return true;
  why = "wrong type (" + ValueTypeName(v.type) + ", not " +
        ValueTypeName(static_cast<uint32_t>(type)) + ")";
  return false;
}

bool ExpectBinary(const SettingsValue& v, size_t size, std::string& why) {
  if (!ExpectType(v, ValueType::kBinary, why)) return false;
  if (v.bytes.size() == size) return true;
  why = std::to_string(v.bytes.size()) + " bytes, not " + std::to_string(size);
  return false;
}

template <typename T>
bool ParseNumber(std::string_view text, T& out) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end && !text.empty();
}

bool ParseInt(std::string_view text, int32_t& out, std::string& why) {
  if (ParseNumber(text, out)) return true;
  why = "not a 32-bit integer: " + std::string(text);
  return false;
}

std::string Binary32(uint32_t v) {
  std::string out;
  AppendU32(out, v);
  return out;
}

uint32_t LoadBinary32(const SettingsValue& v) {
  return LoadU32(reinterpret_cast<const uint8_t*>(v.bytes.data()));
}

class BoolSetting : public Setting {
 public:
  BoolSetting(std::string name, bool& field) : Setting(std::move(name), false), f_(field) {}
  std::string Kind() const override { return "bool"; }
  SettingsValue Encode() const override { return SettingsValue::Dword(f_ ? 1 : 0); }
  bool Decode(const SettingsValue& v, std::string& why) override {
    if (!ExpectType(v, ValueType::kDword, why)) return false;
    const int32_t d = v.AsDword();
    if (d != 0 && d != 1) {
      why = "a flag is 0 or 1, not " + std::to_string(d);
      return false;
    }
    f_ = d == 1;
    return true;
  }
  std::string ToText() const override { return f_ ? "true" : "false"; }
  bool FromText(std::string_view t, std::string& why) override {
    if (t == "true" || t == "1") return f_ = true, true;
    if (t == "false" || t == "0") return f_ = false, true;
    why = "a flag is true or false";
    return false;
  }

 private:
  bool& f_;
};

// A dword within [lo, hi]; T is int32_t or, for ItalicsMode, uint8_t.
template <typename T>
class IntSetting : public Setting {
 public:
  IntSetting(std::string name, T& field, int32_t lo, int32_t hi, bool window_state_group = false)
      : Setting(std::move(name), window_state_group), f_(field), lo_(lo), hi_(hi) {}
  std::string Kind() const override { return "integer"; }
  SettingsValue Encode() const override { return SettingsValue::Dword(static_cast<int32_t>(f_)); }
  bool Decode(const SettingsValue& v, std::string& why) override {
    return ExpectType(v, ValueType::kDword, why) && Take(v.AsDword(), why);
  }
  std::string ToText() const override { return std::to_string(static_cast<int32_t>(f_)); }
  bool FromText(std::string_view t, std::string& why) override {
    int32_t v = 0;
    return ParseInt(t, v, why) && Take(v, why);
  }

 private:
  bool Take(int32_t v, std::string& why) {
    if (v < lo_ || v > hi_) {
      why = std::to_string(v) + " is outside " + std::to_string(lo_) + ".." +
            (hi_ == kInt32Max ? std::string() : std::to_string(hi_));
      return false;
    }
    f_ = static_cast<T>(v);
    return true;
  }
  T& f_;
  int32_t lo_, hi_;
};

class ColourSetting : public Setting {
 public:
  ColourSetting(std::string name, TColor& field) : Setting(std::move(name), false), f_(field) {}
  std::string Kind() const override { return "colour"; }
  SettingsValue Encode() const override { return SettingsValue::Binary(Binary32(f_)); }
  bool Decode(const SettingsValue& v, std::string& why) override {
    return ExpectBinary(v, 4, why) && Take(LoadBinary32(v), why);
  }
  std::string ToText() const override {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", f_);
    return buf;
  }
  bool FromText(std::string_view t, std::string& why) override {
    uint32_t v = 0;
    if (t.size() < 3 || t.size() > 10 || (t.substr(0, 2) != "0x" && t.substr(0, 2) != "0X") ||
        std::from_chars(t.data() + 2, t.data() + t.size(), v, 16).ptr != t.data() + t.size()) {
      why = "a colour is 0x followed by up to eight hex digits (0x00BBGGRR)";
      return false;
    }
    return Take(v, why);
  }

 private:
  bool Take(uint32_t v, std::string& why) {
    if (!IsValidColor(v)) {
      char buf[64];
      std::snprintf(buf, sizeof buf, "0x%08X is neither 0x00BBGGRR nor a system colour", v);
      why = buf;
      return false;
    }
    f_ = v;
    return true;
  }
  TColor& f_;
};

// A pane fraction: an 8-byte double strictly between 0 and 1. A stored 0
// means "not set" and gives the default.
class FractionSetting : public Setting {
 public:
  FractionSetting(std::string name, double& field, double default_value)
      : Setting(std::move(name), false), f_(field), default_(default_value) {}
  std::string Kind() const override { return "real"; }
  SettingsValue Encode() const override {
    std::string bytes;
    const auto bits = std::bit_cast<uint64_t>(f_);
    AppendU32(bytes, static_cast<uint32_t>(bits));
    AppendU32(bytes, static_cast<uint32_t>(bits >> 32));
    return SettingsValue::Binary(bytes);
  }
  bool Decode(const SettingsValue& v, std::string& why) override {
    if (!ExpectBinary(v, 8, why)) return false;
    const auto* p = reinterpret_cast<const uint8_t*>(v.bytes.data());
    const double d = std::bit_cast<double>(LoadU32(p) | (uint64_t{LoadU32(p + 4)} << 32));
    if (d == 0) {
      f_ = default_;
      return false;
    }
    return Take(d, why);
  }
  std::string ToText() const override {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, f_);
    return std::string(buf, r.ptr);
  }
  bool FromText(std::string_view t, std::string& why) override {
    double d = 0;
    if (!ParseNumber(t, d)) {
      why = "not a number: " + std::string(t);
      return false;
    }
    return Take(d, why);
  }

 private:
  bool Take(double d, std::string& why) {
    if (!std::isfinite(d) || d <= 0 || d >= 1) {
      why = "a fraction lies strictly between 0 and 1";
      return false;
    }
    f_ = d;
    return true;
  }
  double& f_;
  double default_;
};

class StringSetting : public Setting {
 public:
  StringSetting(std::string name, std::string& field, bool must_not_be_empty)
      : Setting(std::move(name), false), f_(field), non_empty_(must_not_be_empty) {}
  std::string Kind() const override { return "string"; }
  SettingsValue Encode() const override { return SettingsValue::String(f_); }
  bool Decode(const SettingsValue& v, std::string& why) override {
    return ExpectType(v, ValueType::kString, why) && FromText(v.bytes, why);
  }
  std::string ToText() const override { return f_; }
  bool FromText(std::string_view t, std::string& why) override {
    if (non_empty_ && t.empty()) {
      why = "a font name cannot be empty";
      return false;
    }
    f_ = std::string(t);
    return true;
  }

 private:
  std::string& f_;
  bool non_empty_;
};

// The two numbers of "ActiveResources" that address a place: entry 2, a
// Commentary slot, and entry 4, a Book entry number. A pair is sound when
// both its entries are empty or its abbreviation has a number in range.
bool ActiveResourcesSound(const std::vector<std::string>& items, std::string& why) {
  auto at = [&](size_t i) { return i < items.size() ? std::string_view(items[i]) : ""; };
  auto pair_sound = [&](size_t abbrev, size_t number, int32_t hi) {
    if (at(abbrev).empty() && at(number).empty()) return true;
    int32_t n = -1;
    return !at(abbrev).empty() && at(number).find_first_not_of("0123456789") == std::string::npos &&
           ParseNumber(at(number), n) && n >= 0 && n <= hi;
  };
  if (!pair_sound(kActiveCommentary, kActiveCommentaryPosition, kVerseCount - 1)) {
    why = "Commentary position is no slot 0.." + std::to_string(kVerseCount - 1);
    return false;
  }
  if (!pair_sound(kActiveBook, kActiveBookEntry, kInt32Max)) {
    why = "Book entry is no entry number";
    return false;
  }
  return true;
}

class ListSetting : public Setting {
 public:
  enum Flavour { kPlain, kSorted, kActiveResources };
  ListSetting(std::string name, std::vector<std::string>& field, Flavour flavour)
      : Setting(std::move(name), false), f_(field), flavour_(flavour) {}
  std::string Kind() const override { return flavour_ == kSorted ? "list, sorted" : "list"; }
  SettingsValue Encode() const override {
    if (flavour_ != kSorted) return SettingsValue::String(FormatSettingsCommaText(f_));
    std::vector<std::string> sorted = f_;
    SortUniqueNoCase(sorted);
    return SettingsValue::String(FormatSettingsCommaText(sorted));
  }
  bool Decode(const SettingsValue& v, std::string& why) override {
    return ExpectType(v, ValueType::kString, why) && FromText(v.bytes, why);
  }
  std::string ToText() const override { return Encode().bytes; }
  bool FromText(std::string_view t, std::string& why) override {
    std::vector<std::string> items =
        flavour_ == kSorted ? ParseSortedSettingsCommaText(t) : ParseSettingsCommaText(t);
    if (flavour_ == kActiveResources && !ActiveResourcesSound(items, why)) return false;
    f_ = std::move(items);
    return true;
  }

 private:
  std::vector<std::string>& f_;
  Flavour flavour_;
};

class BookmarkSetting : public Setting {
 public:
  BookmarkSetting(std::string name, BookmarkRecord& field)
      : Setting(std::move(name), false), f_(field) {}
  std::string Kind() const override { return "binary 95"; }
  SettingsValue Encode() const override { return SettingsValue::Binary(EncodeBookmark(f_)); }
  bool Decode(const SettingsValue& v, std::string& why) override {
    if (!ExpectBinary(v, kBookmarkRecordSize, why)) return false;
    std::optional<BookmarkRecord> r = DecodeBookmark(v.bytes, &why);
    if (!r) return false;
    f_ = std::move(*r);
    return true;
  }
  std::string ToText() const override {
    return FormatSettingsCommaText(
        {std::to_string(f_.kind), f_.abbrev, std::to_string(f_.position), f_.text});
  }
  bool FromText(std::string_view t, std::string& why) override {
    const std::vector<std::string> items = ParseSettingsCommaText(t);
    BookmarkRecord r;
    if (items.size() != 4 || !ParseInt(items[0], r.kind, why) ||
        !ParseInt(items[2], r.position, why)) {
      if (why.empty()) why = "a bookmark is kind,abbreviation,position,text";
      return false;
    }
    r.abbrev = items[1];
    r.text = items[3];
    // Through the record, so the text is cut and checked as when stored.
    return Decode(SettingsValue::Binary(EncodeBookmark(r)), why);
  }

 private:
  BookmarkRecord& f_;
};

class WindowStateSetting : public Setting {
 public:
  WindowStateSetting(std::string name, WindowState& field)
      : Setting(std::move(name), true), f_(field) {}
  std::string Kind() const override { return "binary 16"; }
  SettingsValue Encode() const override { return SettingsValue::Binary(EncodeWindowState(f_)); }
  bool Decode(const SettingsValue& v, std::string& why) override {
    if (!ExpectBinary(v, kWindowStateSize, why)) return false;
    std::optional<WindowState> s = DecodeWindowState(v.bytes, &why);
    if (!s) return false;
    f_ = *s;
    return true;
  }
  std::string ToText() const override {
    return std::to_string(f_.left) + "," + std::to_string(f_.top) + "," +
           std::to_string(f_.height) + "," + std::to_string(f_.width);
  }
  bool FromText(std::string_view t, std::string& why) override {
    const std::vector<std::string> items = ParseSettingsCommaText(t);
    WindowState s;
    if (items.size() != 4 || !ParseInt(items[0], s.left, why) || !ParseInt(items[1], s.top, why) ||
        !ParseInt(items[2], s.height, why) || !ParseInt(items[3], s.width, why)) {
      if (why.empty()) why = "a window state is left,top,height,width";
      return false;
    }
    return Decode(SettingsValue::Binary(EncodeWindowState(s)), why);
  }

 private:
  WindowState& f_;
};

// A 32-bit value kept as 4 binary bytes and never interpreted.
class Raw32Setting : public Setting {
 public:
  Raw32Setting(std::string name, int32_t& field) : Setting(std::move(name), false), f_(field) {}
  std::string Kind() const override { return "binary 4"; }
  SettingsValue Encode() const override {
    return SettingsValue::Binary(Binary32(static_cast<uint32_t>(f_)));
  }
  bool Decode(const SettingsValue& v, std::string& why) override {
    if (!ExpectBinary(v, 4, why)) return false;
    f_ = static_cast<int32_t>(LoadBinary32(v));
    return true;
  }
  std::string ToText() const override { return std::to_string(f_); }
  bool FromText(std::string_view t, std::string& why) override { return ParseInt(t, f_, why); }

 private:
  int32_t& f_;
};

class TableBuilder {
 public:
  explicit TableBuilder(std::vector<std::unique_ptr<Setting>>& out) : out_(out) {}

  void Flag(std::string name, bool& f) { Add<BoolSetting>(std::move(name), f); }
  void Int(std::string name, int32_t& f, int32_t lo, int32_t hi, bool window_state_group = false) {
    Add<IntSetting<int32_t>>(std::move(name), f, lo, hi, window_state_group);
  }
  void Byte(std::string name, uint8_t& f, int32_t lo, int32_t hi) {
    Add<IntSetting<uint8_t>>(std::move(name), f, lo, hi);
  }
  void Colour(std::string name, TColor& f) { Add<ColourSetting>(std::move(name), f); }
  void Fraction(std::string name, double& f, double def) {
    Add<FractionSetting>(std::move(name), f, def);
  }
  void Text(std::string name, std::string& f) { Add<StringSetting>(std::move(name), f, false); }
  void Font(std::string name, std::string& f) { Add<StringSetting>(std::move(name), f, true); }
  void List(std::string name, std::vector<std::string>& f, ListSetting::Flavour flavour) {
    Add<ListSetting>(std::move(name), f, flavour);
  }
  void Bookmark(std::string name, BookmarkRecord& f) { Add<BookmarkSetting>(std::move(name), f); }
  void Window(std::string name, WindowState& f) { Add<WindowStateSetting>(std::move(name), f); }
  void Raw32(std::string name, int32_t& f) { Add<Raw32Setting>(std::move(name), f); }

  void BibleView(const std::string& prefix, TPropertiesBibleView& v) {
    Flag(prefix + "ShowEditLinks", v.show_edit_links);
    Flag(prefix + "ColumnMode", v.column_mode);
    Flag(prefix + "ParaMode", v.para_mode);
    Flag(prefix + "LinkCommentaries", v.link_commentaries);
    Flag(prefix + "LinkDictionaries", v.link_dictionaries);
    Flag(prefix + "ShowFootnotes", v.show_footnotes);
    Colour(prefix + "BackgroundColor", v.background_color);
    Colour(prefix + "TextColor", v.text_color);
    Colour(prefix + "FootnotesColor", v.footnotes_color);
    Colour(prefix + "StrongsLinkColor", v.strongs_link_color);
    Colour(prefix + "CommentLinkColor", v.comment_link_color);
    Colour(prefix + "DictLinkColor", v.dict_link_color);
    Byte(prefix + "ItalicsMode", v.italics_mode, 0, 2);
    Int(prefix + "MainSize", v.main_size, kMinPaneFontSize, kMaxPaneFontSize);
    Font(prefix + "MainFont", v.main_font);
  }

  void ResourceView(const std::string& prefix, TPropertiesResourceView& v) {
    Colour(prefix + "BackgroundColor", v.background_color);
    Colour(prefix + "TextColor", v.text_color);
    Colour(prefix + "LinkColor", v.link_color);
    Int(prefix + "MainSize", v.main_size, kMinPaneFontSize, kMaxPaneFontSize);
    Font(prefix + "MainFont", v.main_font);
  }

  static constexpr int32_t kMinPaneFontSize = 6;
  static constexpr int32_t kMaxPaneFontSize = 20;

 private:
  template <typename S, typename... Args>
  void Add(Args&&... args) {
    out_.push_back(std::make_unique<S>(std::forward<Args>(args)...));
  }
  std::vector<std::unique_ptr<Setting>>& out_;
};

}  // namespace

std::vector<std::unique_ptr<Setting>> BindSettings(Properties& p) {
  std::vector<std::unique_ptr<Setting>> table;
  TableBuilder t(table);
  for (int i = 0; i < kBookmarkCount; ++i)
    t.Bookmark("Bookmark " + std::to_string(i), p.bookmarks[i]);
  t.Font("RzTabsFont", p.rz_tabs_font);
  t.Int("RzTabsFontSize", p.rz_tabs_font_size, 6, 14);
  t.Colour("RzTabsTextColor", p.rz_tabs_text_color);
  t.Flag("RzTabsTextBold", p.rz_tabs_text_bold);
  t.Int("RzTabsStyle", p.rz_tabs_style, 0, 3);
  t.Flag("RzTabsAlign", p.rz_tabs_align);
  t.Colour("RzTabsActiveColor", p.rz_tabs_active_color);
  t.Colour("RzTabsInactiveColor", p.rz_tabs_inactive_color);
  t.Colour("RzTabsCorrespondingColor", p.rz_tabs_corresponding_color);
  t.BibleView("BibleView ", p.bible_view);
  // The user's own four link settings while paragraph mode has them off,
  // so leaving paragraph mode after a restart brings them back.
  t.Flag("BibleView ParaSavedLinkCommentaries", p.para_saved_links[0]);
  t.Flag("BibleView ParaSavedLinkDictionaries", p.para_saved_links[1]);
  t.Flag("BibleView ParaSavedShowFootnotes", p.para_saved_links[2]);
  t.Flag("BibleView ParaSavedShowEditLinks", p.para_saved_links[3]);
  t.BibleView("VerseListView ", p.verse_list_view);
  t.ResourceView("DictView ", p.dict_view);
  t.ResourceView("CommentView ", p.comment_view);
  t.Int("Formatting VerseExportStyle", p.verse_export_style, 0, 7);
  t.Flag("Formatting IncludeBrackets", p.include_brackets);
  t.Flag("Formatting IncludeFootnotes", p.include_footnotes);
  t.Flag("Formatting IncludeVersionTag", p.include_version_tag);
  t.Fraction("RightBottomPct", p.right_bottom_pct, 0.45);
  t.Fraction("LeftTopPct", p.left_top_pct, 0.5);
  t.Fraction("LeftPanelPct", p.left_panel_pct, 0.45);
  t.Flag("ViewVerseList", p.view_verse_list);
  t.Flag("ViewBible", p.view_bible);
  t.Flag("ViewDict", p.view_dict);
  t.Flag("ViewComment", p.view_comment);
  t.Flag("ClosedMaximized", p.closed_maximized);
  t.Colour("KeyHiLightColor", p.key_hilight_color);
  t.Int("LastBibleVerse", p.last_bible_verse, 1, kVerseCount);
  t.Int("SearchBibleDefault", p.search_bible_default, 0, 1);
  t.Int("StartupVerse", p.startup_verse, 0, 1);
  t.Flag("LinkMultipleVerses", p.link_multiple_verses);
  t.Flag("StartupFavTabs", p.startup_fav_tabs);
  t.List("ExcludeFromLinking", p.exclude_from_linking, ListSetting::kSorted);
  t.List("HiddenTabs", p.hidden_tabs, ListSetting::kSorted);
  t.List("ActiveResources", p.active_resources, ListSetting::kActiveResources);
  t.Flag("PopupNVCX", p.popup_nvcx);
  t.Flag("EditorStayOnTop", p.editor_stay_on_top);
  t.Flag("EditorRawHTML", p.editor_raw_html);
  t.Flag("SaveWindowStates", p.save_window_states);
  t.Window("StateMain", p.state_main);
  t.Window("StateEditor", p.state_editor);
  t.Window("StateResourceLink", p.state_resource_link);
  t.Window("StateTopicGuide", p.state_topic_guide);
  t.Window("StateImageView", p.state_image_view);
  t.Window("StateBigSearch", p.state_big_search);
  t.Int("BigSearchTreeHeight", p.big_search_tree_height, -1, 32767, true);
  t.Flag("BigSearchCase", p.big_search_case);
  t.Flag("BigSearchSetType", p.big_search_set_type);
  t.Flag("BigSearchSubstring", p.big_search_substring);
  t.Int("BigSearchRefSet", p.big_search_ref_set, 0, kInt32Max);
  t.Int("BigSearchSingleModule", p.big_search_single_module, 0, kInt32Max);
  t.Flag("ImageShrinkToFit", p.image_shrink_to_fit);
  t.Flag("IncChPrev", p.inc_ch_prev);
  t.Flag("IncChNext", p.inc_ch_next);
  t.Raw32("DocPosBible", p.doc_pos_bible);
  t.Raw32("DocPosBook", p.doc_pos_book);
  t.Raw32("DocPosCommentary", p.doc_pos_commentary);
  t.Int("HelpVer", p.help_ver, kInt32Min, kInt32Max);
  return table;
}

Setting* FindSetting(const std::vector<std::unique_ptr<Setting>>& table, std::string_view name) {
  for (const auto& s : table)
    if (cp1252::EqualNoCase(s->name(), name)) return s.get();
  return nullptr;
}

}  // namespace lumora::config
