#include "core/import/note_set.h"

#include <algorithm>
#include <cstdio>

#include "core/codec/base205.h"
#include "core/codec/compression.h"
#include "core/io/byte_io.h"
#include "core/modules/book_header.h"
#include "core/modules/commentary_header.h"
#include "core/modules/commentary_module.h"
#include "core/modules/entry_file.h"
#include "core/modules/verse_links.h"
#include "core/refs/verse_index.h"
#include "core/text/cp1252.h"

namespace lumora {
namespace {

constexpr size_t kNoteSetIndexSize = 4 * size_t{kVerseCount};

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

Status NoteImportError(ErrorKind kind, std::string message) {
  return Status::Error(kind, std::move(message));
}

Status Aborted() { return NoteImportError(ErrorKind::kIo, kNoteImportAbortedMessage); }

std::string CountOf(int n, int total) { return std::to_string(n) + " / " + std::to_string(total); }

// The name in `folder` equal to `wanted` without regard to case, or empty.
std::string FindNoCase(FileSystem& fs, const std::string& folder, const std::string& wanted,
                       std::string_view extension) {
  Result<std::vector<std::string>> names = fs.ListFiles(folder, extension);
  if (!names.ok()) return {};
  for (const std::string& name : *names)
    if (cp1252::EqualNoCase(name, wanted)) return name;
  return {};
}

void AppendEscaped(std::string& out, char c) {
  switch (c) {
    case '&':
      out += "&amp;";
      break;
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    default:
      out += c;
  }
}

}  // namespace

bool IsNoteImportAbort(const Status& status) {
  return !status.ok() && status.message() == kNoteImportAbortedMessage;
}

int NoteSet::NoteCount() const {
  return static_cast<int>(
      std::count_if(notes.begin(), notes.end(), [](const std::string& n) { return !n.empty(); }));
}

Result<NoteSetFiles> OpenNoteSet(const std::string& chosen_file, FileSystem& fs) {
  NoteSetFiles files;
  files.folder = ParentFolder(chosen_file);
  if (files.folder.empty()) files.folder = ".";
  const std::string name = BaseName(chosen_file);
  files.base_name = name.substr(0, std::min(name.rfind('.'), name.size()));
  const std::string index = FindNoCase(fs, files.folder, files.base_name + kNoteSetIndexExtension,
                                       kNoteSetIndexExtension);
  const std::string data =
      FindNoCase(fs, files.folder, files.base_name + kNoteSetDataExtension, kNoteSetDataExtension);
  if (index.empty() || data.empty())
    return NoteImportError(ErrorKind::kNotFound, kNoteSetMissingFilesMessage);
  files.index_path = JoinPath(files.folder, index);
  files.data_path = JoinPath(files.folder, data);
  Result<std::string> bytes = fs.ReadFile(files.index_path);
  if (!bytes.ok()) return bytes.status();
  if (bytes->size() != kNoteSetIndexSize)
    return NoteImportError(ErrorKind::kInvalidArgument, kNoteSetIndexSizeMessage);
  return files;
}

std::string_view TrimNote(std::string_view note) {
  while (!note.empty() && IsBlankOrControl(note.front())) note.remove_prefix(1);
  while (!note.empty() && IsBlankOrControl(note.back())) note.remove_suffix(1);
  return note;
}

std::vector<std::string_view> SplitNoteLines(std::string_view note) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < note.size(); ++i) {
    if (note[i] != '\r' && note[i] != '\n') continue;
    lines.push_back(note.substr(start, i - start));
    if (note[i] == '\r' && i + 1 < note.size() && note[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.push_back(note.substr(start));
  return lines;
}

Result<NoteSet> ParseNoteSet(std::string_view index, std::string_view data,
                             NoteImportProgress* progress) {
  NoteImportProgress silent;
  NoteImportProgress& p = progress != nullptr ? *progress : silent;
  if (index.size() != kNoteSetIndexSize)
    return NoteImportError(ErrorKind::kInvalidArgument, kNoteSetIndexSizeMessage);
  p.Pass(kPassLoadingIndex);
  p.Bar(1, kVerseCount);
  std::vector<size_t> offsets(kVerseCount + 1);
  offsets[kVerseCount] = data.size();
  int64_t previous = 0;
  for (size_t v = 0; v < kVerseCount; ++v) {
    const int32_t offset = LoadI32(reinterpret_cast<const uint8_t*>(index.data()) + 4 * v);
    if (offset < previous || static_cast<uint64_t>(offset) > data.size())
      return NoteImportError(ErrorKind::kInvalidArgument, kNoteSetDataCorruptMessage);
    offsets[v] = static_cast<size_t>(offset);
    previous = offset;
  }

  p.Pass(kPassLoadingEntries);
  NoteSet set;
  set.notes.resize(kVerseCount);
  for (int v = 1; v <= kVerseCount; ++v) {
    const size_t from = offsets[static_cast<size_t>(v - 1)];
    const std::string_view note =
        TrimNote(data.substr(from, offsets[static_cast<size_t>(v)] - from));
    if (note.empty()) continue;
    p.Counter(CountOf(v, kVerseCount));
    p.Bar(v, kVerseCount);
    if (p.AbortRequested()) return Aborted();
    set.notes[static_cast<size_t>(v - 1)] = std::string(note);
  }
  return set;
}

Result<NoteSet> ReadNoteSet(const NoteSetFiles& files, FileSystem& fs,
                            NoteImportProgress* progress) {
  Result<std::string> index = fs.ReadFile(files.index_path);
  if (!index.ok()) return index.status();
  Result<std::string> data = fs.ReadFile(files.data_path);
  if (!data.ok()) return data.status();
  return ParseNoteSet(*index, *data, progress);
}

NoteConverter::NoteConverter(const TLMBibleModule& kjv) : keys_(kjv), parser_(kjv) {}

size_t NoteConverter::ReferenceLimit(std::string_view text) const {
  const size_t limit = std::min(text.find('#'), text.size());
  bool book_seen = false;
  size_t i = 0;
  while (i < limit) {
    const bool word_start = IsAsciiLetter(text[i]) &&
                            (i == 0 || (!IsAsciiLetter(text[i - 1]) && !IsAsciiDigit(text[i - 1])));
    if (!word_start) {
      ++i;
      continue;
    }
    // A long title typed with its blanks is one name ("song of solomon").
    std::string rest = cp1252::LowerAscii(text.substr(i, limit - i));
    rest += ' ';
    size_t length = 0;
    if (keys_.FindTitleAt(rest, length) == 0) {
      length = 0;
      while (i + length < limit && text[i + length] != ' ') ++length;
    }
    size_t after = i + length;
    while (after < limit && text[after] == ' ') ++after;
    // Past the first name, a word no chapter number follows is running text
    // ("#John 3:16 is true": "is" would be read as Isaiah).
    if (book_seen && !(after < limit && IsAsciiDigit(text[after]))) return i;
    book_seen = true;
    i += std::max<size_t>(length, 1);
  }
  return limit;
}

size_t NoteConverter::MatchReference(std::string_view text, TVerseRangeList& ranges) const {
  const std::string_view candidate = text.substr(0, ReferenceLimit(text));
  ParsedReferences parsed = parser_.Parse(candidate);
  if (parsed.stop < 2 || parsed.ranges.empty()) return 0;
  // The stop counts in the parser's prepared text; the line has the
  // skipped leading characters in front of it.
  size_t end = std::min(static_cast<size_t>(parsed.stop) + static_cast<size_t>(parsed.skipped),
                        candidate.size());
  // The separator that ended the scan is the note's own text.
  while (end > 0 && !IsAsciiLetter(candidate[end - 1]) && !IsAsciiDigit(candidate[end - 1])) --end;
  if (end == 0) return 0;
  ranges = std::move(parsed.ranges);
  return end;
}

std::string NoteConverter::ConvertLine(std::string_view raw) const {
  std::string line(raw);
  for (char& c : line)
    if (IsBlankOrControl(c)) c = ' ';
  if (line.find_first_not_of(' ') == std::string::npos) return "<p>";
  std::string out = line.front() == ' ' ? "<p>" : "";
  size_t i = 0;
  while (i < line.size()) {
    if (line[i] == '#' && i + 1 < line.size()) {
      TVerseRangeList ranges;
      const size_t length = MatchReference(std::string_view(line).substr(i + 1), ranges);
      const std::string encoded = length > 0 ? EncodeVerseRanges(ranges) : std::string();
      if (!encoded.empty()) {
        out += kVerseListStart;
        out += encoded;
        out += kVerseListEnd;
        i += 1 + length;
        continue;
      }
    }
    AppendEscaped(out, line[i]);
    ++i;
  }
  return out;
}

std::string NoteConverter::ConvertNote(std::string_view note) const {
  std::string out;
  for (std::string_view line : SplitNoteLines(note)) {
    out += ConvertLine(line);
    out += "\r\n";
  }
  return out;
}

Result<std::vector<ImportedEntry>> ConvertNoteSet(const NoteSet& notes,
                                                  const NoteConverter& converter,
                                                  NoteImportProgress* progress) {
  NoteImportProgress silent;
  NoteImportProgress& p = progress != nullptr ? *progress : silent;
  p.Pass(kPassFormatting);
  const int count = notes.NoteCount();
  p.Bar(1, count + 1);
  std::vector<ImportedEntry> entries;
  entries.reserve(static_cast<size_t>(count));
  for (size_t v = 0; v < notes.notes.size() && v < size_t{kVerseCount}; ++v) {
    if (notes.notes[v].empty()) continue;
    const int ordinal = static_cast<int>(entries.size()) + 1;
    p.Counter(CountOf(ordinal, count));
    p.Bar(ordinal, count + 1);
    if (p.AbortRequested()) return Aborted();
    entries.push_back({static_cast<int>(v) + 1, converter.ConvertNote(notes.notes[v])});
  }
  return entries;
}

Result<std::string> WriteImportedCommentary(const std::vector<ImportedEntry>& entries,
                                            const std::string& title,
                                            const std::string& abbreviation,
                                            const std::string& user_folder,
                                            const TLMBibleModule& kjv, FileSystem& fs,
                                            NoteImportProgress* progress) {
  NoteImportProgress silent;
  NoteImportProgress& p = progress != nullptr ? *progress : silent;
  if (abbreviation.empty())
    return NoteImportError(ErrorKind::kInvalidArgument, "Unable to import: no abbreviation.");
  p.Pass(kPassWritingEntries);
  p.Bar(1, kVerseCount);
  if (!fs.FolderExists(user_folder) && !CreateFolders(fs, user_folder).ok())
    return NoteImportError(ErrorKind::kIo, kNoteImportUserFolderMessage);
  const std::string file_name = abbreviation + kCommentaryFilePattern;
  const std::string path = JoinPath(user_folder, file_name);
  // The catalogue matches file names without regard to case.
  if (fs.FileExists(path) ||
      !FindNoCase(fs, user_folder, file_name, kCommentaryFilePattern).empty())
    return NoteImportError(ErrorKind::kIo, kNoteImportFileExistsMessage);

  CommentaryHeader header;
  header.title = title.substr(0, 50);
  header.abbreviation = abbreviation.substr(0, 10);
  header.slot_count = kVerseCount;
  header.slot_table = kCommentaryHeaderSize;
  header.title_block = kCommentaryHeaderSize + 4 * kVerseCount;
  header.module_code = kUserModuleCode;
  header.postings = 0;
  header.link_table = 0;
  header.link_version = 0;  // stale: indexed at the next start
  header.magic = kCommentaryMagic;
  const std::string temp = JoinPath(user_folder, abbreviation + ".tmp");
  std::string placeholder = header.Encode();
  placeholder.append(kNoteSetIndexSize, '\0');
  if (Status s = fs.WriteFile(temp, placeholder); !s.ok()) return s;

  const VerseReferenceFn reference_of = ReferencesFrom(kjv);
  EntryFileParts parts;
  parts.header_size = kCommentaryHeaderSize;
  parts.records.resize(kVerseCount);
  for (const ImportedEntry& entry : entries) {
    if (!IsVerseIndex(entry.verse) || entry.text.empty()) continue;
    p.Counter(CountOf(entry.verse, kVerseCount));
    p.Bar(entry.verse, kVerseCount);
    if (p.AbortRequested()) return Aborted();
    Result<std::string> packed = CompressString(entry.text);
    if (!packed.ok()) return packed.status();
    if (packed->size() > kMaxEntryRecordSize) {
      (void)fs.Remove(temp);
      return NoteImportError(ErrorKind::kTooLarge, "Unable to import: the note on " +
                                                       reference_of(entry.verse) +
                                                       " is too large for a module entry.");
    }
    parts.records[static_cast<size_t>(entry.verse - 1)] = std::move(packed).value();
  }
  for (int slot = 0; slot < kVerseCount; ++slot)
    if (parts.records[static_cast<size_t>(slot)])
      parts.title_lines.push_back(reference_of(slot + 1));

  p.Pass(kPassWritingData);
  p.Bar(1, kVerseCount);
  EntryFileLayout layout;
  Result<std::string> file = AssembleEntryFile(parts, &layout);
  if (!file.ok()) return file.status();
  header.slot_table = layout.table;
  header.title_block = layout.title_block;
  file->replace(0, kCommentaryHeaderSize, header.Encode());
  if (Status s = fs.WriteFile(temp, *file); !s.ok()) return s;
  if (Status s = fs.RenameNoReplace(temp, path); !s.ok()) return s;
  return path;
}

Result<std::string> ImportNoteSet(const NoteSetFiles& files, const std::string& title,
                                  const std::string& abbreviation, const std::string& user_folder,
                                  const TLMBibleModule& kjv, FileSystem& fs,
                                  NoteImportProgress* progress) {
  Result<NoteSet> notes = ReadNoteSet(files, fs, progress);
  if (!notes.ok()) return notes.status();
  const NoteConverter converter(kjv);
  Result<std::vector<ImportedEntry>> entries = ConvertNoteSet(*notes, converter, progress);
  if (!entries.ok()) return entries.status();
  notes->notes.clear();
  return WriteImportedCommentary(*entries, title, abbreviation, user_folder, kjv, fs, progress);
}

ProposedImportNames ProposeImportNames(std::string_view base_name,
                                       const NameList<void>& names_in_use) {
  while (!base_name.empty() && base_name.front() == ' ') base_name.remove_prefix(1);
  while (!base_name.empty() && base_name.back() == ' ') base_name.remove_suffix(1);
  ProposedImportNames names;
  if (base_name.empty()) return names;
  names.title = std::string(base_name);
  names.abbreviation = std::string(1, base_name.front());
  for (size_t i = 1; i < base_name.size() && names.abbreviation.size() < 7; ++i)
    if (base_name[i - 1] == ' ' && base_name[i] != ' ') names.abbreviation += base_name[i];
  if (names_in_use.Contains(names.title)) names.title.clear();
  if (names_in_use.Contains(names.abbreviation)) names.abbreviation.clear();
  return names;
}

}  // namespace lumora
