// TLMDictionaryModule: a Book (dictionary, topical index, lexicon) of titled
// entries in one ".lmk" file. Entries are read on demand from the mapping;
// the verse-link index says which entries name each verse.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/modules/book_header.h"
#include "core/modules/module_file.h"
#include "core/modules/verse_links.h"
#include "core/platform/file_system.h"
#include "core/status.h"

namespace lumora {

inline constexpr const char* kBookFilePattern = ".lmk";

class TLMDictionaryModule {
 public:
  // Opens the module. A Book is writable only when its file lies directly in
  // `user_folder` (the program's "User" folder; empty: none) and the file
  // may be written. Errors (kind kCreate): "File mapping failed on " + path,
  // "File header invalid: ...", "EntryTitle count mismatch.".
  static Result<std::unique_ptr<TLMDictionaryModule>> Create(
      const std::string& path, FileSystem& fs = DefaultFileSystem(),
      const std::string& user_folder = {});

  // Writes a new, empty user Book folder/abbreviation.lmk (111 bytes),
  // making the folder if needed. Never replaces an existing file.
  static Status CreateUserBookFile(const std::string& title, const std::string& abbreviation,
                                   const std::string& folder,
                                   FileSystem& fs = DefaultFileSystem());

  const std::string& FileName() const { return file_.path(); }
  const BookHeader& Header() const { return header_; }
  const std::string& GetTitle() const { return header_.title; }
  const std::string& GetAbbreviation() const { return header_.abbreviation; }
  const std::string& GetModuleCode() const { return header_.module_code; }

  int EntryCount() const { return static_cast<int>(titles_.size()); }
  const std::vector<std::string>& EntryTitles() const { return titles_; }
  // Entry number of `title` (without regard to case), or -1.
  int FindTitle(std::string_view title) const;
  // Empty for a number outside 0..count-1 or an entry without text; a
  // damaged record gives a "[Non-fatal internal error: " text.
  std::string GetEntryText(int entry) const;

  // Entries whose verse lists name verse index verse0 + 1.
  TEntryIndex GetVerseEntries(int verse0) const;
  bool HasVerseEntries(int verse0) const;
  // The file's index is older than the program's (or missing).
  bool NeedsVerseLinkRebuild() const;

  bool IsReadOnly() const { return read_only_; }
  bool IsTooLarge() const { return too_large_; }
  bool included_in_linking = true;
  bool tab_visible = true;

  // Writers. Each returns kReadOnly for a read-only Book. The file is
  // rewritten whole (the previous version kept as ".bak") with a current
  // verse-link index; on failure the module keeps serving the old file.
  // Adds an entry without text at its sorted place; an existing title (any
  // case) adds nothing.
  Status AddEntry(std::string_view title);
  // Replaces an entry's text; a compressed text over 65500 bytes sets the
  // too-large flag and returns kTooLarge. Empty text leaves the title only.
  Status WriteEntry(std::string_view text, int entry);
  Status DeleteEntry(int entry);
  // Rebuilds the verse-link index in place (only past the entry data; the
  // file date is kept). A Book that cannot be written keeps the index in
  // memory instead. Nothing happens for a Book without entries.
  Status RebuildVerseLinks();

 private:
  TLMDictionaryModule(FileSystem& fs, const std::string& path) : file_(fs, path) {}
  Status Load();  // header and titles from the current mapping
  Result<std::vector<std::optional<std::string>>> Records() const;
  Status Rewrite(std::vector<std::optional<std::string>> records, std::vector<std::string> titles);

  ModuleFile file_;
  std::string user_folder_;
  BookHeader header_;
  std::vector<std::string> titles_;
  bool read_only_ = true;
  bool too_large_ = false;
  VerseLinkSource links_;
};

// The complete file of a Book with these entries (compressed texts in entry
// order, nullopt for an entry without text) and titles, with a current
// verse-link index. Used by the writers and by the module builder.
Result<std::string> BuildBookFile(BookHeader header,
                                  std::vector<std::optional<std::string>> records,
                                  const std::vector<std::string>& titles);

// Builds the verse-link index of entry texts in entry order.
VerseLinkIndex BuildVerseLinks(const std::vector<std::optional<std::string>>& records);

}  // namespace lumora
