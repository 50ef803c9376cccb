// One Bible, Book or Commentary as the full reference search and the topic
// guide hold it: a non-owning reference into the module catalogue, which
// outlives every search result.
#pragma once

#include <string>

#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"

namespace lumora {

enum class ModuleKind { kBible, kBook, kCommentary };

struct ModuleRef {
  ModuleKind kind = ModuleKind::kBible;
  const TLMBibleModule* bible = nullptr;
  const TLMDictionaryModule* book = nullptr;
  const TLMCommentaryModule* commentary = nullptr;

  static ModuleRef Of(const TLMBibleModule& m) { return {ModuleKind::kBible, &m, nullptr, nullptr}; }
  static ModuleRef Of(const TLMDictionaryModule& m) { return {ModuleKind::kBook, nullptr, &m, nullptr}; }
  static ModuleRef Of(const TLMCommentaryModule& m) {
    return {ModuleKind::kCommentary, nullptr, nullptr, &m};
  }

  std::string Title() const;
  std::string Abbreviation() const;
  // Items of the full search: a Bible's verses, a Book's entries, a
  // Commentary's 31102 slots.
  int ItemCount() const;
  bool operator==(const ModuleRef&) const = default;
};

}  // namespace lumora
