// A set of verses as a bit array: bit k stands for verse index k + 1, bit
// k mod 32 (least significant first) of word k / 32. Search results combine
// with a few hundred word operations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumora {

using TLongWordArray = std::vector<uint32_t>;

class TKeyLocation {
 public:
  // `size` bits; size / 32 + 2 words, all zero.
  explicit TKeyLocation(uint16_t size);

  uint16_t Size() const { return size_; }
  void Clear();
  // Bits at or beyond the size are ignored. Inline: a search sets one bit
  // per verse found, thousands per search.
  void SetBit(int bit, bool on) {
    if (bit < 0 || bit >= size_) return;
    const uint32_t mask = 1u << (bit % 32);
    if (on)
      words_[static_cast<size_t>(bit) / 32] |= mask;
    else
      words_[static_cast<size_t>(bit) / 32] &= ~mask;
  }
  bool Test(int bit) const;
  // Word-by-word AND / OR of `other` into this set over the smaller of the
  // two sizes. Bits of this set beyond `other` are cleared by AndWith (the
  // other set has none there) and kept by OrWith.
  void AndWith(const TKeyLocation& other);
  void OrWith(const TKeyLocation& other);
  // 32 x the first word holding a set bit, or -1 when none is set.
  int FirstGroup() const;
  int Count() const;

  // Direct access for filling a set from stored verse lists.
  TLongWordArray& Words() { return words_; }
  const TLongWordArray& Words() const { return words_; }

 private:
  // Words that hold bits below the size; a caller writing straight into
  // Words() can set bits beyond it, which every operation here ignores.
  size_t UsedWords() const { return (static_cast<size_t>(size_) + 31) / 32; }
  uint32_t UsedMask(size_t word) const;

  TLongWordArray words_;
  uint16_t size_;
};

}  // namespace lumora
