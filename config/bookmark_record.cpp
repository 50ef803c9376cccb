#include "config/bookmark_record.h"

#include "core/io/byte_io.h"
#include "core/refs/verse_index.h"

namespace lumora::config {
namespace {

constexpr size_t kAbbrevAt = 4;
constexpr size_t kPositionAt = 20;
constexpr size_t kTextAt = 24;

}  // namespace

std::string EncodeBookmark(const BookmarkRecord& r) {
  std::string out(kBookmarkRecordSize, '\0');
  StoreU32(out, 0, static_cast<uint32_t>(r.kind));
  StoreShortString(out, kAbbrevAt, kBookmarkAbbrevMax + 1, r.abbrev);
  StoreU32(out, kPositionAt, static_cast<uint32_t>(r.position));
  StoreShortString(out, kTextAt, kBookmarkTextMax + 1, r.text);
  return out;
}

std::optional<BookmarkRecord> DecodeBookmark(std::string_view bytes, std::string* why) {
  auto fail = [&](const char* text) -> std::optional<BookmarkRecord> {
    if (why) *why = text;
    return std::nullopt;
  };
  if (bytes.size() != kBookmarkRecordSize) return fail("a bookmark is 95 bytes");
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  if (p[kAbbrevAt] > kBookmarkAbbrevMax || p[kTextAt] > kBookmarkTextMax)
    return fail("bookmark string length larger than its field");
  BookmarkRecord r;
  r.kind = LoadI32(p);
  r.abbrev = LoadShortString(p + kAbbrevAt, kBookmarkAbbrevMax + 1);
  r.position = LoadI32(p + kPositionAt);
  r.text = LoadShortString(p + kTextAt, kBookmarkTextMax + 1);
  switch (r.kind) {
    case kBookmarkUnused:
    case kBookmarkBook:
      break;
    case kBookmarkBible:
      if (!IsVerseIndex(r.position)) return fail("bookmark verse index out of range");
      break;
    case kBookmarkCommentary:
      if (r.position < 0 || r.position >= kVerseCount)
        return fail("bookmark Commentary position out of range");
      break;
    default:
      return fail("unknown bookmark kind");
  }
  return r;
}

}  // namespace lumora::config
