#include "core/codec/compression.h"

#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <climits>

#include "core/codec/inflaters.h"

namespace lumora {
namespace {

size_t RoundUp256(size_t n) { return (n + 255) / 256 * 256; }

std::string ZlibMessage(int code, const z_stream& zs) {
  if (zs.msg != nullptr) return zs.msg;
  return zError(code);
}

// One zlib stream per thread, reset between texts: verse texts are short, and
// setting up a level-9 deflate state or an inflate window costs more than
// the text itself.
struct Deflater {
  z_stream zs{};
  int init = deflateInit2(&zs, 9, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY);
  ~Deflater() {
    if (init == Z_OK) deflateEnd(&zs);
  }
};

struct Inflater {
  z_stream zs{};
  int init = inflateInit(&zs);
  ~Inflater() {
    if (init == Z_OK) inflateEnd(&zs);
  }
};

std::atomic<InflateEngine> g_engine{InflateEngine::kFast};

}  // namespace

Result<std::string> CompressString(std::string_view text) {
  if (text.size() > UINT_MAX / 2)
    return Status::Error(ErrorKind::kCompression, "text too large to compress");
  thread_local Deflater deflater;
  if (deflater.init != Z_OK) return Status::Error(ErrorKind::kCompression, zError(deflater.init));
  z_stream& zs = deflater.zs;
  deflateReset(&zs);
  std::string out(RoundUp256(text.size() + text.size() / 10 + 12), '\0');
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  zs.avail_in = static_cast<uInt>(text.size());
  for (;;) {
    if (zs.total_out == out.size()) out.resize(out.size() + 256);
    zs.next_out = reinterpret_cast<Bytef*>(out.data()) + zs.total_out;
    zs.avail_out = static_cast<uInt>(out.size() - zs.total_out);
    const int rc = deflate(&zs, Z_FINISH);
    if (rc == Z_STREAM_END) break;
    if (rc != Z_OK && rc != Z_BUF_ERROR) return Status::Error(ErrorKind::kCompression, ZlibMessage(rc, zs));
  }
  out.resize(zs.total_out);
  return out;
}

namespace inflaters {

Result<size_t> InflateWithZlibInto(const uint8_t* data, size_t length, size_t limit,
                                   std::string& buffer) {
  thread_local Inflater inflater;
  if (inflater.init != Z_OK) return Status::Error(ErrorKind::kDecompression, zError(inflater.init));
  z_stream& zs = inflater.zs;
  inflateReset(&zs);
  zs.next_in = const_cast<Bytef*>(data);
  zs.avail_in = static_cast<uInt>(length);
  // Start from four times the input (text compresses about that well), but
  // never more than a small buffer, and double: a large text costs a few
  // reallocations, and a damaged record that claims a long stream but fails
  // at its first bytes does not pay for clearing a large buffer first.
  constexpr size_t kFirstBuffer = 16 * 1024;
  const size_t first = std::min({RoundUp256(length) * 4, kFirstBuffer, limit});
  if (buffer.size() < first) buffer.resize(first);
  for (;;) {
    // Room for the text: the buffer, but never past the limit.
    size_t room = std::min(buffer.size(), limit);
    if (zs.total_out == room) {
      if (room >= limit) return Status::Error(ErrorKind::kDecompression, "output limit exceeded");
      buffer.resize(std::min(buffer.size() * 2, limit));
      room = buffer.size();
    }
    zs.next_out = reinterpret_cast<Bytef*>(buffer.data()) + zs.total_out;
    zs.avail_out = static_cast<uInt>(room - zs.total_out);
    const uLong before_in = zs.total_in, before_out = zs.total_out;
    const int rc = inflate(&zs, Z_NO_FLUSH);
    if (rc == Z_STREAM_END) break;
    const bool progress = zs.total_in != before_in || zs.total_out != before_out;
    if (rc != Z_OK && rc != Z_BUF_ERROR)
      return Status::Error(ErrorKind::kDecompression, ZlibMessage(rc, zs));
    // No progress with room left in the output: the input ended before the
    // stream did.
    if (!progress && zs.avail_out != 0)
      return Status::Error(ErrorKind::kDecompression, "truncated stream");
  }
  return static_cast<size_t>(zs.total_out);
}

Result<std::string> InflateWithZlib(const uint8_t* data, size_t length, size_t limit) {
  std::string out;
  Result<size_t> used = InflateWithZlibInto(data, length, limit, out);
  if (!used.ok()) return used.status();
  out.resize(*used);
  return out;
}

}  // namespace inflaters

Result<std::string> DecompressBytes(const void* data, size_t length, size_t limit) {
  if (length == 0 || data == nullptr)
    return Status::Error(ErrorKind::kDecompression, "empty stream");
  if (length > UINT_MAX) return Status::Error(ErrorKind::kDecompression, "stream too large");
  const auto* bytes = static_cast<const uint8_t*>(data);
  if (g_engine.load(std::memory_order_relaxed) == InflateEngine::kFast) {
    if (std::optional<std::string_view> text =
            inflaters::InflateWithLibdeflate(bytes, length, limit))
      return std::string(*text);
  }
  return inflaters::InflateWithZlib(bytes, length, limit);
}

Result<std::string_view> DecompressToScratch(const void* data, size_t length, size_t limit,
                                             size_t readable_after) {
  if (length == 0 || data == nullptr)
    return Status::Error(ErrorKind::kDecompression, "empty stream");
  if (length > UINT_MAX) return Status::Error(ErrorKind::kDecompression, "stream too large");
  const auto* bytes = static_cast<const uint8_t*>(data);
  if (g_engine.load(std::memory_order_relaxed) == InflateEngine::kFast) {
    if (std::optional<std::string_view> text =
            inflaters::InflateWithLibdeflate(bytes, length, limit, readable_after))
      return *text;
  }
  thread_local std::string zlib_text;
  Result<size_t> used = inflaters::InflateWithZlibInto(bytes, length, limit, zlib_text);
  if (!used.ok()) return used.status();
  return std::string_view(zlib_text.data(), *used);
}

bool HasFastInflater() { return inflaters::HasLibdeflate(); }

void SetInflateEngine(InflateEngine engine) {
  g_engine.store(engine, std::memory_order_relaxed);
}

InflateEngine CurrentInflateEngine() { return g_engine.load(std::memory_order_relaxed); }

}  // namespace lumora
