#include "fuzz/support/fuzz_input.h"

#include <algorithm>

namespace lumora::fuzz {

uint8_t FuzzInput::Byte() {
  if (empty()) return 0;
  return static_cast<uint8_t>(text_[at_++]);
}

uint16_t FuzzInput::U16() {
  const uint16_t low = Byte();
  return static_cast<uint16_t>(low | (Byte() << 8));
}

uint32_t FuzzInput::U32() {
  const uint32_t low = U16();
  return low | (static_cast<uint32_t>(U16()) << 16);
}

std::string_view FuzzInput::Bytes(size_t n) {
  const std::string_view out = text_.substr(std::min(at_, text_.size()), n);
  at_ += out.size();
  return out;
}

std::string_view FuzzInput::Rest() { return Bytes(remaining()); }

std::string_view FuzzInput::Piece(char separator) {
  if (empty()) return {};
  const size_t end = text_.find(separator, at_);
  if (end == std::string_view::npos) return Rest();
  const std::string_view out = text_.substr(at_, end - at_);
  at_ = end + 1;
  return out;
}

std::vector<std::string_view> SplitPieces(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  FuzzInput input(text);
  while (!input.empty()) pieces.push_back(input.Piece(separator));
  return pieces;
}

}  // namespace lumora::fuzz
