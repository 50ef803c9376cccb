#include "app/preference_choices.h"

#include <algorithm>

#include "core/text/cp1252.h"

namespace lumora {
namespace {

TBibleLook StoredBibleLook(const config::TPropertiesBibleView& v) {
  return {v.main_font,          v.main_size,       v.text_color,      v.background_color,
          v.comment_link_color, v.dict_link_color, v.footnotes_color, v.strongs_link_color};
}

TResourceLook StoredResourceLook(const config::TPropertiesResourceView& v) {
  return {v.main_font, v.main_size, v.text_color, v.background_color, v.link_color};
}

// Writes what differs; true when anything did.
template <typename T>
bool WriteIfChanged(T& stored, const T& chosen) {
  if (stored == chosen) return false;
  stored = chosen;
  return true;
}

bool WriteBibleLook(config::TPropertiesBibleView& v, const TBibleLook& c) {
  bool changed = false;
  changed |= WriteIfChanged(v.main_font, c.font);
  changed |= WriteIfChanged(v.main_size, c.size);
  changed |= WriteIfChanged(v.text_color, c.text);
  changed |= WriteIfChanged(v.background_color, c.background);
  changed |= WriteIfChanged(v.comment_link_color, c.comment_link);
  changed |= WriteIfChanged(v.dict_link_color, c.dict_link);
  changed |= WriteIfChanged(v.footnotes_color, c.footnotes);
  changed |= WriteIfChanged(v.strongs_link_color, c.strongs_link);
  return changed;
}

bool WriteResourceLook(config::TPropertiesResourceView& v, const TResourceLook& c) {
  bool changed = false;
  changed |= WriteIfChanged(v.main_font, c.font);
  changed |= WriteIfChanged(v.main_size, c.size);
  changed |= WriteIfChanged(v.text_color, c.text);
  changed |= WriteIfChanged(v.background_color, c.background);
  changed |= WriteIfChanged(v.link_color, c.link);
  return changed;
}

template <typename Module>
std::vector<bool> StoredLinkFlags(const std::vector<std::unique_ptr<Module>>& list) {
  std::vector<bool> flags;
  for (const auto& m : list) flags.push_back(m->included_in_linking);
  return flags;
}

template <typename Module>
std::vector<bool> StoredTabFlags(const std::vector<std::unique_ptr<Module>>& list) {
  std::vector<bool> flags;
  for (const auto& m : list) flags.push_back(m->tab_visible);
  return flags;
}

template <typename Module>
bool WriteStoredLinkFlags(const std::vector<std::unique_ptr<Module>>& list,
                          const std::vector<bool>& chosen) {
  if (chosen.size() != list.size()) return false;
  bool changed = false;
  for (size_t i = 0; i < list.size(); ++i)
    changed |= WriteIfChanged(list[i]->included_in_linking, bool(chosen[i]));
  return changed;
}

template <typename Module, typename Fixed>
bool WriteStoredTabFlags(const std::vector<std::unique_ptr<Module>>& list,
                         const std::vector<bool>& chosen, Fixed fixed) {
  if (chosen.size() != list.size()) return false;
  bool changed = false;
  for (size_t i = 0; i < list.size(); ++i)
    if (!fixed(i)) changed |= WriteIfChanged(list[i]->tab_visible, bool(chosen[i]));
  return changed;
}

TTabLook StoredTabLook(const config::Properties& p) {
  return {p.rz_tabs_font,         p.rz_tabs_font_size,      p.rz_tabs_text_color,
          p.rz_tabs_text_bold,    p.rz_tabs_style,          p.rz_tabs_align,
          p.rz_tabs_active_color, p.rz_tabs_inactive_color, p.rz_tabs_corresponding_color};
}

bool PrefsLessNoCase(const std::string& a, const std::string& b) {
  return cp1252::CompareNoCase(a, b) < 0;
}

void PrefsInsertSorted(std::vector<std::string>& list, const std::string& item) {
  const auto at = std::lower_bound(list.begin(), list.end(), item, PrefsLessNoCase);
  if (at == list.end() || !cp1252::EqualNoCase(*at, item)) list.insert(at, item);
}

void PrefsEraseNoCase(std::vector<std::string>& list, const std::string& item) {
  std::erase_if(list, [&](const std::string& s) { return cp1252::EqualNoCase(s, item); });
}

template <typename Module>
void PrefsSyncExclusions(std::vector<std::string>& list,
                         const std::vector<std::unique_ptr<Module>>& modules) {
  for (const auto& m : modules) {
    if (m->included_in_linking)
      PrefsEraseNoCase(list, m->GetAbbreviation());
    else
      PrefsInsertSorted(list, m->GetAbbreviation());
  }
}

}  // namespace

void SyncFlagLists(config::Properties& p, const TModuleCatalogue& catalogue) {
  p.hidden_tabs.clear();
  for (size_t i = 0; i < catalogue.Bibles().size(); ++i)
    if (!IsFixedTabBible(catalogue, i) && !catalogue.Bibles()[i]->tab_visible)
      PrefsInsertSorted(p.hidden_tabs, catalogue.Bibles()[i]->GetAbbreviation());
  for (const auto& k : catalogue.Books())
    if (!k->tab_visible) PrefsInsertSorted(p.hidden_tabs, k->GetAbbreviation());
  for (const auto& c : catalogue.Commentaries())
    if (!c->tab_visible) PrefsInsertSorted(p.hidden_tabs, c->GetAbbreviation());
  PrefsSyncExclusions(p.exclude_from_linking, catalogue.Commentaries());
  PrefsSyncExclusions(p.exclude_from_linking, catalogue.Books());
}

bool TPrefsMarks::Any() const {
  return verse_list || bible || book || commentary || linking || bible_tabs || book_tabs ||
         commentary_tabs || tab_look || other;
}

TPrefsChoice ChoiceFromStore(const config::Properties& p, const TModuleCatalogue& catalogue) {
  TPrefsChoice c;
  c.verse_list = StoredBibleLook(p.verse_list_view);
  c.key_highlight = p.key_hilight_color;
  c.bible = StoredBibleLook(p.bible_view);
  c.book = StoredResourceLook(p.dict_view);
  c.commentary = StoredResourceLook(p.comment_view);
  c.tabs = StoredTabLook(p);
  c.search_bible_default = p.search_bible_default;
  c.link_multiple_verses = p.link_multiple_verses;
  c.startup_verse = p.startup_verse;
  c.inc_ch_prev = p.inc_ch_prev;
  c.inc_ch_next = p.inc_ch_next;
  c.editor_stay_on_top = p.editor_stay_on_top;
  c.editor_raw_html = p.editor_raw_html;
  c.save_window_states = p.save_window_states;
  c.link_books = StoredLinkFlags(catalogue.Books());
  c.link_commentaries = StoredLinkFlags(catalogue.Commentaries());
  c.tab_bibles = StoredTabFlags(catalogue.Bibles());
  c.tab_books = StoredTabFlags(catalogue.Books());
  c.tab_commentaries = StoredTabFlags(catalogue.Commentaries());
  c.startup_fav_tabs = p.startup_fav_tabs;
  return c;
}

bool IsFixedTabBible(const TModuleCatalogue& catalogue, size_t index) {
  const auto& bibles = catalogue.Bibles();
  if (index >= bibles.size()) return true;
  const TLMBibleModule* b = bibles[index].get();
  return b == catalogue.KjvBible() || b->IsStrongsLinks();
}

void SetAll(TPrefsChoice& c, TLookGroup from) {
  struct Common {
    std::string font;
    int32_t size;
    config::TColor text, background;
  };
  Common common;
  switch (from) {
    case TLookGroup::kVerseList:
      common = {c.verse_list.font, c.verse_list.size, c.verse_list.text, c.verse_list.background};
      break;
    case TLookGroup::kBible:
      common = {c.bible.font, c.bible.size, c.bible.text, c.bible.background};
      break;
    case TLookGroup::kBook:
      common = {c.book.font, c.book.size, c.book.text, c.book.background};
      break;
    case TLookGroup::kCommentary:
      common = {c.commentary.font, c.commentary.size, c.commentary.text, c.commentary.background};
      break;
  }
  const auto take = [&common](auto& look) {
    look.font = common.font;
    look.size = common.size;
    look.text = common.text;
    look.background = common.background;
  };
  take(c.verse_list);
  take(c.bible);
  take(c.book);
  take(c.commentary);
  if (from == TLookGroup::kVerseList || from == TLookGroup::kBible) {
    const TBibleLook& source = from == TLookGroup::kVerseList ? c.verse_list : c.bible;
    TBibleLook& target = from == TLookGroup::kVerseList ? c.bible : c.verse_list;
    target.footnotes = source.footnotes;
    target.dict_link = source.dict_link;
    target.comment_link = source.comment_link;
    target.strongs_link = source.strongs_link;
  } else {
    const TResourceLook& source = from == TLookGroup::kBook ? c.book : c.commentary;
    TResourceLook& target = from == TLookGroup::kBook ? c.commentary : c.book;
    target.link = source.link;
  }
}

TPrefsMarks ApplyChoice(const TPrefsChoice& c, config::Properties& p, TModuleCatalogue& catalogue) {
  TPrefsMarks m;
  // 1. Window states and the start-up tabs.
  m.other |= WriteIfChanged(p.save_window_states, c.save_window_states);
  const bool fav_changed = WriteIfChanged(p.startup_fav_tabs, c.startup_fav_tabs);
  m.other |= fav_changed;
  // 2. The verse list group, with the key highlight.
  m.verse_list |= WriteBibleLook(p.verse_list_view, c.verse_list);
  m.verse_list |= WriteIfChanged(p.key_hilight_color, c.key_highlight);
  // 3. The Bible group; the chapter links are written together.
  m.bible |= WriteBibleLook(p.bible_view, c.bible);
  if (p.inc_ch_prev != c.inc_ch_prev || p.inc_ch_next != c.inc_ch_next) {
    p.inc_ch_prev = c.inc_ch_prev;
    p.inc_ch_next = c.inc_ch_next;
    m.bible = true;
  }
  // 4. The Book and Commentary groups.
  m.book |= WriteResourceLook(p.dict_view, c.book);
  m.commentary |= WriteResourceLook(p.comment_view, c.commentary);
  // 5. The search default; the hyperlinking style re-renders the entries.
  m.other |= WriteIfChanged(p.search_bible_default, c.search_bible_default);
  if (WriteIfChanged(p.link_multiple_verses, c.link_multiple_verses)) m.book = m.commentary = true;
  // 6. Included in linking: the verse texts' links change.
  if (WriteStoredLinkFlags(catalogue.Books(), c.link_books) |
      WriteStoredLinkFlags(catalogue.Commentaries(), c.link_commentaries))
    m.verse_list = m.bible = m.linking = true;
  // 7. Tab visible flags: those strips show their selection again.
  m.bible_tabs = WriteStoredTabFlags(catalogue.Bibles(), c.tab_bibles, [&catalogue](size_t i) {
    return IsFixedTabBible(catalogue, i);
  });
  const auto none = [](size_t) { return false; };
  m.book_tabs = WriteStoredTabFlags(catalogue.Books(), c.tab_books, none);
  m.commentary_tabs = WriteStoredTabFlags(catalogue.Commentaries(), c.tab_commentaries, none);
  // 8. Written as they stand.
  m.other |= p.startup_verse != c.startup_verse || p.editor_raw_html != c.editor_raw_html ||
             p.editor_stay_on_top != c.editor_stay_on_top;
  p.startup_verse = c.startup_verse;
  p.editor_raw_html = c.editor_raw_html;
  p.editor_stay_on_top = c.editor_stay_on_top;
  m.tab_look = StoredTabLook(p) != c.tabs;
  p.rz_tabs_font = c.tabs.font;
  p.rz_tabs_font_size = c.tabs.size;
  p.rz_tabs_text_color = c.tabs.text;
  p.rz_tabs_text_bold = c.tabs.bold;
  p.rz_tabs_style = c.tabs.style;
  p.rz_tabs_align = c.tabs.align;
  p.rz_tabs_active_color = c.tabs.active;
  p.rz_tabs_inactive_color = c.tabs.inactive;
  p.rz_tabs_corresponding_color = c.tabs.corresponding;
  return m;
}

}  // namespace lumora
