#include "core/modules/commentary_module.h"

#include <cstdio>

#include "core/codec/compression.h"
#include "core/io/byte_io.h"
#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "core/modules/entry_file.h"
#include "core/refs/verse_index.h"

namespace lumora {

VerseReferenceFn ReferencesFrom(const TLMBibleModule& bible) {
  return [&bible](int verse_index) {
    const TVerseLocation at = bible.GetVerseLocation(verse_index);
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, " %d:%d", at.chapter, at.verse);
    return bible.GetLongBookTitle(at.book) + numbers;
  };
}

Result<std::string> BuildCommentaryFile(CommentaryHeader header,
                                        std::vector<std::optional<std::string>> records,
                                        const VerseReferenceFn& reference_of) {
  records.resize(kVerseCount);
  const VerseLinkIndex links = BuildVerseLinks(records);
  EntryFileParts parts;
  parts.header_size = kCommentaryHeaderSize;
  for (int slot = 0; slot < kVerseCount; ++slot)
    if (records[static_cast<size_t>(slot)]) parts.title_lines.push_back(reference_of(slot + 1));
  parts.records = std::move(records);
  parts.links = &links;
  EntryFileLayout layout;
  Result<std::string> file = AssembleEntryFile(parts, &layout);
  if (!file.ok()) return file.status();
  header.slot_count = kVerseCount;
  header.slot_table = layout.table;
  header.title_block = layout.title_block;
  header.postings = static_cast<int32_t>(layout.postings);
  header.link_table = layout.link_table;
  header.link_version = kVerseLinkVersion;
  header.magic = kCommentaryMagic;
  file->replace(0, kCommentaryHeaderSize, header.Encode());
  return file;
}

Result<std::unique_ptr<TLMCommentaryModule>> TLMCommentaryModule::Create(
    const std::string& path, FileSystem& fs, const std::string& user_folder) {
  std::unique_ptr<TLMCommentaryModule> c(new TLMCommentaryModule(fs, path));
  c->user_folder_ = user_folder;
  if (!c->file_.Map().ok()) return CreateError("File mapping failed on " + path);
  if (Status s = c->Load(); !s.ok()) return s;
  return c;
}

Status TLMCommentaryModule::Load() {
  const uint8_t* base = file_.data();
  const size_t size = file_.size();
  const std::string& path = file_.path();
  if (size < kCommentaryHeaderSize)
    return CreateError("File header invalid: " + path + " (file shorter than its header)");
  header_ = CommentaryHeader::DecodeFrom(base);
  if (header_.magic != kCommentaryMagic) return CreateError("File header invalid: " + header_.magic);
  if (header_.slot_count != kVerseCount)
    return CreateError("File header invalid: " + path + " (slot count " +
                       std::to_string(header_.slot_count) + ")");
  if (!FitsIn(header_.slot_table, 4 * uint64_t{kVerseCount}, size))
    return CreateError("File header invalid: " + path + " (slot table outside the file)");
  Result<std::vector<std::string>> titles = ReadTitleBlock(base, size, header_.title_block);
  // The title block is informational: a damaged one costs the titles only.
  titles_ = titles.ok() ? std::move(titles).value() : std::vector<std::string>{};
  links_.UseStored(base, size, header_.link_table, header_.postings != -1 && header_.postings != 0);
  read_only_ = !IsWritableUserFile(file_.fs(), path, user_folder_);
  return Status::Ok();
}

int32_t TLMCommentaryModule::SlotOffset(int slot) const {
  if (slot < 0 || slot >= kVerseCount) return -1;
  return LoadI32(file_.data() + header_.slot_table + 4u * static_cast<uint32_t>(slot));
}

bool TLMCommentaryModule::HasEntry(int slot) const { return SlotOffset(slot) >= 0; }

std::string TLMCommentaryModule::GetEntryText(int slot) const {
  const int32_t offset = SlotOffset(slot);
  if (offset < 0) return ("No " + GetAbbreviation() + " text on this verse.").substr(0, 33);
  return EntryTextAt(file_.data(), file_.size(), offset, slot);
}

TEntryIndex TLMCommentaryModule::GetVerseEntries(int verse0) const {
  return links_.Entries(verse0);
}

bool TLMCommentaryModule::HasVerseEntries(int verse0) const { return links_.Has(verse0); }

bool TLMCommentaryModule::NeedsVerseLinkRebuild() const {
  return !links_.InMemory() && (header_.link_version <= kLastStaleVerseLinkVersion ||
                                (!titles_.empty() && !links_.StoredValid()));
}

