// Note sets of the previous major version: a ".nmi" index of 31102 offsets
// and a ".nmd" file of plain-text notes, one per verse. The import turns one
// note set into a new user Commentary, the old "#reference" notation inside
// the notes becoming verse lists. The new file is left for the catalogue to
// load (and index) at the next start; nothing running changes.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/catalogue/name_list.h"
#include "core/modules/bible_module.h"
#include "core/platform/file_system.h"
#include "core/refs/reference_parser.h"
#include "core/status.h"

namespace lumora {

inline constexpr const char* kNoteSetIndexExtension = ".nmi";
inline constexpr const char* kNoteSetDataExtension = ".nmd";

inline constexpr const char* kNoteSetMissingFilesMessage =
    "Unable to import: Missing note set files.";
inline constexpr const char* kNoteSetIndexSizeMessage =
    "Unable to import: NMI file size incorrect.";
inline constexpr const char* kNoteSetDataCorruptMessage = "Unable to import: NMD file is corrupt.";
inline constexpr const char* kNoteImportUserFolderMessage = "Unable to create User folder.";
inline constexpr const char* kNoteImportFileExistsMessage =
    "File already exists. Please try a different abbreviation.";
// The status of an import the user stopped; shown to nobody.
inline constexpr const char* kNoteImportAbortedMessage = "Import aborted.";

inline constexpr const char* kPassLoadingIndex = "Loading Note Set index...";
inline constexpr const char* kPassLoadingEntries = "Loading Note Set entries...";
inline constexpr const char* kPassFormatting = "Formatting and parsing...";
inline constexpr const char* kPassWritingEntries = "Writing converted module entries...";
inline constexpr const char* kPassWritingData = "Writing module data...";

// What the import shows while it runs, and how it learns it should stop.
// Every call has a do-nothing default.
class NoteImportProgress {
 public:
  virtual ~NoteImportProgress() = default;
  // A new pass: its text, the counter cleared.
  virtual void Pass(const std::string& text) { (void)text; }
  // The counter text ("%d / 31102", "%d / %d").
  virtual void Counter(const std::string& text) { (void)text; }
  // The bar at `position` of 1..`maximum`.
  virtual void Bar(int position, int maximum) { (void)position, (void)maximum; }
  // Asked after each counted step; true stops the import.
  virtual bool AbortRequested() { return false; }
};

bool IsNoteImportAbort(const Status& status);

// The two files of one note set, found beside the file the user chose.
struct NoteSetFiles {
  std::string folder;
  std::string base_name;  // the chosen name without its extension
  std::string index_path;
  std::string data_path;
};

// Finds base + ".nmi" and base + ".nmd" (extensions in any case) in the
// chosen file's folder and checks the index size: kNoteSetMissingFilesMessage,
// kNoteSetIndexSizeMessage, or the file system's error for an unreadable file.
Result<NoteSetFiles> OpenNoteSet(const std::string& chosen_file, FileSystem& fs);

// The notes by verse: notes[v - 1] is the note of verse index v, trimmed of
// blanks and control characters at both ends (empty: no note).
struct NoteSet {
  std::vector<std::string> notes;
  int NoteCount() const;
};

// Reads both files. Each note runs from its own offset to the next offset
// (the last to the end of the data); offsets that are negative, decreasing
// or past the end of the data give kNoteSetDataCorruptMessage.
Result<NoteSet> ReadNoteSet(const NoteSetFiles& files, FileSystem& fs,
                            NoteImportProgress* progress = nullptr);
// The same over the file contents.
Result<NoteSet> ParseNoteSet(std::string_view index, std::string_view data,
                             NoteImportProgress* progress = nullptr);

// Blanks and control characters off both ends.
std::string_view TrimNote(std::string_view note);

// Lines split at CR LF, CR or LF.
std::vector<std::string_view> SplitNoteLines(std::string_view note);

// One old note to entry markup. A "#" followed by a reference the parser
// takes becomes a verse list (0x05, the encoded ranges, 0x08); any other "#"
// stays. A line led by blanks or control characters starts a paragraph
// ("<p>"), a blank line is one; "&", "<" and ">" are escaped; control bytes
// inside a line become blanks. Each line is followed by CR LF.
class NoteConverter {
 public:
  explicit NoteConverter(const TLMBibleModule& kjv);

  std::string ConvertNote(std::string_view note) const;
  std::string ConvertLine(std::string_view line) const;

 private:
  // Length of the reference that starts `text` (the text after a "#") and
  // its ranges; 0 when there is none.
  size_t MatchReference(std::string_view text, TVerseRangeList& ranges) const;
  // Where a reference starting `text` must end at the latest: before the
  // next "#", or before a word after the first book name that no chapter
  // number follows.
  size_t ReferenceLimit(std::string_view text) const;

  BookKeys keys_;
  ReferenceParser parser_;
};

// The converted entry of one verse.
struct ImportedEntry {
  int verse = 0;  // verse index
  std::string text;
};

// Converts every note in verse order ("Formatting and parsing...").
Result<std::vector<ImportedEntry>> ConvertNoteSet(const NoteSet& notes,
                                                  const NoteConverter& converter,
                                                  NoteImportProgress* progress = nullptr);

// Writes user_folder/abbreviation.lmc through abbreviation.tmp: a user
// Commentary whose verse-link version is 0, so the catalogue indexes it at
// its next start. Title lines use the KJV long titles. Messages:
// kNoteImportUserFolderMessage, kNoteImportFileExistsMessage, a note too large
// for an entry record (naming its verse), kNoteImportAbortedMessage (the
// ".tmp" stays). Returns the path written.
Result<std::string> WriteImportedCommentary(const std::vector<ImportedEntry>& entries,
                                            const std::string& title,
                                            const std::string& abbreviation,
                                            const std::string& user_folder,
                                            const TLMBibleModule& kjv, FileSystem& fs,
                                            NoteImportProgress* progress = nullptr);

// Reads, converts and writes one note set: the whole import after the
// naming dialog. Returns the path of the new Commentary.
Result<std::string> ImportNoteSet(const NoteSetFiles& files, const std::string& title,
                                  const std::string& abbreviation, const std::string& user_folder,
                                  const TLMBibleModule& kjv, FileSystem& fs,
                                  NoteImportProgress* progress = nullptr);

// Names the naming dialog proposes: the base name (blanks trimmed) as the
// title, and its first character with every character that follows a blank,
// at most 7, as the abbreviation; either is empty when already in use.
struct ProposedImportNames {
  std::string title;
  std::string abbreviation;
};
ProposedImportNames ProposeImportNames(std::string_view base_name,
                                       const NameList<void>& names_in_use);

}  // namespace lumora
