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
