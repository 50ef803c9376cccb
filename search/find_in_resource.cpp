#include "search/find_in_resource.h"

#include <algorithm>

#include "core/refs/verse_index.h"
#include "core/text/cp1252.h"
#include "core/text/fast_strings.h"
#include "render/export_procs.h"

namespace lumora {
namespace {

// One skip table per pass; each entry's plain text is scanned once.
class EntryScanner {
 public:
  EntryScanner(std::string_view text, bool case_sensitive)
      : text_(text), case_sensitive_(case_sensitive) {
    ok_ =
        (case_sensitive ? BuildSkipTable(text_, table_) : BuildSkipTableNoCase(text_, table_)).ok();
  }
  bool FoundIn(const std::string& plain) const {
    if (!ok_) return false;
    const auto length = static_cast<int64_t>(plain.size());
    return (case_sensitive_ ? SkipScan(plain.data(), text_, length, table_)
                            : SkipScanNoCase(plain.data(), text_, length, table_)) != nullptr;
  }

 private:
  std::string_view text_;
  bool case_sensitive_;
  bool ok_ = false;
  SkipTable table_{};
};

bool Continue(const FindProgress& progress, int number, int count) {
  return !progress || progress(std::to_string(number) + "/" + std::to_string(count));
}

}  // namespace

std::string FindDialogCaption(std::string_view resource_title) {
  return "Find in " + std::string(resource_title);
}

std::optional<std::string> PrepareFindText(std::string_view typed, bool case_sensitive) {
  const bool blank = std::all_of(typed.begin(), typed.end(),
                                 [](char c) { return static_cast<unsigned char>(c) <= ' '; });
  if (blank) return std::nullopt;
  return case_sensitive ? std::string(typed) : cp1252::LowerAscii(typed);
}

int FindStartItem(FindStart start, int current) {
  return start == FindStart::kFirst ? 0 : std::max(current, -1) + 1;
}

FindNotFound AfterFailedPass(FindStart start, int current) {
  return start == FindStart::kFirst || current <= 0 ? FindNotFound::kMessage
                                                    : FindNotFound::kAskFromBeginning;
}

FindHit FindInBook(const TLMDictionaryModule& book, const TLMBibleModule& kjv,
                   std::string_view text, bool case_sensitive, int first_item,
                   const FindProgress& progress) {
  FindHit hit;
  const EntryScanner scanner(text, case_sensitive);
  const int count = book.EntryCount();
  for (int item = std::max(first_item, 0); item < count; ++item) {
    if (!Continue(progress, item + 1, count)) {
      hit.stopped = true;
      return hit;
    }
    const std::string entry = book.GetEntryText(item);
    if (entry.empty()) continue;
    if (scanner.FoundIn(ExportEntryText(entry, book, kjv, true, true, true))) {
      hit.item = item;
      return hit;
    }
  }
  return hit;
}

FindHit FindInCommentary(const TLMCommentaryModule& commentary, const TLMBibleModule& kjv,
                         std::string_view text, bool case_sensitive, int first_slot,
                         const FindProgress& progress) {
  FindHit hit;
  const EntryScanner scanner(text, case_sensitive);
  for (int slot = std::max(first_slot, 0); slot < kVerseCount; ++slot) {
    if (!commentary.HasEntry(slot)) continue;
    if (!Continue(progress, slot + 1, kVerseCount)) {
      hit.stopped = true;
      return hit;
    }
    const std::string plain =
        ExportEntryText(commentary.GetEntryText(slot), commentary, kjv, true, true, true);
    if (scanner.FoundIn(plain)) {
      hit.item = slot;
      return hit;
    }
  }
  return hit;
}

}  // namespace lumora
