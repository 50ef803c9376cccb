#include "core/modules/strongs_data.h"

#include <gtest/gtest.h>

#include "core/io/byte_io.h"
#include "core/platform/memory/memory_file_system.h"

namespace lumora {
namespace {

class StrongsDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<StrongsWord> hebrew(8674), greek(5624);
    hebrew[0] = {"'b", "'ab", "awb"};
    hebrew[8673] = {"last", "h-last", "h-last-p"};
    greek[0] = {"A", "A", "al'-fah"};
    greek[5623] = {"w", "o", "o"};
    bytes_ = BuildStrongsDataFile(hebrew, greek);
    fs_.SetFile(path_, bytes_);
  }

  const std::string path_ = "/lib/stgdat.lm4";
  std::string bytes_;
  MemoryFileSystem fs_;
};

TEST_F(StrongsDataTest, RecordsSitWhereTheLayoutSays) {
  auto data = TLMStrongsDataModule::Create(path_, fs_);
  ASSERT_TRUE(data.ok()) << data.status().message();
  const auto* b = reinterpret_cast<const uint8_t*>(bytes_.data());
  // Greek 1 at 104088, Hebrew 8674 at 104076, Greek 5624 at 171564.
  EXPECT_EQ(std::string(bytes_.c_str() + LoadU32(b + 104088)), "A");
  EXPECT_EQ(std::string(bytes_.c_str() + LoadU32(b + 104076)), "last");
  EXPECT_EQ(std::string(bytes_.c_str() + LoadU32(b + 171564)), "w");
  const auto& d = **data;
  EXPECT_EQ(d.GetStrongsString(StrongsLanguage::kHebrew, 1, StrongsField::kWord), "'b");
  EXPECT_EQ(d.GetStrongsString(StrongsLanguage::kHebrew, 1, StrongsField::kTransliteration), "'ab");
  EXPECT_EQ(d.GetStrongsString(StrongsLanguage::kGreek, 1, StrongsField::kPronunciation), "al'-fah");
  EXPECT_EQ(d.GetStrongsString(StrongsLanguage::kHebrew, 8674, 3), "h-last-p");
  EXPECT_EQ(d.GetStrongsString(StrongsLanguage::kGreek, 5624, 1), "w");
  EXPECT_EQ(d.GetStrongsString(StrongsLanguage::kGreek, 2, 1), "");
}

TEST_F(StrongsDataTest, OutOfRangeRequestsAreEmpty) {
  auto data = TLMStrongsDataModule::Create(path_, fs_);
  ASSERT_TRUE(data.ok());
  for (int n : {0, -1, 8675})
    EXPECT_EQ((*data)->GetStrongsString(StrongsLanguage::kHebrew, n, 1), "") << n;
  EXPECT_EQ((*data)->GetStrongsString(StrongsLanguage::kGreek, 5625, 1), "");
  EXPECT_EQ((*data)->GetStrongsString(StrongsLanguage::kGreek, 1, 0), "");
  EXPECT_EQ((*data)->GetStrongsString(StrongsLanguage::kGreek, 1, 4), "");
}

TEST_F(StrongsDataTest, StringsAreReadWithABound) {
  std::string bytes = bytes_;
  // Point Hebrew 1's word at the last byte and drop the terminator; point
  // its transliteration past the end.
  StoreU32(bytes, 0, static_cast<uint32_t>(bytes.size() - 1));
  bytes.back() = 'Z';
  StoreU32(bytes, 4, 0xFFFFFFF0u);
  fs_.SetFile("/lib/odd.lm4", bytes);
  auto data = TLMStrongsDataModule::Create("/lib/odd.lm4", fs_);
  ASSERT_TRUE(data.ok());
  EXPECT_EQ((*data)->GetStrongsString(StrongsLanguage::kHebrew, 1, 1), "Z");
  EXPECT_EQ((*data)->GetStrongsString(StrongsLanguage::kHebrew, 1, 2), "");
}

// The file is opened allowing others to read: two readers share it, a
// writer that wants it alone does not get it, and a file held exclusively
// cannot be opened ("File open failed", not a mapping failure).
TEST_F(StrongsDataTest, OthersMayReadTheOpenFile) {
  fs_.EmulateWindowsSharing(true);
  {
    auto first = TLMStrongsDataModule::Create(path_, fs_);
    auto second = TLMStrongsDataModule::Create(path_, fs_);
    ASSERT_TRUE(first.ok()) << first.status().message();
    ASSERT_TRUE(second.ok()) << second.status().message();
    EXPECT_TRUE(fs_.ReadFile(path_).ok());
    EXPECT_FALSE(fs_.MapExclusive(path_).ok());
    EXPECT_FALSE(fs_.WriteFile(path_, "x").ok());
  }
  auto exclusive = fs_.MapExclusive("/lib/stgdat.lm4");
  ASSERT_TRUE(exclusive.ok());
  const Status held = TLMStrongsDataModule::Create("/lib/stgdat.lm4", fs_).status();
  EXPECT_EQ(held.message(), " File open failed on /lib/stgdat.lm4\nFile is in use")
      << held.message();
}

TEST_F(StrongsDataTest, EachOpenStepHasItsText) {
  const struct {
    const char* path;
    const char* text;
  } kSteps[] = {{"/lib/none.lm4", " File open failed on /lib/none.lm4\n"},
                {"/lib", " File open failed on /lib\nNot a mappable file"},  // a folder
                {"/lib/empty.lm4", " Create map failed on /lib/empty.lm4\n"}};
  fs_.SetFile("/lib/empty.lm4", "");
  for (const auto& step : kSteps) {
    const Status s = TLMStrongsDataModule::Create(step.path, fs_).status();
    EXPECT_EQ(s.kind(), ErrorKind::kStrongsCreate);
    EXPECT_TRUE(s.message().starts_with(step.text)) << s.message();
  }
  fs_.SetFile("/lib/stgdat.lm4", bytes_);
  fs_.FailNext(FileOp::kMap);
  EXPECT_TRUE(TLMStrongsDataModule::Create("/lib/stgdat.lm4", fs_)
                  .status()
                  .message()
                  .starts_with(" File open failed on /lib/stgdat.lm4\n"));
}

TEST_F(StrongsDataTest, OpenErrors) {
  auto missing = TLMStrongsDataModule::Create("/lib/none.lm4", fs_);
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.status().kind(), ErrorKind::kStrongsCreate);
  EXPECT_EQ(missing.status().message().rfind(" File open failed on /lib/none.lm4\n", 0), 0u)
      << missing.status().message();
  fs_.SetFile("/lib/short.lm4", bytes_.substr(0, 1000));
  EXPECT_EQ(TLMStrongsDataModule::Create("/lib/short.lm4", fs_).status().message().rfind(
                "File header invalid: ", 0),
            0u);
  std::string wrong = bytes_;
  wrong.replace(171577, 8, "LMSTGDTX");
  fs_.SetFile("/lib/wrong.lm4", wrong);
  EXPECT_EQ(TLMStrongsDataModule::Create("/lib/wrong.lm4", fs_).status().message(),
            "File header invalid: LMSTGDTX");
}

}  // namespace
}  // namespace lumora
