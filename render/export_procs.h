// Export formatting: verses, Book entries and Commentary comments as the
// text (HTML or plain) the clipboard and the copy commands hand out.
#pragma once

#include <string>
#include <string_view>

#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"

namespace lumora {

// An entry's stored text converted for export (links resolved, markup turned
// into HTML or plain text).
std::string ExportEntryText(std::string_view text, const TLMDictionaryModule& book,
                            const TLMBibleModule& bible, bool paragraph_breaks,
                            bool reference_lists, bool plain);
std::string ExportEntryText(std::string_view text, const TLMCommentaryModule& commentary,
                            const TLMBibleModule& bible, bool paragraph_breaks,
                            bool reference_lists, bool plain);

}  // namespace lumora
