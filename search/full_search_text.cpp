#include "search/full_search_text.h"

#include <algorithm>

#include "render/export_procs.h"

namespace lumora {

bool IsDamagedRecordText(std::string_view text) {
  return text.starts_with("[Non-fatal internal error: ");
}

namespace {

FullSearchItem Entry(std::string stored, auto convert) {
  FullSearchItem item;
  if (IsDamagedRecordText(stored)) {
    item.text = std::move(stored);
    item.damaged = true;
  } else if (!stored.empty()) {
    item.text = convert(stored);
  }
  return item;
}

}  // namespace

FullSearchItem FullSearchItemText(const ModuleRef& module, int item, const TLMBibleModule& kjv) {
  if (item < 0 || item >= module.ItemCount()) return {{}, false, false};
  switch (module.kind) {
    case ModuleKind::kBible: {
      FullSearchItem verse;
      verse.text = module.bible->GetVerseText(item + 1, false, true);
      if (IsDamagedRecordText(verse.text)) {
        verse.damaged = true;
      } else if (module.bible->HasBrackets()) {
        std::erase_if(verse.text, [](char c) { return c == '[' || c == ']'; });
      }
      return verse;
    }
    case ModuleKind::kBook:
      return Entry(module.book->GetEntryText(item), [&](const std::string& s) {
        return ExportEntryText(s, *module.book, kjv, false, true, true);
      });
    case ModuleKind::kCommentary:
      if (!module.commentary->HasEntry(item)) return {{}, false, false};
      return Entry(module.commentary->GetEntryText(item), [&](const std::string& s) {
        return ExportEntryText(s, *module.commentary, kjv, false, true, true);
      });
  }
  return {{}, false, false};
}

}  // namespace lumora
