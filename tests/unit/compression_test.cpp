#include "core/codec/compression.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

namespace lumora {
namespace {

std::string Inflate(const std::string& z, size_t limit = kDefaultInflateLimit) {
  Result<std::string> r = DecompressBytes(z.data(), z.size(), limit);
  EXPECT_TRUE(r.ok()) << r.status().message();
  return r.ok() ? r.value() : std::string();
}

TEST(Compression, RoundTripsTextOfEverySize) {
  std::mt19937 rng(7);
  for (size_t n : {1u, 2u, 255u, 256u, 257u, 4096u, 100000u}) {
    std::string text(n, ' ');
    for (char& c : text) c = static_cast<char>(rng() % 7 == 0 ? rng() % 256 : 'a' + rng() % 3);
    Result<std::string> z = CompressString(text);
    ASSERT_TRUE(z.ok());
    EXPECT_EQ(Inflate(*z), text) << n;
  }
}

TEST(Compression, HighlyCompressibleTextGrowsTheOutputBuffer) {
  const std::string text(3'000'000, 'x');  // ~3 KB compressed, 1000x larger inflated
  Result<std::string> z = CompressString(text);
  ASSERT_TRUE(z.ok());
  EXPECT_LT(z->size(), 10000u);
  EXPECT_EQ(Inflate(*z), text);
}

TEST(Compression, WritesAStandardZlibStream) {
  Result<std::string> z = CompressString("In the beginning God created");
  ASSERT_TRUE(z.ok());
  char out[64];
  uLongf out_len = sizeof out;
  ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(out), &out_len,
                       reinterpret_cast<const Bytef*>(z->data()), z->size()),
            Z_OK);
  EXPECT_EQ(std::string(out, out_len), "In the beginning God created");
}

TEST(Decompression, DamagedStreamsFailInsteadOfReturningText) {
  Result<std::string> z = CompressString(std::string(5000, 'a') + "the end");
  ASSERT_TRUE(z.ok());
  // Truncated at every length: never a crash, never a success.
  for (size_t cut = 0; cut < z->size(); ++cut) {
    Result<std::string> r = DecompressBytes(z->data(), cut);
    EXPECT_FALSE(r.ok()) << "cut at " << cut;
    if (!r.ok()) {
      EXPECT_EQ(r.status().kind(), ErrorKind::kDecompression);
    }
  }
  std::string flipped = *z;
  flipped[flipped.size() - 2] ^= 0x40;  // Adler-32 trailer
  EXPECT_FALSE(DecompressBytes(flipped.data(), flipped.size()).ok());
  const std::string garbage = "\x01\x02\x03\x04garbage";
  EXPECT_FALSE(DecompressBytes(garbage.data(), garbage.size()).ok());
  EXPECT_FALSE(DecompressBytes(nullptr, 0).ok());
}

TEST(Decompression, OutputBeyondTheLimitIsAnError) {
  Result<std::string> z = CompressString(std::string(100000, 'q'));
  ASSERT_TRUE(z.ok());
  Result<std::string> r = DecompressBytes(z->data(), z->size(), 99999);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.status().kind(), ErrorKind::kDecompression);
  EXPECT_EQ(Inflate(*z, 100000).size(), 100000u);  // exactly at the limit is fine
}

}  // namespace
}  // namespace lumora

