// Reading a fuzz input as a sequence of fields. Every read succeeds: past the
// end, numbers read as zero and byte runs come back short or empty, so any
// input is a valid one and the mutator's small changes stay small.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::fuzz {

// Separates the texts of one input (verse texts, entry text, titles): 0xFF
// is a letter of the code page, so no markup needs it.
inline constexpr char kPieceSeparator = '\xFF';

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size)
      : text_(reinterpret_cast<const char*>(data), size) {}
  explicit FuzzInput(std::string_view text) : text_(text) {}

  bool empty() const { return at_ >= text_.size(); }
  size_t remaining() const { return empty() ? 0 : text_.size() - at_; }

  uint8_t Byte();
  bool Bool() { return (Byte() & 1) != 0; }
  uint16_t U16();  // little-endian
  uint32_t U32();  // little-endian
  // Up to `n` bytes.
  std::string_view Bytes(size_t n);
  // Everything not read yet.
  std::string_view Rest();
  // The bytes up to the next `separator` (which is consumed), or the rest.
  std::string_view Piece(char separator);

 private:
  std::string_view text_;
  size_t at_ = 0;
};

// Splits `text` at every `separator`; an empty text gives no pieces.
std::vector<std::string_view> SplitPieces(std::string_view text, char separator);

}  // namespace lumora::fuzz
