// TLMCommentaryModule: at most one entry per verse, in one ".lmc" file of
// 31102 slots (slot = verse index - 1), with a verse-link index like Books.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/modules/commentary_header.h"
#include "core/modules/module_file.h"
#include "core/modules/verse_links.h"
#include "core/platform/file_system.h"
#include "core/status.h"

namespace lumora {

class TLMBibleModule;

inline constexpr const char* kCommentaryFilePattern = ".lmc";

// The title-block line of a verse: "%s %d:%d" (long book title, chapter,
// verse), given the verse index.
using VerseReferenceFn = std::function<std::string(int verse_index)>;
// Lines for a Bible's long titles.
VerseReferenceFn ReferencesFrom(const TLMBibleModule& bible);

class TLMCommentaryModule {
 public:
  // Opens the module; writable only in `user_folder` (see Books). Errors
  // (kind kCreate): "File mapping failed on " + path, "File header
  // invalid: ...".
  static Result<std::unique_ptr<TLMCommentaryModule>> Create(
      const std::string& path, FileSystem& fs = DefaultFileSystem(),
      const std::string& user_folder = {});

  // Writes a new, empty user Commentary folder/abbreviation.lmc (124517
  // bytes, index current), making the folder if needed. Never replaces an
  // existing file.
  static Status CreateUserCommentaryFile(const std::string& title,
                                         const std::string& abbreviation,
                                         const std::string& folder,
                                         FileSystem& fs = DefaultFileSystem());

  const std::string& FileName() const { return file_.path(); }
  const CommentaryHeader& Header() const { return header_; }
  const std::string& GetTitle() const { return header_.title; }
  const std::string& GetAbbreviation() const { return header_.abbreviation; }
  const std::string& GetModuleCode() const { return header_.module_code; }
  // The references of the slots with text, in slot order.
  const std::vector<std::string>& EntryTitles() const { return titles_; }

  bool HasEntry(int slot) const;
  // The slot's text, or "No " + abbreviation + " text on this verse." for an
  // empty slot or one outside 0..31101.
  std::string GetEntryText(int slot) const;

  TEntryIndex GetVerseEntries(int verse0) const;
  bool HasVerseEntries(int verse0) const;
  bool NeedsVerseLinkRebuild() const;

  bool IsReadOnly() const { return read_only_; }
  bool IsTooLarge() const { return too_large_; }
  bool included_in_linking = true;
  bool tab_visible = true;

  // Replaces one slot's text (empty text empties the slot); the title block
  // lines come from `reference_of`. kReadOnly, kTooLarge (flag set) or a
  // file error; on failure the module keeps serving the old file.
  Status WriteEntry(std::string_view text, int slot, const VerseReferenceFn& reference_of);
  Status WriteEntry(std::string_view text, int slot, const TLMBibleModule& bible);
  // As for Books: in place past the entry data, date kept; in memory when
  // the file cannot be written.
  Status RebuildVerseLinks();

 private:
  TLMCommentaryModule(FileSystem& fs, const std::string& path) : file_(fs, path) {}
  Status Load();
  int32_t SlotOffset(int slot) const;

  ModuleFile file_;
  std::string user_folder_;
  CommentaryHeader header_;
  std::vector<std::string> titles_;
  bool read_only_ = true;
  bool too_large_ = false;
  VerseLinkSource links_;
};

// The complete file of a Commentary with these slot records (compressed
// texts, 31102 entries) and a current verse-link index. Used by the writer
// and by the module builder.
Result<std::string> BuildCommentaryFile(CommentaryHeader header,
                                        std::vector<std::optional<std::string>> records,
                                        const VerseReferenceFn& reference_of);

}  // namespace lumora
