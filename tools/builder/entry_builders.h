// Writes Book and Commentary modules and the Strong's data file in bulk, for
// the importer and the tests. (User modules change one entry at a time
// through the module classes' own writers.)
#pragma once

#include <string>
#include <vector>

#include "core/modules/strongs_data.h"
#include "core/status.h"

namespace lumora::builder {

// A Book. Entries are written in the order given: an entry's number is its
// position, and the program expects titles in ascending order under
// cp1252::CompareNoCase (SortBookEntries does that). Texts are Windows-1252
// entry markup; an empty text makes an entry without text.
struct BookSource {
  std::string title;         // at most 50 characters are stored
  std::string abbreviation;  // at most 10
  std::string module_code;   // at most 7: "StrHeb", "StrGrk", "NVCX", ...
  struct Entry {
    std::string title;
    std::string text;
  };
  std::vector<Entry> entries;
};

// Stable sort by title with the program's one case-insensitive order.
void SortBookEntries(BookSource& source);

// A Commentary: slots[v - 1] is the comment on verse index v (empty: none);
// at most 31102 slots. Title-block lines use the KJV long book titles.
struct CommentarySource {
  std::string title;
  std::string abbreviation;
  std::string module_code;
  std::vector<std::string> slots;
};

struct EntryBuildStats {
  size_t file_size = 0;
  size_t entries_with_text = 0;
  size_t verse_links = 0;  // postings in the verse-link index
};

Result<std::string> BuildBookModule(const BookSource& source, EntryBuildStats* stats = nullptr);
Status WriteBookModule(const BookSource& source, const std::string& path,
                       EntryBuildStats* stats = nullptr);
Result<std::string> BuildCommentaryModule(const CommentarySource& source,
                                          EntryBuildStats* stats = nullptr);
Status WriteCommentaryModule(const CommentarySource& source, const std::string& path,
                             EntryBuildStats* stats = nullptr);
// "stgdat.lm4": hebrew[n - 1] and greek[n - 1] are the words of number n.
Status WriteStrongsData(const std::vector<StrongsWord>& hebrew,
                        const std::vector<StrongsWord>& greek, const std::string& path);

}  // namespace lumora::builder
