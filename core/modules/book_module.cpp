#include "core/modules/book_module.h"

#include <algorithm>

#include "core/codec/compression.h"
#include "core/io/byte_io.h"
#include "core/modules/entry_file.h"
#include "core/text/cp1252.h"

namespace lumora {

VerseLinkIndex BuildVerseLinks(const std::vector<std::optional<std::string>>& records) {
  VerseLinkIndex links;
  const size_t n = std::min<size_t>(records.size(), 0x10000);  // entry numbers are 16 bits
  for (size_t i = 0; i < n; ++i) {
    if (!records[i] || records[i]->empty()) continue;
    Result<std::string> text = DecompressBytes(records[i]->data(), records[i]->size());
    if (text.ok()) links.AddEntry(static_cast<uint16_t>(i), *text);
  }
  return links;
}

Result<std::unique_ptr<TLMDictionaryModule>> TLMDictionaryModule::Create(
    const std::string& path, FileSystem& fs, const std::string& user_folder) {
  std::unique_ptr<TLMDictionaryModule> book(new TLMDictionaryModule(fs, path));
  book->user_folder_ = user_folder;
  if (!book->file_.Map().ok()) return CreateError("File mapping failed on " + path);
  if (Status s = book->Load(); !s.ok()) return s;
  return book;
}

Status TLMDictionaryModule::Load() {
  const uint8_t* base = file_.data();
  const size_t size = file_.size();
  const std::string& path = file_.path();
  if (size < kBookHeaderSize)
    return CreateError("File header invalid: " + path + " (file shorter than its header)");
  header_ = BookHeader::DecodeFrom(base);
  if (header_.magic != kBookMagic) return CreateError("File header invalid: " + header_.magic);
  const uint32_t count = header_.entry_count;
  if (count > 0 && !FitsIn(header_.entry_table, 4 * uint64_t{count}, size))
    return CreateError("File header invalid: " + path + " (entry table outside the file)");
  titles_.clear();
  if (count > 0) {
    Result<std::vector<std::string>> titles = ReadTitleBlock(base, size, header_.title_block);
    if (!titles.ok())
      return CreateError("File header invalid: " + path + " (" + titles.status().message() + ")");
    if (titles->size() != count) return CreateError("EntryTitle count mismatch.");
    titles_ = std::move(titles).value();
  }
  links_.UseStored(base, size, header_.link_table, header_.links_valid);
  read_only_ = !IsWritableUserFile(file_.fs(), path, user_folder_);
  return Status::Ok();
}

int TLMDictionaryModule::FindTitle(std::string_view title) const {
  // Entries are sorted by title; fall back to a scan for files that are not.
  auto it = std::lower_bound(titles_.begin(), titles_.end(), title,
                             [](const std::string& a, std::string_view b) {
                               return cp1252::CompareNoCase(a, b) < 0;
                             });
  if (it != titles_.end() && cp1252::EqualNoCase(*it, title))
    return static_cast<int>(it - titles_.begin());
  for (size_t i = 0; i < titles_.size(); ++i)
    if (cp1252::EqualNoCase(titles_[i], title)) return static_cast<int>(i);
  return -1;
}

std::string TLMDictionaryModule::GetEntryText(int entry) const {
  if (entry < 0 || entry >= EntryCount()) return {};
  const int32_t offset = LoadI32(file_.data() + header_.entry_table + 4u * entry);
  if (offset == -1) return {};
  return EntryTextAt(file_.data(), file_.size(), offset, entry);
}

TEntryIndex TLMDictionaryModule::GetVerseEntries(int verse0) const {
  return links_.Entries(verse0);
}

bool TLMDictionaryModule::HasVerseEntries(int verse0) const { return links_.Has(verse0); }

bool TLMDictionaryModule::NeedsVerseLinkRebuild() const {
  return !links_.InMemory() && (header_.link_version <= kLastStaleVerseLinkVersion ||
                                (EntryCount() > 0 && !links_.StoredValid()));
}

Result<std::vector<std::optional<std::string>>> TLMDictionaryModule::Records() const {
  std::vector<std::optional<std::string>> records(titles_.size());
  for (size_t i = 0; i < titles_.size(); ++i) {
    const int32_t offset = LoadI32(file_.data() + header_.entry_table + 4 * i);
    if (offset == -1) continue;
    const std::optional<std::string_view> record =
        EntryRecordAt(file_.data(), file_.size(), offset);
    if (!record)  // refuse rather than silently drop the entry
      return Status::Error(ErrorKind::kIo, "entry " + std::to_string(i) + " lies outside the file");
    records[i] = std::string(*record);
  }
  return records;
}

Result<std::string> BuildBookFile(BookHeader header,
                                  std::vector<std::optional<std::string>> records,
                                  const std::vector<std::string>& titles) {
  if (records.size() != titles.size())
    return Status::Error(ErrorKind::kInvalidArgument, "one title per entry");
  const VerseLinkIndex links = BuildVerseLinks(records);
  EntryFileParts parts;
  parts.header_size = kBookHeaderSize;
  parts.records = std::move(records);
  parts.title_lines = titles;
  parts.links = &links;
  EntryFileLayout layout;
  Result<std::string> file = AssembleEntryFile(parts, &layout);
  if (!file.ok()) return file.status();
  header.entry_count = static_cast<uint32_t>(titles.size());
  header.entry_table = layout.table;
  header.title_block = layout.title_block;
  header.postings = static_cast<int32_t>(layout.postings);
  header.link_table = layout.link_table;
  header.links_valid = true;
  header.link_version = kVerseLinkVersion;
  header.magic = kBookMagic;
  file->replace(0, kBookHeaderSize, header.Encode());
  return file;
}

Status TLMDictionaryModule::Rewrite(std::vector<std::optional<std::string>> records,
                                    std::vector<std::string> titles) {
  Result<std::string> file = BuildBookFile(header_, std::move(records), titles);
  if (!file.ok()) return file.status();
  const Status replaced = file_.Replace(*file);
  const Status loaded = Load();
  return replaced.ok() ? loaded : replaced;
}

Status TLMDictionaryModule::AddEntry(std::string_view title) {
  if (read_only_) return Status::Error(ErrorKind::kReadOnly, "read-only Book: " + FileName());
  std::string clean(title);
  for (char& c : clean)
    if (static_cast<unsigned char>(c) < 32) c = ' ';  // one line per title in the block
  if (FindTitle(clean) >= 0) return Status::Ok();
  if (titles_.size() >= 0xFFFF)
    return Status::Error(ErrorKind::kTooLarge, "a Book holds at most 65535 entries");
  Result<std::vector<std::optional<std::string>>> records = Records();
  if (!records.ok()) return records.status();
  const auto at = static_cast<size_t>(
      std::upper_bound(titles_.begin(), titles_.end(), clean,
                       [](const std::string& a, const std::string& b) {
                         return cp1252::CompareNoCase(a, b) < 0;
                       }) -
      titles_.begin());
  std::vector<std::string> titles = titles_;
  titles.insert(titles.begin() + static_cast<std::ptrdiff_t>(at), clean);
  records->insert(records->begin() + static_cast<std::ptrdiff_t>(at), std::nullopt);
  return Rewrite(std::move(records).value(), std::move(titles));
}

Status TLMDictionaryModule::DeleteEntry(int entry) {
  if (read_only_) return Status::Error(ErrorKind::kReadOnly, "read-only Book: " + FileName());
  if (entry < 0 || entry >= EntryCount())
    return Status::Error(ErrorKind::kInvalidArgument, "no entry " + std::to_string(entry));
  Result<std::vector<std::optional<std::string>>> records = Records();
  if (!records.ok()) return records.status();
  std::vector<std::string> titles = titles_;
  titles.erase(titles.begin() + entry);
  records->erase(records->begin() + entry);
  return Rewrite(std::move(records).value(), std::move(titles));
}

Status TLMDictionaryModule::WriteEntry(std::string_view text, int entry) {
  too_large_ = false;
  if (read_only_) return Status::Error(ErrorKind::kReadOnly, "read-only Book: " + FileName());
  if (entry < 0 || entry >= EntryCount())
    return Status::Error(ErrorKind::kInvalidArgument, "no entry " + std::to_string(entry));
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
  Result<std::vector<std::optional<std::string>>> records = Records();
  if (!records.ok()) return records.status();
  (*records)[static_cast<size_t>(entry)] = std::move(record);
  return Rewrite(std::move(records).value(), titles_);
}

Status TLMDictionaryModule::RebuildVerseLinks() {
  if (titles_.empty()) return Status::Ok();
  // Damaged records contribute no links; the rest still count.
  std::vector<std::optional<std::string>> records(titles_.size());
  for (size_t i = 0; i < titles_.size(); ++i) {
    const int32_t offset = LoadI32(file_.data() + header_.entry_table + 4 * i);
    if (auto r = EntryRecordAt(file_.data(), file_.size(), offset)) records[i] = std::string(*r);
  }
  VerseLinkIndex links = BuildVerseLinks(records);
  if (read_only_) {
    links_.UseMemory(std::move(links));
    return Status::Ok();
  }
  const uint64_t at = EndOfEntryData(file_.data(), file_.size(), header_.entry_table,
                                     header_.entry_count, header_.title_block);
  BookHeader h = header_;
  h.postings = static_cast<int32_t>(at);
  h.links_valid = true;
  h.link_version = kVerseLinkVersion;
  const std::string tail = links.Serialize(at, &h.link_table);
  const Status patched = file_.PatchInPlace(at, tail, h.Encode());
  const Status loaded = Load();
  if (!patched.ok() || !loaded.ok()) {
    // The file keeps its old index; serve the fresh one from memory.
    links_.UseMemory(std::move(links));
    return patched.ok() ? loaded : patched;
  }
  return Status::Ok();
}

Status TLMDictionaryModule::CreateUserBookFile(const std::string& title,
                                               const std::string& abbreviation,
                                               const std::string& folder, FileSystem& fs) {
  if (Status s = CreateFolders(fs, folder); !s.ok()) return s;
  BookHeader h;
  h.title = title;
  h.abbreviation = abbreviation;
  h.module_code = kUserModuleCode;
  h.magic = kBookMagic;
  const std::string temp = JoinPath(folder, abbreviation + ".tmp");
  const std::string path = JoinPath(folder, abbreviation + kBookFilePattern);
  if (fs.FileExists(path)) return Status::Error(ErrorKind::kIo, "Cannot create " + path + ": File exists");
  if (Status s = fs.WriteFile(temp, h.Encode()); !s.ok()) return s;
  if (Status s = fs.RenameNoReplace(temp, path); !s.ok()) {
    (void)fs.Remove(temp);
    return s;
  }
  return Status::Ok();
}

}  // namespace lumora
