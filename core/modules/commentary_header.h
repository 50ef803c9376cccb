// The on-disk header of a Commentary module (".lmc"), 105 bytes.
#pragma once

#include <cstdint>
#include <string>

namespace lumora {

inline constexpr size_t kCommentaryHeaderSize = 105;
inline constexpr const char* kCommentaryMagic = "LMCOMMENT";
// Size of a new, empty user Commentary: header, slot table, empty title block.
inline constexpr size_t kEmptyCommentarySize = 124517;

struct CommentaryHeader {
  std::string title;         // field of 51 bytes
  std::string abbreviation;  // 11
  uint32_t slot_count = 0;
  uint32_t title_block = 0;
  uint32_t slot_table = 0;
  std::string module_code;  // 8
  int32_t postings = 0;  // -1 or 0: no valid index
  uint32_t link_table = 0;
  uint16_t link_version = 0;
  std::string magic;  // 10: length 9 and "LMCOMMENT"

  static CommentaryHeader DecodeFrom(const uint8_t* bytes);
  std::string Encode() const;
};

}  // namespace lumora
