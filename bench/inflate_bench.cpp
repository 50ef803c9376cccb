// The inflaters behind DecompressBytes on the stored records of the sample
// library (LUMORA_LIBRARY; skipped without it): every KJV verse record with
// zlib and with the fast inflater, in one run with the ratio.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "core/codec/compression.h"
#include "core/io/byte_io.h"
#include "core/modules/bible_header.h"

namespace lumora::bench {
namespace {

namespace fs = std::filesystem;

struct Records {
  std::string file;
  std::vector<std::string_view> streams;
};

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The verse records of the imported KJV, as stored.
const Records* KjvVerseRecords() {
  static const Records* records = []() -> const Records* {
    const char* library = std::getenv("LUMORA_LIBRARY");
    if (library == nullptr) return nullptr;
    auto* r = new Records;
    r->file = ReadWhole(fs::path(library) / "Bibles" / "KJV.lmb");
    if (r->file.size() < kBibleHeaderSize) return nullptr;
    const auto* base = reinterpret_cast<const uint8_t*>(r->file.data());
    const BibleHeader header = BibleHeader::DecodeFrom(base);
    for (int i = 0; i < header.verse_count; ++i) {
      const uint64_t at = header.verse_table + uint64_t(i) * kBibleVerseRecordSize;
      if (!FitsIn(at, kBibleVerseRecordSize, r->file.size())) return nullptr;
      const BibleVerseRecord v = BibleVerseRecord::DecodeFrom(base + at);
      if (v.offset < 0 || v.size == 0 ||
          !FitsIn(static_cast<uint32_t>(v.offset), v.size, r->file.size()))
        continue;
      r->streams.emplace_back(r->file.data() + v.offset, v.size);
    }
    return r;
  }();
  return records;
}

size_t InflateAll(const std::vector<std::string_view>& streams) {
  size_t bytes = 0;
  for (std::string_view s : streams) {
    Result<std::string> text = DecompressBytes(s.data(), s.size());
    bytes += text.ok() ? text->size() : 0;
    benchmark::DoNotOptimize(text);
  }
  return bytes;
}

double SecondsFor(InflateEngine engine, const std::vector<std::string_view>& streams) {
  SetInflateEngine(engine);
  const auto start = std::chrono::steady_clock::now();
  benchmark::DoNotOptimize(InflateAll(streams));
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// zlib and the fast inflater in turn on the same records, every iteration:
// the machine's load falls on both alike.
void BM_InflateKjvVerseRecords(benchmark::State& state) {
  const Records* r = KjvVerseRecords();
  if (r == nullptr) {
    state.SkipWithError("set LUMORA_LIBRARY to the sample library");
    return;
  }
  double zlib = 0, fast = 0;
  for (auto _ : state) {
    zlib += SecondsFor(InflateEngine::kZlib, r->streams);
    fast += SecondsFor(InflateEngine::kFast, r->streams);
  }
  SetInflateEngine(InflateEngine::kFast);
  const double n = static_cast<double>(state.iterations());
  state.counters["zlib_ms"] = zlib / n * 1e3;
  state.counters["fast_ms"] = fast / n * 1e3;
  state.counters["ratio"] = zlib / fast;
  state.counters["records"] = static_cast<double>(r->streams.size());
  state.SetLabel(HasFastInflater() ? "fast = libdeflate" : "fast = zlib (no libdeflate)");
}
BENCHMARK(BM_InflateKjvVerseRecords)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumora::bench