namespace lumora {
namespace {

// Runs the body with one inflater, then restores the default.
class WithEngine {
 public:
  explicit WithEngine(InflateEngine e) { SetInflateEngine(e); }
  ~WithEngine() { SetInflateEngine(InflateEngine::kFast); }
};

std::string Deflated(const std::string& text) {
  Result<std::string> z = CompressString(text);
  EXPECT_TRUE(z.ok());
  return z.ok() ? *z : std::string();
}

// What a call gives, as one comparable text.
std::string Verdict(const std::string& z, size_t limit, InflateEngine engine) {
  WithEngine use(engine);
  Result<std::string> r = DecompressBytes(z.data(), z.size(), limit);
  Result<std::string_view> scratch = DecompressToScratch(z.data(), z.size(), limit);
  EXPECT_EQ(r.ok(), scratch.ok());
  if (r.ok() && scratch.ok()) {
    EXPECT_EQ(*r, *scratch);
  }
  // Read in place, as a verse record of a mapped file with the next record
  // after it: a stream cut short must not borrow that record's bytes.
  const std::string in_file = z + Deflated("the next record") + std::string(64, 'Z');
  Result<std::string_view> in_place =
      DecompressToScratch(in_file.data(), z.size(), limit, in_file.size() - z.size());
  EXPECT_EQ(r.ok(), in_place.ok());
  if (r.ok() && in_place.ok()) {
    EXPECT_EQ(*r, *in_place);
  } else if (!r.ok() && !in_place.ok()) {
    EXPECT_EQ(r.status().message(), in_place.status().message());
  }
  if (r.ok()) return "ok:" + *r;
  EXPECT_EQ(r.status().kind(), ErrorKind::kDecompression);
  return "error:" + r.status().message();
}

// A zlib header (CMF, FLG) with its check bits made right.
std::string WithHeader(std::string z, unsigned char cmf, unsigned char flags) {
  z[0] = static_cast<char>(cmf);
  unsigned flg = flags & 0xE0;
  flg += 31 - ((cmf << 8) | flg) % 31;
  z[1] = static_cast<char>(flg);
  return z;
}

// Both inflaters give the same text or the same error text for every
// stream: whole, cut short, bit-flipped, with odd headers, at the limit.
TEST(InflateEngines, AgreeOnEveryStreamWholeOrDamaged) {
  std::mt19937 rng(23);
  std::string prose;
  while (prose.size() < 300)
    prose += "and God said, Let there be light: and there was light \x04" + std::to_string(rng() % 97);
  const std::string verse = Deflated(prose);
  const std::string empty = Deflated(std::string());
  const std::string big = Deflated(std::string(3'000'000, 'x') + prose);

  struct Case {
    std::string name, stream;
    size_t limit = kDefaultInflateLimit;
  };
  std::vector<Case> cases = {
      {"verse", verse},
      {"empty text", empty},
      {"large text", big},
      {"at the limit", verse, prose.size()},
      {"one byte over the limit", verse, prose.size() - 1},
      {"large text over the limit", big, 1'000'000},
      {"limit zero, empty text", empty, 0},
      {"trailing bytes", verse + "trailing"},
      {"small window", WithHeader(verse, 0x68, 0xC0)},
      {"preset dictionary", WithHeader(verse, 0x78, 0xDA | 0x20)},
      {"method 7", WithHeader(verse, 0x77, 0xDA)},
      {"check bits wrong", std::string(verse).replace(1, 1, 1, '\x01')},
      {"garbage", "\x01\x02\x03\x04garbage"},
  };
  for (size_t cut = 1; cut < verse.size(); ++cut) cases.push_back({"cut", verse.substr(0, cut)});
  for (size_t at = 0; at < verse.size(); ++at)
    for (const unsigned char bit : {0x01, 0x10, 0x80}) {
      std::string flipped = verse;
      flipped[at] = static_cast<char>(flipped[at] ^ bit);
      cases.push_back({"flip at " + std::to_string(at), flipped});
    }
  for (const Case& c : cases) {
    const std::string reference = Verdict(c.stream, c.limit, InflateEngine::kZlib);
    EXPECT_EQ(Verdict(c.stream, c.limit, InflateEngine::kFast), reference) << c.name;
  }
  // A record cut short inside a file whose next bytes are the rest of its
  // stream: the text ends where the record does, so it is damaged.
  for (size_t cut = 1; cut < verse.size(); ++cut) {
    Result<std::string_view> r =
        DecompressToScratch(verse.data(), cut, kDefaultInflateLimit, verse.size() - cut);
    EXPECT_EQ(r.ok() ? "ok" : "error:" + r.status().message(),
              Verdict(verse.substr(0, cut), kDefaultInflateLimit, InflateEngine::kZlib))
        << "cut at " << cut;
  }
  EXPECT_EQ(Verdict(verse, kDefaultInflateLimit, InflateEngine::kFast), "ok:" + prose);
  EXPECT_EQ(Verdict(verse, prose.size() - 1, InflateEngine::kFast), "error:output limit exceeded");
  EXPECT_EQ(CurrentInflateEngine(), InflateEngine::kFast);
}

TEST(InflateEngines, ScratchTextLastsUntilTheNextInflate) {
  const std::string a = Deflated("first text"), b = Deflated("second, longer text");
  Result<std::string_view> first = DecompressToScratch(a.data(), a.size());
  ASSERT_TRUE(first.ok());
  const std::string kept(*first);
  Result<std::string> copy = DecompressBytes(b.data(), b.size());
  ASSERT_TRUE(copy.ok());
  EXPECT_EQ(kept, "first text");
  EXPECT_EQ(*copy, "second, longer text");
  EXPECT_FALSE(DecompressToScratch(nullptr, 0).ok());
}

}  // namespace
}  // namespace lumora