Status TLMCommentaryModule::WriteEntry(std::string_view text, int slot,
                                       const TLMBibleModule& bible) {
  return WriteEntry(text, slot, ReferencesFrom(bible));
}

Status TLMCommentaryModule::WriteEntry(std::string_view text, int slot,
                                       const VerseReferenceFn& reference_of) {
  too_large_ = false;
  if (read_only_)
    return Status::Error(ErrorKind::kReadOnly, "read-only Commentary: " + FileName());
  if (slot < 0 || slot >= kVerseCount)
    return Status::Error(ErrorKind::kInvalidArgument, "no slot " + std::to_string(slot));
  std::optional<std::string> record;
  if (!text.empty()) {
    Result<std::string> packed = CompressString(text);
    if (!packed.ok()) return packed.status();
    if (packed->size() > kMaxEntryRecordSize) {
      too_large_ = true;
      return Status::Error(ErrorKind::kTooLarge, "entry too large");
    }
    record = std::move(packed).value();
  }
  std::vector<std::optional<std::string>> records(kVerseCount);
  for (int s = 0; s < kVerseCount; ++s) {
    const int32_t offset = SlotOffset(s);
    if (offset < 0) continue;
    const std::optional<std::string_view> bytes = EntryRecordAt(file_.data(), file_.size(), offset);
    if (!bytes)  // refuse rather than silently drop the entry
      return Status::Error(ErrorKind::kIo, "slot " + std::to_string(s) + " lies outside the file");
    records[static_cast<size_t>(s)] = std::string(*bytes);
  }
  records[static_cast<size_t>(slot)] = std::move(record);
  Result<std::string> file = BuildCommentaryFile(header_, std::move(records), reference_of);
  if (!file.ok()) return file.status();
  const Status replaced = file_.Replace(*file);
  const Status loaded = Load();
  return replaced.ok() ? loaded : replaced;
}

Status TLMCommentaryModule::RebuildVerseLinks() {
  std::vector<std::optional<std::string>> records(kVerseCount);
  for (int s = 0; s < kVerseCount; ++s)
    if (auto r = EntryRecordAt(file_.data(), file_.size(), SlotOffset(s)))
      records[static_cast<size_t>(s)] = std::string(*r);
  VerseLinkIndex links = BuildVerseLinks(records);
  if (read_only_) {
    links_.UseMemory(std::move(links));
    return Status::Ok();
  }
  const uint64_t at = EndOfEntryData(file_.data(), file_.size(), header_.slot_table, kVerseCount,
                                     header_.title_block);
  CommentaryHeader h = header_;
  h.postings = static_cast<int32_t>(at);
  h.link_version = kVerseLinkVersion;
  const std::string tail = links.Serialize(at, &h.link_table);
  const Status patched = file_.PatchInPlace(at, tail, h.Encode());
  const Status loaded = Load();
  if (!patched.ok() || !loaded.ok()) {
    links_.UseMemory(std::move(links));
    return patched.ok() ? loaded : patched;
  }
  return Status::Ok();
}

Status TLMCommentaryModule::CreateUserCommentaryFile(const std::string& title,
                                                     const std::string& abbreviation,
                                                     const std::string& folder, FileSystem& fs) {
  if (Status s = CreateFolders(fs, folder); !s.ok()) return s;
  const std::string temp = JoinPath(folder, abbreviation + ".tmp");
  const std::string path = JoinPath(folder, abbreviation + kCommentaryFilePattern);
  if (fs.FileExists(path))
    return Status::Error(ErrorKind::kIo, "Cannot create " + path + ": File exists");
  CommentaryHeader h;
  h.title = title;
  h.abbreviation = abbreviation;
  h.slot_count = kVerseCount;
  h.slot_table = kCommentaryHeaderSize;
  h.title_block = kCommentaryHeaderSize + 4 * kVerseCount;
  h.module_code = kUserModuleCode;
  h.link_version = kVerseLinkVersion;
  h.magic = kCommentaryMagic;
  std::string file = h.Encode();
  file.append(4 * size_t{kVerseCount}, '\xFF');  // every slot -1
  AppendU32(file, 0);                             // empty title block
  if (Status s = fs.WriteFile(temp, file); !s.ok()) return s;
  if (Status s = fs.RenameNoReplace(temp, path); !s.ok()) {
    (void)fs.Remove(temp);
    return s;
  }
  return Status::Ok();
}

}  // namespace lumora
