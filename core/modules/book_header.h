// The on-disk header of a Book module (".lmk"), 111 bytes. Reader, writers
// and the builder all go through this definition.
#pragma once

#include <cstdint>
#include <string>

namespace lumora {

inline constexpr size_t kBookHeaderSize = 111;
inline constexpr const char* kBookMagic = "LMDICT";
// Verse-link version of a current index; 10 or less is stale.
inline constexpr uint16_t kVerseLinkVersion = 11;
inline constexpr uint16_t kLastStaleVerseLinkVersion = 10;
// Table offset written after an entry write until the index is rebuilt.
inline constexpr uint32_t kVerseLinkTablePending = 65535;
inline constexpr const char* kUserModuleCode = "USER";

struct BookHeader {
  std::string title;         // field of 51 bytes
  std::string abbreviation;  // 11
  uint32_t entry_count = 0;
  uint32_t title_block = 0;
  uint32_t entry_table = 0;
  int32_t postings = 0;  // -1 or 0: none
  uint32_t link_table = 0;
  std::string module_code;  // 8
  bool links_valid = false;  // byte 90
  uint16_t link_version = 0;
  std::string magic;  // 7: length 6 and "LMDICT"

  static BookHeader DecodeFrom(const uint8_t* bytes);
  // The 111 bytes; bytes without a meaning are zero.
  std::string Encode() const;
};

}  // namespace lumora
