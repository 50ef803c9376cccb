#include "core/refs/key_location.h"

#include <algorithm>
#include <bit>

namespace lumora {

TKeyLocation::TKeyLocation(uint16_t size) : words_(size / 32 + 2, 0), size_(size) {}

void TKeyLocation::Clear() { std::fill(words_.begin(), words_.end(), 0u); }

uint32_t TKeyLocation::UsedMask(size_t word) const {
  const size_t first_bit = word * 32;
  if (first_bit + 32 <= size_) return 0xFFFFFFFFu;
  if (first_bit >= size_) return 0;
  return (1u << (size_ - first_bit)) - 1;
}

bool TKeyLocation::Test(int bit) const {
  if (bit < 0 || bit >= size_) return false;
  return (words_[bit / 32] >> (bit % 32)) & 1u;
}

void TKeyLocation::AndWith(const TKeyLocation& other) {
  const size_t n = std::min(UsedWords(), other.UsedWords());
  for (size_t i = 0; i < n; ++i) words_[i] &= other.words_[i] & other.UsedMask(i);
  for (size_t i = n; i < words_.size(); ++i) words_[i] = 0;
}

void TKeyLocation::OrWith(const TKeyLocation& other) {
  const size_t n = std::min(UsedWords(), other.UsedWords());
  for (size_t i = 0; i < n; ++i) words_[i] |= other.words_[i] & other.UsedMask(i) & UsedMask(i);
}

int TKeyLocation::FirstGroup() const {
  const size_t n = UsedWords();
  for (size_t i = 0; i < n; ++i)
    if ((words_[i] & UsedMask(i)) != 0) return static_cast<int>(i * 32);
  return -1;
}

int TKeyLocation::Count() const {
  int count = 0;
  const size_t n = UsedWords();
  for (size_t i = 0; i < n; ++i) count += std::popcount(words_[i] & UsedMask(i));
  return count;
}

}  // namespace lumora
