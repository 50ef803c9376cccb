// Little-endian reads and writes over byte buffers. Readers take the buffer
// size and never look past it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumora {

// True when [offset, offset + length) lies inside a buffer of `size` bytes,
// without overflow for any inputs.
inline bool FitsIn(uint64_t offset, uint64_t length, uint64_t size) {
  return offset <= size && length <= size - offset;
}

inline uint16_t LoadU16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t LoadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline int32_t LoadI32(const uint8_t* p) { return static_cast<int32_t>(LoadU32(p)); }

inline void StoreU16(std::string& out, size_t at, uint16_t v) {
  out[at] = static_cast<char>(v & 0xFF);
  out[at + 1] = static_cast<char>(v >> 8);
}
inline void StoreU32(std::string& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
inline void AppendU16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}
inline void AppendU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A length-prefixed 8-bit string in a fixed field of `field_size` bytes
// (length byte included). The length is clamped to the field.
inline std::string LoadShortString(const uint8_t* field, size_t field_size) {
  size_t len = field[0];
  if (len > field_size - 1) len = field_size - 1;
  return std::string(reinterpret_cast<const char*>(field + 1), len);
}
// Writes `text` cut to the field; the rest of the field is zero.
inline void StoreShortString(std::string& out, size_t at, size_t field_size,
                             std::string_view text) {
  const size_t len = text.size() < field_size - 1 ? text.size() : field_size - 1;
  out[at] = static_cast<char>(len);
  for (size_t i = 0; i < field_size - 1; ++i)
    out[at + 1 + i] = i < len ? text[i] : '\0';
}

}  // namespace lumora
