// TLMStrongsDataModule: "stgdat.lm4", three short strings for every Hebrew
// (1..8674) and Greek (1..5624) Strong's number: the word in the lexicon
// font's 8-bit encoding, a transliteration and a pronunciation.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/platform/file_system.h"
#include "core/status.h"

namespace lumora {

inline constexpr const char* kStrongsDataFileName = "stgdat.lm4";
inline constexpr size_t kStrongsRecordSize = 12;
inline constexpr size_t kStrongsGreekTableOffset = 104088;
inline constexpr size_t kStrongsMagicOffset = 171576;
inline constexpr size_t kStrongsHeaderSize = 171585;
inline constexpr const char* kStrongsMagic = "LMSTGDTA";

enum class StrongsLanguage { kHebrew, kGreek };

enum class StrongsField {
  kWord = 1,             // in the Hebrew or Greek lexicon font's encoding
  kTransliteration = 2,
  kPronunciation = 3,
};

class TLMStrongsDataModule {
 public:
  // Opens the file allowing others to read it. Errors (kind
  // kStrongsCreate): " File open failed on " + path + "\n" + the system's
  // text (missing, refused, or held exclusively), " Create map failed on "
  // ... (an empty file), " File mapping failed on " ..., "File header
  // invalid: " + the magic found (also for a file shorter than its header).
  static Result<std::unique_ptr<TLMStrongsDataModule>> Create(
      const std::string& path, FileSystem& fs = DefaultFileSystem());

  const std::string& FileName() const { return path_; }
  // Empty for a number or field out of range, or a string outside the file.
  std::string GetStrongsString(StrongsLanguage language, int number, StrongsField field) const;
  std::string GetStrongsString(StrongsLanguage language, int number, int field) const;

 private:
  std::string path_;
  std::shared_ptr<const MappedFile> mapping_;
};

// One number's three strings, for the builder.
struct StrongsWord {
  std::string word;
  std::string transliteration;
  std::string pronunciation;
};

// The whole file for 8674 Hebrew and 5624 Greek words (shorter vectors leave
// the rest empty).
std::string BuildStrongsDataFile(const std::vector<StrongsWord>& hebrew,
                                 const std::vector<StrongsWord>& greek);

}  // namespace lumora
