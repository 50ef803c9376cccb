#include "tools/import/sword_entries.h"

#include <swkey.h>
#include <versekey.h>
#include <versificationmgr.h>

#include <algorithm>
#include <memory>

#include "tools/import/commentary_converter.h"
#include "tools/import/entry_converter.h"
#include "tools/import/sword_library.h"

namespace lumora::import {

Result<SwordDictionary> ReadSwordDictionary(const std::string& name,
                                            const std::string& library_path) {
  SwordDictionary result;
  auto opened = OpenSwordModule(library_path, name, result.warnings);
  if (!opened.ok()) return opened.status();
  result.info = opened->info();
  if (result.info.type != "Lexicons / Dictionaries")
    return Status::Error(ErrorKind::kInvalidArgument,
                         name + " is not a dictionary (type \"" + result.info.type + "\")");
  sword::SWModule& module = opened->module();
  for (module.setPosition(sword::SW_POSITION(POS_TOP)); !module.popError(); module.increment()) {
    const char* key = module.getKeyText();
    result.entries.push_back(SourceEntry{key ? key : "", RawEntryUtf8(module)});
  }
  if (result.entries.empty())
    return Status::Error(ErrorKind::kInvalidArgument, name + " holds no entries");
  return result;
}

Result<SwordCommentary> ReadSwordCommentary(const std::string& name,
                                            const std::string& library_path) {
  SwordCommentary result;
  auto opened = OpenSwordModule(library_path, name, result.warnings);
  if (!opened.ok()) return opened.status();
  result.info = opened->info();
  if (result.info.type != "Commentaries")
    return Status::Error(ErrorKind::kInvalidArgument,
                         name + " is not a commentary (type \"" + result.info.type + "\")");
  sword::SWModule& module = opened->module();
  std::unique_ptr<sword::SWKey> key_owner(module.createKey());
  auto* key = dynamic_cast<sword::VerseKey*>(key_owner.get());
  if (!key) return Status::Error(ErrorKind::kInvalidArgument, name + " is not verse-keyed");
  const auto* versifications = sword::VersificationMgr::getSystemVersificationMgr();
  const auto* source_system = versifications->getVersificationSystem(key->getVersificationSystem());
  const auto* kjv_system = versifications->getVersificationSystem("KJV");
  if (!source_system || !kjv_system)
    return Status::Error(ErrorKind::kInvalidArgument,
                         "unknown versification " + std::string(key->getVersificationSystem()));

  // Book and chapter introductions mostly hold structure, but some hold a
  // book's introduction (Scofield on Judges, Matthew Henry on Obadiah), a
  // chapter's only comment (Matthew Henry on Leviticus 19) or the work's
  // preface (the Treasury of David): they go to the first verse they
  // introduce.
  key->setIntros(true);
  std::vector<SourceComment> introductions;  // ascending, one per verse
  std::unique_ptr<sword::SWKey> previous(module.createKey());
  bool previous_has_entry = false;
  bool current_placed = false;  // the comment being extended reached the KJV
  for (key->setPosition(sword::SW_POSITION(POS_TOP)); !key->popError(); key->increment()) {
    if (key->getVerse() == 0) {
      // Left out of the linked-verse logic: an introduction never continues
      // a comment, nor interrupts one.
      if (key->getTestament() == 0 || key->getBook() == 0 || !module.hasEntry(key)) continue;
      module.setKey(*key);
      std::string text = RawEntryUtf8(module);
      if (PlainText(text).empty()) continue;
      const char* book = key->getOSISBookName();
      int chapter = std::max(1, key->getChapter());
      int verse = 1;
      int verse_end = verse;
      source_system->translateVerse(kjv_system, &book, &chapter, &verse, &verse_end);
      const int index = book ? PlaceInKjv(book, chapter, verse) : 0;
      if (index == 0) {
        ++result.unplaced;
        continue;
      }
      // A book's introduction and its first chapter's go to one verse.
      if (!introductions.empty() && introductions.back().first == index)
        introductions.back().text += "<div type=\"x-p\"/>" + text;
      else
        introductions.push_back(SourceComment{index, index, std::move(text)});
      continue;
    }
    const bool has_entry = module.hasEntry(key);
    // Linked verses share one stored entry: the comment covers them all.
    const bool continues = has_entry && previous_has_entry && module.isLinked(previous.get(), key);
    previous->copyFrom(*key);
    previous_has_entry = has_entry;
    if (!has_entry) continue;

    const char* book = key->getOSISBookName();
    int chapter = key->getChapter();
    int verse = key->getVerse();
    int verse_end = verse;
    source_system->translateVerse(kjv_system, &book, &chapter, &verse, &verse_end);
    const int index = book ? PlaceInKjv(book, chapter, verse) : 0;
    if (continues) {
      if (current_placed && index > result.comments.back().last)
        result.comments.back().last = index;
      continue;
    }
    if (index == 0) {
      ++result.unplaced;
      current_placed = false;
      continue;
    }
    module.setKey(*key);
    std::string text = RawEntryUtf8(module);
    if (!result.comments.empty() && result.comments.back().first == index) {
      // Two source verses on one KJV verse: one comment holds both.
      result.comments.back().text += "<lb/>" + text;
      ++result.joined;
    } else {
      result.comments.push_back(SourceComment{index, index, std::move(text)});
    }
    current_placed = true;
  }
  // A versification mapping can move comments out of order.
  std::stable_sort(
      result.comments.begin(), result.comments.end(),
      [](const SourceComment& a, const SourceComment& b) { return a.first < b.first; });
  result.introductions = PlaceIntroductions(result.comments, introductions);
  if (result.comments.empty())
    return Status::Error(ErrorKind::kInvalidArgument, name + " holds no comments");
  return result;
}

}  // namespace lumora::import
