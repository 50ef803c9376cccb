#include "search/module_ref.h"

#include "core/refs/verse_index.h"

namespace lumora {

std::string ModuleRef::Title() const {
  switch (kind) {
    case ModuleKind::kBible: return bible->GetTitle();
    case ModuleKind::kBook: return book->GetTitle();
    case ModuleKind::kCommentary: return commentary->GetTitle();
  }
  return {};
}

std::string ModuleRef::Abbreviation() const {
  switch (kind) {
    case ModuleKind::kBible: return bible->GetAbbreviation();
    case ModuleKind::kBook: return book->GetAbbreviation();
    case ModuleKind::kCommentary: return commentary->GetAbbreviation();
  }
  return {};
}

int ModuleRef::ItemCount() const {
  switch (kind) {
    case ModuleKind::kBible: return bible->VerseCount() > 0 ? bible->VerseCount() : 0;
    case ModuleKind::kBook: return book->EntryCount();
    case ModuleKind::kCommentary: return kVerseCount;
  }
  return 0;
}

}  // namespace lumora
