// Every stored text is one zlib stream. Writers compress at level 9 with
// zlib; readers inflate a complete stream into a fresh string, with
// libdeflate where it is built in (a whole-buffer inflater, several times
// faster than zlib's on records this short) and with zlib otherwise.
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
// progress fail with ErrorKind::kDecompression, with the same texts whichever
// inflater runs: a stream the fast inflater refuses is handed to zlib, whose
// verdict and message stand. Safe to call from several threads at once; each
// thread keeps its own inflater state, so a call sets nothing up.
Result<std::string> DecompressBytes(const void* data, size_t length,
                                    size_t limit = kDefaultInflateLimit);

// DecompressBytes without the copy: the text lies in a buffer of the calling
// thread that its next DecompressBytes or DecompressToScratch overwrites.
// For readers that decode a text further at once (every verse read).
// `readable_after`: bytes after the stream that may be read, though they are
// not part of it (the next record of a mapped file); with a few dozen the
// fast inflater reads ahead in place instead of copying a short stream.
Result<std::string_view> DecompressToScratch(const void* data, size_t length,
                                             size_t limit = kDefaultInflateLimit,
                                             size_t readable_after = 0);

// The inflaters DecompressBytes can run. kFast is libdeflate where the build
// has it (HasFastInflater()) and zlib where it has not.
enum class InflateEngine { kZlib, kFast };
bool HasFastInflater();
// Process-wide choice, kFast unless changed. Benchmarks and tests set kZlib
// to measure or compare the zlib path; set it while no other thread inflates.
void SetInflateEngine(InflateEngine engine);
InflateEngine CurrentInflateEngine();

}  // namespace lumora
