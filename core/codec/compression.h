// Every stored text is one zlib stream. Writers compress at level 9; readers
// inflate a complete stream into a fresh string.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/status.h"

namespace lumora {

// Largest text one stream may inflate to. Entries and verse texts are a few
// kilobytes; word lists a few hundred. A stream claiming more is damaged.
inline constexpr size_t kDefaultInflateLimit = 64u << 20;

// zlib level 9, window 15 bits, memory level 8, default strategy.
Result<std::string> CompressString(std::string_view text);

// Inflates one complete zlib stream. A truncated stream, trailing garbage
// that zlib rejects, output beyond `limit` or a stream that makes no
// progress fail with ErrorKind::kDecompression.
Result<std::string> DecompressBytes(const void* data, size_t length,
                                    size_t limit = kDefaultInflateLimit);

}  // namespace lumora
