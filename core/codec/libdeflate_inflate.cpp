// The whole-buffer inflater: libdeflate decodes a complete stream into one
// buffer in a single call, with no stream state to set up or reset, which
// is what makes it fast on records of a few dozen bytes. Built without
// libdeflate (LUMORA_HAVE_LIBDEFLATE unset, e.g. the Windows cross-build),
// it refuses every stream and zlib inflates them all.
#include "core/codec/inflaters.h"

#ifdef LUMORA_HAVE_LIBDEFLATE
#include <libdeflate.h>

#include <algorithm>
#include <cstring>
#include <memory>
#endif

namespace lumora::inflaters {

#ifdef LUMORA_HAVE_LIBDEFLATE
namespace {

// One decompressor and one output buffer per thread, kept between calls:
// a text is decoded into the buffer and copied out at its exact size.
class LibdeflateState {
 public:
  static constexpr size_t kInitialBuffer = 64 * 1024;
  // A buffer grown past this for one large text is not kept for the next.
  static constexpr size_t kKeptBuffer = 4 * 1024 * 1024;
  static constexpr size_t kPaddedInput = 2048;
  static constexpr size_t kInputPadding = 64;

  LibdeflateState() : decompressor_(libdeflate_alloc_decompressor()) {}
  ~LibdeflateState() { libdeflate_free_decompressor(decompressor_); }
  LibdeflateState(const LibdeflateState&) = delete;
  LibdeflateState& operator=(const LibdeflateState&) = delete;

  // The text in the thread's buffer, valid until the next call.
  std::optional<std::string_view> Inflate(const uint8_t* data, size_t length, size_t limit,
                                          size_t readable_after) {
    if (decompressor_ == nullptr) return std::nullopt;
    // libdeflate decodes fastest while it may read ahead; a short record is
    // read in place when the bytes after it may be read, and copied in
    // front of zero bytes when not. Either way the stream must still end
    // within the record.
    size_t readable = length;
    if (length <= kPaddedInput && readable_after >= kInputPadding) {
      readable = length + kInputPadding;
    } else if (length <= kPaddedInput) {
      std::memcpy(input_, data, length);
      std::memset(input_ + length, 0, kInputPadding);
      data = input_;
      readable = length + kInputPadding;
    }
    if (capacity_ > kKeptBuffer) {
      buffer_.reset();
      capacity_ = 0;
    }
    size_t room = std::min(std::max(capacity_, kInitialBuffer), limit);
    for (;;) {
      Reserve(room);
      size_t used = 0, produced = 0;
      const libdeflate_result rc = libdeflate_zlib_decompress_ex(
          decompressor_, data, readable, buffer_.get(), room, &used, &produced);
      if (rc == LIBDEFLATE_SUCCESS) {
        if (used > length) return std::nullopt;  // ran past the record: truncated
        return std::string_view(buffer_.get(), produced);
      }
      // Too long for the limit, or damaged: zlib gives the verdict.
      if (rc != LIBDEFLATE_INSUFFICIENT_SPACE || room >= limit) return std::nullopt;
      room = room > limit / 2 ? limit : room * 2;
    }
  }

 private:
  void Reserve(size_t room) {
    if (room <= capacity_) return;
    buffer_ = std::make_unique_for_overwrite<char[]>(room);
    capacity_ = room;
  }

  libdeflate_decompressor* decompressor_;
  std::unique_ptr<char[]> buffer_;
  size_t capacity_ = 0;
  uint8_t input_[kPaddedInput + kInputPadding];
};

// zlib's header: compression method 8 with a 32 KB window (CINFO 7), no
// preset dictionary, check bits right. Other headers go to zlib, whose
// window and dictionary rules are the reference.
bool IsStandardZlibHeader(const uint8_t* data, size_t length) {
  return length >= 2 && data[0] == 0x78 && (data[1] & 0x20) == 0 &&
         ((data[0] << 8) | data[1]) % 31 == 0;
}

}  // namespace

std::optional<std::string_view> InflateWithLibdeflate(const uint8_t* data, size_t length,
                                                      size_t limit, size_t readable_after) {
  if (limit == 0 || !IsStandardZlibHeader(data, length)) return std::nullopt;
  thread_local LibdeflateState state;
  return state.Inflate(data, length, limit, readable_after);
}

bool HasLibdeflate() { return true; }

#else

std::optional<std::string_view> InflateWithLibdeflate(const uint8_t*, size_t, size_t, size_t) {
  return std::nullopt;
}

bool HasLibdeflate() { return false; }

#endif

}  // namespace lumora::inflaters
