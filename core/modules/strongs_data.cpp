#include "core/modules/strongs_data.h"

#include <cstring>

#include "core/io/byte_io.h"
#include "core/modules/bible_header.h"

namespace lumora {
namespace {

Status Error(const std::string& text) { return Status::Error(ErrorKind::kStrongsCreate, text); }

// The system's own words from a file-system error: the reason of "Cannot
// open X: reason", the statement of "Not a mappable file: X".
std::string SystemText(const Status& s, const std::string& path) {
  const std::string& m = s.message();
  const std::string tail = ": " + path;
  if (m.size() > tail.size() && m.ends_with(tail)) return m.substr(0, m.size() - tail.size());
  const size_t colon = m.rfind(": ");
  return colon == std::string::npos ? m : m.substr(colon + 2);
}

}  // namespace

Result<std::unique_ptr<TLMStrongsDataModule>> TLMStrongsDataModule::Create(const std::string& path,
                                                                           FileSystem& fs) {
  std::unique_ptr<TLMStrongsDataModule> data(new TLMStrongsDataModule());
  data->path_ = path;
  // Others may read the file while it is open, as it is never written.
  MapStep failed = MapStep::kOpen;
  Result<std::shared_ptr<const MappedFile>> mapped = fs.MapShared(path, &failed);
  if (!mapped.ok()) {
    const char* what = failed == MapStep::kOpen            ? " File open failed on "
                       : failed == MapStep::kCreateMapping ? " Create map failed on "
                                                           : " File mapping failed on ";
    return Error(what + path + "\n" + SystemText(mapped.status(), path));
  }
  data->mapping_ = std::move(mapped).value();
  if (data->mapping_->size() < kStrongsHeaderSize)
    return Error("File header invalid: " + path + " (file shorter than its header)");
  const std::string magic = LoadShortString(data->mapping_->data() + kStrongsMagicOffset, 9);
  if (magic != kStrongsMagic) return Error("File header invalid: " + magic);
  return data;
}

std::string TLMStrongsDataModule::GetStrongsString(StrongsLanguage language, int number,
                                                   StrongsField field) const {
  return GetStrongsString(language, number, static_cast<int>(field));
}

std::string TLMStrongsDataModule::GetStrongsString(StrongsLanguage language, int number,
                                                   int field) const {
  const bool hebrew = language == StrongsLanguage::kHebrew;
  const int count = hebrew ? kHebrewStrongsCount : kGreekStrongsCount;
  if (number < 1 || number > count || field < 1 || field > 3) return {};
  const size_t table = hebrew ? 0 : kStrongsGreekTableOffset;
  const uint8_t* base = mapping_->data();
  const size_t size = mapping_->size();
  const uint32_t offset =
      LoadU32(base + table + (number - 1) * kStrongsRecordSize + 4 * (field - 1));
  if (offset >= size) return {};
  const void* end = std::memchr(base + offset, 0, size - offset);
  const size_t length = end ? static_cast<const uint8_t*>(end) - (base + offset) : size - offset;
  return std::string(reinterpret_cast<const char*>(base + offset), length);
}

std::string BuildStrongsDataFile(const std::vector<StrongsWord>& hebrew,
                                 const std::vector<StrongsWord>& greek) {
  std::string file(kStrongsHeaderSize, '\0');
  StoreShortString(file, kStrongsMagicOffset, 9, kStrongsMagic);
  auto write = [&](size_t table, const std::vector<StrongsWord>& words, int count) {
    for (int n = 0; n < count; ++n) {
      const StrongsWord empty;
      const StrongsWord& w = static_cast<size_t>(n) < words.size() ? words[n] : empty;
      const std::string* fields[] = {&w.word, &w.transliteration, &w.pronunciation};
      for (int f = 0; f < 3; ++f) {
        StoreU32(file, table + n * kStrongsRecordSize + 4 * f, static_cast<uint32_t>(file.size()));
        // A zero byte inside a string would end it early: none are written.
        for (char c : *fields[f])
          if (c != '\0') file += c;
        file += '\0';
      }
    }
  };
  write(0, hebrew, kHebrewStrongsCount);
  write(kStrongsGreekTableOffset, greek, kGreekStrongsCount);
  return file;
}

}  // namespace lumora
