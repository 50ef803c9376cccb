#include "tools/builder/entry_builders.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "core/codec/compression.h"
#include "core/modules/book_header.h"
#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"
#include "core/modules/entry_file.h"
#include "core/modules/verse_links.h"
#include "core/platform/file_system.h"
#include "core/refs/verse_index.h"
#include "core/text/cp1252.h"
#include "tools/builder/kjv_versification.h"

namespace lumora::builder {
namespace {

Result<std::optional<std::string>> Pack(const std::string& text, const std::string& what) {
  if (text.empty()) return std::optional<std::string>();
  Result<std::string> packed = CompressString(text);
  if (!packed.ok()) return packed.status();
  if (packed->size() > kMaxEntryRecordSize)
    return Status::Error(ErrorKind::kTooLarge, what + " is too large for an entry");
  return std::optional<std::string>(std::move(packed).value());
}

Status WriteAtomically(const Result<std::string>& file, const std::string& path) {
  if (!file.ok()) return file.status();
  FileSystem& fs = DefaultFileSystem();
  if (Status s = fs.WriteFile(path + ".tmp", *file); !s.ok()) return s;
  return fs.Rename(path + ".tmp", path);
}

std::string KjvReference(int verse_index) {
  const VerseLocation& at = KjvVerseTable()[static_cast<size_t>(verse_index - 1)];
  char numbers[32];
  std::snprintf(numbers, sizeof numbers, " %d:%d", at.chapter, at.verse);
  return KjvBooks()[at.book - 1].long_title + numbers;
}

}  // namespace

void SortBookEntries(BookSource& source) {
  std::stable_sort(source.entries.begin(), source.entries.end(),
                   [](const BookSource::Entry& a, const BookSource::Entry& b) {
                     return cp1252::CompareNoCase(a.title, b.title) < 0;
                   });
}

Result<std::string> BuildBookModule(const BookSource& source, EntryBuildStats* stats) {
  if (source.entries.size() > 0xFFFF)
    return Status::Error(ErrorKind::kTooLarge, "a Book holds at most 65535 entries");
  std::vector<std::optional<std::string>> records;
  std::vector<std::string> titles;
  records.reserve(source.entries.size());
  size_t with_text = 0;
  for (const BookSource::Entry& e : source.entries) {
    std::string title = e.title;
    for (char& c : title)
      if (static_cast<unsigned char>(c) < 32) c = ' ';
    Result<std::optional<std::string>> record = Pack(e.text, "entry \"" + title + "\"");
    if (!record.ok()) return record.status();
    with_text += record->has_value();
    records.push_back(std::move(record).value());
    titles.push_back(std::move(title));
  }
  BookHeader h;
  h.title = source.title;
  h.abbreviation = source.abbreviation;
  h.module_code = source.module_code;
  if (stats != nullptr) {
    const VerseLinkIndex links = BuildVerseLinks(records);
    stats->verse_links = links.PostingCount();
    stats->entries_with_text = with_text;
  }
  Result<std::string> file = BuildBookFile(h, std::move(records), titles);
  if (file.ok() && stats != nullptr) stats->file_size = file->size();
  return file;
}

Status WriteBookModule(const BookSource& source, const std::string& path,
                       EntryBuildStats* stats) {
  return WriteAtomically(BuildBookModule(source, stats), path);
}

Result<std::string> BuildCommentaryModule(const CommentarySource& source,
                                          EntryBuildStats* stats) {
  if (source.slots.size() > static_cast<size_t>(kVerseCount))
    return Status::Error(ErrorKind::kInvalidArgument, "more slots than verses");
  std::vector<std::optional<std::string>> records(kVerseCount);
  size_t with_text = 0;
  for (size_t s = 0; s < source.slots.size(); ++s) {
    Result<std::optional<std::string>> record =
        Pack(source.slots[s], "the comment on " + KjvReference(static_cast<int>(s + 1)));
    if (!record.ok()) return record.status();
    with_text += record->has_value();
    records[s] = std::move(record).value();
  }
  CommentaryHeader h;
  h.title = source.title;
  h.abbreviation = source.abbreviation;
  h.module_code = source.module_code;
  if (stats != nullptr) {
    stats->verse_links = BuildVerseLinks(records).PostingCount();
    stats->entries_with_text = with_text;
  }
  Result<std::string> file = BuildCommentaryFile(h, std::move(records), KjvReference);
  if (file.ok() && stats != nullptr) stats->file_size = file->size();
  return file;
}

Status WriteCommentaryModule(const CommentarySource& source, const std::string& path,
                             EntryBuildStats* stats) {
  return WriteAtomically(BuildCommentaryModule(source, stats), path);
}

Status WriteStrongsData(const std::vector<StrongsWord>& hebrew,
                        const std::vector<StrongsWord>& greek, const std::string& path) {
  return WriteAtomically(Result<std::string>(BuildStrongsDataFile(hebrew, greek)), path);
}

}  // namespace lumora::builder
