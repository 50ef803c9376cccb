#include "tools/import/sword_source.h"

#include <swkey.h>
#include <swlog.h>
#include <swmgr.h>
#include <swmodule.h>
#include <versekey.h>
#include <versificationmgr.h>

#include <filesystem>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "tools/builder/kjv_versification.h"

namespace lumora::import {
namespace {

constexpr int kVerseCount = 31102;

std::string ConfigEntry(const sword::SWModule& module, const char* key) {
  const char* value = module.getConfigEntry(key);
  return value ? value : "";
}

SwordModuleInfo Describe(const sword::SWModule& module) {
  SwordModuleInfo info;
  info.name = module.getName() ? module.getName() : "";
  info.description = module.getDescription() ? module.getDescription() : "";
  info.type = module.getType() ? module.getType() : "";
  info.versification = ConfigEntry(module, "Versification");
  if (info.versification.empty()) info.versification = "KJV";
  info.source_type = ConfigEntry(module, "SourceType");
  if (info.source_type.empty()) info.source_type = "Plain";
  info.language = ConfigEntry(module, "Lang");
  return info;
}

Result<std::unique_ptr<sword::SWMgr>> OpenLibrary(const std::string& path) {
  // Mapping lookups log a warning for every chapter without special rules.
  sword::SWLog::getSystemLog()->setLogLevel(sword::SWLog::LOG_ERROR);
  if (path.empty()) return std::make_unique<sword::SWMgr>();
  std::error_code ec;
  if (!std::filesystem::is_directory(path, ec))
    return Status::Error(ErrorKind::kNotFound, "SWORD library folder not found: " + path);
  // Only the given folder: no modules from ~/.sword mixed in.
  return std::make_unique<sword::SWMgr>(path.c_str(), true, nullptr, false, false);
}

std::string Latin1ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out.push_back(c);
    } else {
      out.push_back(static_cast<char>(0xC0 | (b >> 6)));
      out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
    }
  }
  return out;
}

// KJV verse index for a verse of the KJV system, 0 when no KJV verse takes
// it. A verse number beyond the KJV chapter joins the chapter's last verse:
// translations that split a KJV verse in two (3 John 14/15 in NRSV
// numbering) keep all their words that way.
int PlaceInKjv(const std::unordered_map<std::string_view, int>& books, std::string_view book,
               int chapter, int verse) {
  const auto it = books.find(book);
  if (it == books.end()) return 0;
  const auto& chapters = builder::KjvBooks()[it->second - 1].verses_per_chapter;
  if (chapter < 1 || chapter > static_cast<int>(chapters.size())) return 0;
  verse = std::max(1, std::min(verse, chapters[chapter - 1]));
  return builder::KjvVerseIndex(it->second, chapter, verse);
}

}  // namespace

Result<std::vector<SwordModuleInfo>> ListSwordModules(const std::string& library_path) {
  auto library = OpenLibrary(library_path);
  if (!library) return library.status();
  std::vector<SwordModuleInfo> modules;
  for (const auto& [name, module] : (*library)->getModules())
    if (module) modules.push_back(Describe(*module));
  return modules;
}

Result<SwordImport> ImportSwordModule(const SwordImportOptions& options) {
  auto library = OpenLibrary(options.library_path);
  if (!library) return library.status();
  sword::SWModule* module = (*library)->getModule(options.module.c_str());
  if (!module)
    return Status::Error(ErrorKind::kNotFound, "no SWORD module named \"" + options.module +
                                                   "\" (see \"lumora-import list\")");
  SwordImport result;
  result.info = Describe(*module);
  if (result.info.type != "Biblical Texts")
    return Status::Error(ErrorKind::kInvalidArgument,
                         options.module + " is not a Bible (type \"" + result.info.type + "\")");
  const char* cipher = module->getConfigEntry("CipherKey");
  if (cipher && !*cipher)
    return Status::Error(ErrorKind::kInvalidArgument, options.module + " is locked (no cipher key)");
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

  std::unordered_map<std::string_view, int> kjv_books;
  const auto& books = builder::KjvBooks();
  for (size_t b = 0; b < books.size(); ++b) kjv_books.emplace(books[b].osis_name, static_cast<int>(b + 1));

  result.verses.assign(kVerseCount, std::nullopt);
  result.paragraphs.assign(kVerseCount, 0);
  std::vector<bool> placed(kVerseCount, false);
  const bool unicode = module->isUnicode();
  bool paragraph_pending = false;  // a mark in an intro or after the last words of a verse

  // Every entry in the module's own order, intros included: book and
  // chapter intros hold the paragraph marks of the verses that open them.
  key->setIntros(true);
  for (key->setPosition(sword::SW_POSITION(POS_TOP)); !key->popError(); key->increment()) {
    if (key->getTestament() == 0 || key->getBook() == 0) continue;  // module and testament intros
    module->setKey(*key);
    const char* raw = module->getRawEntry();
    const std::string_view entry = raw ? std::string_view(raw) : std::string_view();
    const OsisVerse verse =
        unicode ? ConvertOsisVerse(entry, options.osis) : ConvertOsisVerse(Latin1ToUtf8(entry), options.osis);
    if (key->getVerse() == 0) {
      paragraph_pending = paragraph_pending || verse.paragraph || verse.paragraph_after;
      continue;
    }

    // The versification mapping of libsword moves the verse into the KJV
    // system; a verse that becomes a range goes to its first verse.
    const char* book = key->getOSISBookName();
    int chapter = key->getChapter();
    int number = key->getVerse();
    int number_end = number;
    source_system->translateVerse(kjv_system, &book, &chapter, &number, &number_end);
    const int index = book ? PlaceInKjv(kjv_books, book, chapter, number) : 0;
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
