// The two inflaters behind DecompressBytes (core/codec/compression.h). Both
// take a stream that passed DecompressBytes' own checks (not empty, length
// within 32 bits).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/status.h"

namespace lumora::inflaters {

// zlib's inflate, the reference: its verdict and message texts are the ones
// callers see for a stream that does not inflate.
Result<std::string> InflateWithZlib(const uint8_t* data, size_t length, size_t limit);
// The same into `buffer`, whose size only grows (a buffer kept by the caller
// is not cleared again for every stream); the text is its first bytes, as
// many as the result says.
Result<size_t> InflateWithZlibInto(const uint8_t* data, size_t length, size_t limit,
                                   std::string& buffer);

// The whole-buffer inflater. The text lies in a buffer of the calling
// thread, valid until its next call. nullopt when it refuses the stream
// (damaged, larger than `limit`, or declaring a window other than zlib's
// 32 KB, which only zlib checks the way callers expect): the caller then
// asks zlib. Not built in: always nullopt.
// `readable_after` as for DecompressToScratch.
std::optional<std::string_view> InflateWithLibdeflate(const uint8_t* data, size_t length,
                                                      size_t limit, size_t readable_after = 0);
bool HasLibdeflate();

}  // namespace lumora::inflaters
