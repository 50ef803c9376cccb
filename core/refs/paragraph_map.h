// "pmap.dat": one byte per verse index, non-zero where a paragraph begins.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/platform/file_system.h"
#include "core/status.h"

namespace lumora {

inline constexpr const char* kParagraphMapFileName = "pmap.dat";

class ParagraphMap {
 public:
  // All zero: no paragraph starts known.
  ParagraphMap();
  // Reads the map; a file shorter than 31102 bytes is refused, extra bytes
  // are ignored.
  static Result<ParagraphMap> Load(FileSystem& fs, const std::string& path);

  // True when a paragraph begins at the verse; false outside 1..31102.
  bool StartsParagraph(int verse_index) const;
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace lumora
