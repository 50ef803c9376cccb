#include "tools/import/sword_entries.h"

#include <swkey.h>
#include <versekey.h>
#include <versificationmgr.h>

#include <algorithm>
#include <memory>

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

  // Book and chapter introductions hold structure only in these modules;
  // every comment sits on a verse.
  key->setIntros(false);
  std::unique_ptr<sword::SWKey> previous(module.createKey());
  bool previous_has_entry = false;
  bool current_placed = false;  // the comment being extended reached the KJV
  for (key->setPosition(sword::SW_POSITION(POS_TOP)); !key->popError(); key->increment()) {
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
  if (result.comments.empty())
    return Status::Error(ErrorKind::kInvalidArgument, name + " holds no comments");
  return result;
}

}  // namespace lumora::import
