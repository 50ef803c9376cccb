#include "core/refs/paragraph_map.h"

#include "core/refs/verse_index.h"

namespace lumora {

ParagraphMap::ParagraphMap() : bytes_(kVerseCount, 0) {}

Result<ParagraphMap> ParagraphMap::Load(FileSystem& fs, const std::string& path) {
  Result<std::string> data = fs.ReadFile(path);
  if (!data.ok()) return data.status();
  if (data->size() < static_cast<size_t>(kVerseCount))
    return Status::Error(ErrorKind::kIo, "Paragraph map too short: " + path);
  ParagraphMap map;
  for (int i = 0; i < kVerseCount; ++i) map.bytes_[i] = static_cast<uint8_t>((*data)[i]);
  return map;
}

bool ParagraphMap::StartsParagraph(int verse_index) const {
  return IsVerseIndex(verse_index) && bytes_[verse_index - 1] != 0;
}

}  // namespace lumora
