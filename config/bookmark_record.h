// The bookmark record, stored as the 95-byte value "Bookmark " + digit:
//
//   0  4  Kind: -1 not in use, 0 Bible passage, 1 Commentary entry, 2 Book entry
//   4  1  abbreviation length, 0..15
//   5 15  abbreviation (bytes after the length have no meaning)
//  20  4  Position: kind 0 a verse index, kind 1 a Commentary slot
//         (verse index - 1), kind 2 and unused -1
//  24  1  text length, 0..70
//  25 70  display text (a reference, or a Book entry's title)
//
// Integers are signed 32-bit little-endian; there is no padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumora::config {

inline constexpr size_t kBookmarkRecordSize = 95;
inline constexpr size_t kBookmarkAbbrevMax = 15;
inline constexpr size_t kBookmarkTextMax = 70;
inline constexpr int kBookmarkCount = 10;

enum BookmarkKind : int32_t {
  kBookmarkUnused = -1,
  kBookmarkBible = 0,
  kBookmarkCommentary = 1,
  kBookmarkBook = 2,
};

struct BookmarkRecord {
  int32_t kind = kBookmarkUnused;
  std::string abbrev;
  int32_t position = -1;
  std::string text;

  bool InUse() const { return kind != kBookmarkUnused; }
  // Marks the record not in use (kind -1, position -1, both strings empty).
  void Clear() { *this = BookmarkRecord(); }
  bool operator==(const BookmarkRecord&) const = default;
};

// The 95 bytes; the abbreviation and text are cut to 15 and 70 bytes.
std::string EncodeBookmark(const BookmarkRecord& record);

// The record in `bytes`, or nullopt (with `why`) when it is not exactly 95
// bytes or cannot be followed safely: an unknown kind, a length byte larger
// than its field, a Bible bookmark whose position is no verse index
// (1..31102), or a Commentary bookmark whose position is no slot (0..31101).
std::optional<BookmarkRecord> DecodeBookmark(std::string_view bytes, std::string* why = nullptr);

}  // namespace lumora::config
