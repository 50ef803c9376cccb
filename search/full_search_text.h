// The text the full reference search scans for one item, and shows around a
// hit: a Bible verse without Strong's tokens but with its footnotes (and
// without "[" "]" when the Bible marks supplied words with them), or a Book
// or Commentary entry as plain text with paragraph breaks as blanks.
#pragma once

#include <string>
#include <string_view>

#include "core/modules/bible_module.h"
#include "search/module_ref.h"

namespace lumora {

struct FullSearchItem {
  std::string text;
  bool present = true;   // false: a Commentary slot without a comment
  bool damaged = false;  // the module gave a "[Non-fatal internal error: " text (in `text`)
};

// Item `item` of `module` (see TBigSearchNode); `kjv` resolves the verse
// lists of entries. An item outside the module reads as not present.
FullSearchItem FullSearchItemText(const ModuleRef& module, int item, const TLMBibleModule& kjv);

// The text the module readers give for a record they could not read.
bool IsDamagedRecordText(std::string_view text);

}  // namespace lumora
