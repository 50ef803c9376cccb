#include "tools/import/sword_source.h"

#include <swkey.h>
#include <swmgr.h>
#include <swmodule.h>
#include <versekey.h>
#include <versificationmgr.h>

#include <memory>
#include <string_view>

#include "tools/builder/kjv_versification.h"
#include "tools/import/sword_library.h"

namespace lumora::import {
namespace {

constexpr int kVerseCount = 31102;

}  // namespace

Result<std::vector<SwordModuleInfo>> ListSwordModules(const std::string& library_path) {
  auto library = OpenSwordLibrary(library_path);
  if (!library) return library.status();
  std::vector<SwordModuleInfo> modules;
  for (const auto& [name, module] : (*library)->getModules())
    if (module) modules.push_back(DescribeSwordModule(*module));
  return modules;
}

Result<SwordImport> ImportSwordModule(const SwordImportOptions& options) {
  SwordImport result;
  auto opened = OpenSwordModule(options.library_path, options.module, result.warnings);
  if (!opened) return opened.status();
  sword::SWModule* module = &opened->module();
  result.info = opened->info();
  if (result.info.type != "Biblical Texts")
    return Status::Error(ErrorKind::kInvalidArgument,
                         options.module + " is not a Bible (type \"" + result.info.type + "\")");
  if (result.info.source_type != "OSIS")
    result.warnings.push_back("markup " + result.info.source_type +
                              " is read as OSIS; its own tags come out as plain text or not at all");

  std::unique_ptr<sword::SWKey> key_owner(module->createKey());
  auto* key = dynamic_cast<sword::VerseKey*>(key_owner.get());
  if (!key) return Status::Error(ErrorKind::kInvalidArgument, options.module + " is not verse-keyed");
  const auto* versifications = sword::VersificationMgr::getSystemVersificationMgr();
  const auto* source_system = versifications->getVersificationSystem(key->getVersificationSystem());
  const auto* kjv_system = versifications->getVersificationSystem("KJV");
  if (!source_system || !kjv_system)
    return Status::Error(ErrorKind::kInvalidArgument,
                         "unknown versification " + std::string(key->getVersificationSystem()));

  result.verses.assign(kVerseCount, std::nullopt);
  result.paragraphs.assign(kVerseCount, 0);
  std::vector<bool> placed(kVerseCount, false);
  bool paragraph_pending = false;  // a mark in an intro or after the last words of a verse
  // The headings of book and chapter introductions ("ALEPH." before Psalm
  // 119, a speaker label before a chapter) open the verse that follows.
  OsisVerse pending_heading;
  size_t entry_number = 0;  // the source entry, for the tally of folded characters
  OsisOptions heading_options = options.osis;
  heading_options.headings_only = true;

  // Every entry in the module's own order, intros included: book and
  // chapter intros hold the paragraph marks of the verses that open them.
  key->setIntros(true);
  for (key->setPosition(sword::SW_POSITION(POS_TOP)); !key->popError(); key->increment()) {
    if (key->getTestament() == 0 || key->getBook() == 0) continue;  // module and testament intros
    module->setKey(*key);
    const std::string raw = RawEntryUtf8(*module);
    if (options.osis.folds) options.osis.folds->SetEntry(entry_number++);
    if (key->getVerse() == 0) {
      const OsisVerse intro = ConvertOsisVerse(raw, heading_options);
      paragraph_pending = paragraph_pending || intro.paragraph || intro.paragraph_after;
      if (!intro.text.empty()) {
        if (!pending_heading.text.empty()) pending_heading.text += ' ';
        pending_heading.text += intro.text;
        pending_heading.headings += intro.headings;
        pending_heading.strongs += intro.strongs;
        pending_heading.footnotes += intro.footnotes;
      }
      continue;
    }
    OsisVerse verse = ConvertOsisVerse(raw, options.osis);
    if (!pending_heading.text.empty()) {
      verse.text =
          verse.text.empty() ? pending_heading.text : pending_heading.text + ' ' + verse.text;
      verse.headings += pending_heading.headings;
      verse.strongs += pending_heading.strongs;
      verse.footnotes += pending_heading.footnotes;
      pending_heading = OsisVerse();  // taken by this verse, or lost with it
    }

    // The versification mapping of libsword moves the verse into the KJV
    // system; a verse that becomes a range goes to its first verse.
    const char* book = key->getOSISBookName();
    int chapter = key->getChapter();
    int number = key->getVerse();
    int number_end = number;
    source_system->translateVerse(kjv_system, &book, &chapter, &number, &number_end);
    const int index = book ? PlaceInKjv(book, chapter, number) : 0;
    if (index == 0) {
      if (!verse.text.empty()) ++result.unplaced_verses;
      continue;
    }
    const size_t slot = static_cast<size_t>(index - 1);
    if (!placed[slot]) {
      placed[slot] = true;
      if (paragraph_pending || verse.paragraph) result.paragraphs[slot] = 1;
    }
    paragraph_pending = verse.paragraph_after;
    if (verse.text.empty()) continue;

    result.strongs_tokens += static_cast<size_t>(verse.strongs);
    result.footnotes += static_cast<size_t>(verse.footnotes);
    result.cross_references += static_cast<size_t>(verse.cross_references);
    result.verse_links += static_cast<size_t>(verse.verse_links);
    result.headings += static_cast<size_t>(verse.headings);
    result.has_brackets = result.has_brackets || verse.has_brackets;
    std::optional<std::string>& text = result.verses[slot];
    if (text) {
      *text += ' ';
      *text += verse.text;
      ++result.joined_verses;
    } else {
      text = verse.text;
    }
  }

  for (size_t k = 0; k < result.verses.size(); ++k) {
    if (result.verses[k]) ++result.verses_with_text;
    if (result.paragraphs[k]) ++result.paragraph_starts;
  }
  result.has_strongs = result.strongs_tokens > 0;
  result.has_footnotes = result.footnotes > 0;
  if (result.verses_with_text == 0)
    return Status::Error(ErrorKind::kInvalidArgument, options.module + " holds no verse text");
  return result;
}

}  // namespace lumora::import
