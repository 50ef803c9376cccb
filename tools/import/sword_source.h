// Reads a SWORD Bible module through libsword and lays its verses out in the
// King James versification that every Lumora Bible uses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/status.h"
#include "tools/import/osis_converter.h"

namespace lumora::import {

struct SwordModuleInfo {
  std::string name;           // "engKJV2006eb"
  std::string description;    // UTF-8, as in the module's .conf
  std::string type;           // "Biblical Texts", "Commentaries", ...
  std::string versification;  // "KJV" when the .conf names none
  std::string source_type;    // "OSIS", "ThML", "GBF", ...
  std::string language;
};

// The modules of a SWORD library: the system one (SWORD_PATH, ~/.sword,
// /usr/share/sword) when `library_path` is empty, else only that folder.
Result<std::vector<SwordModuleInfo>> ListSwordModules(const std::string& library_path = {});

struct SwordImportOptions {
  std::string module;        // module name, e.g. "engKJV2006eb"
  std::string library_path;  // see ListSwordModules
  OsisOptions osis;
};

struct SwordImport {
  SwordModuleInfo info;
  // 31102 entries in KJV verse-index order (entry i - 1 is index i);
  // Windows-1252 verse texts, nullopt where the module has no text.
  std::vector<std::optional<std::string>> verses;
  // 31102 bytes, 1 where a paragraph starts.
  std::vector<uint8_t> paragraphs;
  bool has_strongs = false;
  bool has_brackets = false;
  bool has_footnotes = false;
  size_t verses_with_text = 0;
  size_t strongs_tokens = 0;
  size_t footnotes = 0;         // cross-reference notes included
  size_t cross_references = 0;  // cross-reference notes kept as notes
  size_t verse_links = 0;       // verse links in those notes
  size_t headings = 0;          // headings and speaker labels kept in the text
  size_t paragraph_starts = 0;
  // Module verses appended to a KJV verse that already had text (several
  // verses of the module's versification map onto one KJV verse).
  size_t joined_verses = 0;
  // Module verses with text that no KJV verse takes (books outside the
  // 66, chapters beyond the KJV ones).
  size_t unplaced_verses = 0;
  std::vector<std::string> warnings;
};

Result<SwordImport> ImportSwordModule(const SwordImportOptions& options);

}  // namespace lumora::import
