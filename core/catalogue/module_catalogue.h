// The module catalogue: every module loaded from the program folder, the
// name lists through which resources are found, and the modules other parts
// need by role. It owns every module for its whole life.
#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/catalogue/name_list.h"
#include "core/modules/bible_module.h"
#include "core/platform/file_system.h"
#include "core/status.h"
#include "core/text/cp1252.h"

namespace lumora {

inline constexpr const char* kBiblesFolder = "Bibles";
inline constexpr const char* kBibleFilePattern = ".lmb";
inline constexpr const char* kKjvAbbreviation = "KJV";
inline constexpr const char* kKjvMissingMessage =
    "KJV Bible Module unable to load or not found.\nLumora requires the KJV Module to function.";
inline constexpr const char* kStrongsLinksTitleSuffix = " with Strong's Links";
inline constexpr const char* kStrongsLinksAbbreviationSuffix = "SL";

// Receives each start-up status text ("Initializing Bibles", ...).
using StatusReporter = std::function<void(const std::string&)>;

class TModuleCatalogue {
 public:
  explicit TModuleCatalogue(FileSystem& fs = DefaultFileSystem());
  ~TModuleCatalogue();
  TModuleCatalogue(const TModuleCatalogue&) = delete;
  TModuleCatalogue& operator=(const TModuleCatalogue&) = delete;

  // Loads everything below `program_folder` in start-up order. A failure is
  // fatal for the program (its message is the text to show), for example
  // kKjvMissingMessage.
  Status LoadModules(const std::string& program_folder, const StatusReporter& report = {});

  // Opens every "*.lmb" of one folder that is not loaded yet, in sorted
  // file-name order. Files that fail to open are skipped silently; their
  // errors are kept in SkippedFiles() for diagnostics.
  void ScanBibleFolder(const std::string& folder);
  // KJV first, its Strong's-links twin second, the rest by abbreviation.
  void SortBibles();

  const std::vector<std::unique_ptr<TLMBibleModule>>& Bibles() const { return bibles_; }
  TLMBibleModule* KjvBible() const { return kjv_bible_; }
  TLMBibleModule* StrongsLinksBible() const { return strongs_links_bible_; }

  const NameList<TLMBibleModule>& BiblesByAbbreviation() const { return bibles_by_abbreviation_; }
  // Every abbreviation and title in use; new user modules are checked here.
  const NameList<void>& NamesInUse() const { return names_in_use_; }
  bool IsFileLoaded(const std::string& file_name) const;

  struct SkippedFile {
    std::string path;
    std::string error;
  };
  const std::vector<SkippedFile>& SkippedFiles() const { return skipped_; }

 private:
  struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const {
      return cp1252::CompareNoCase(a, b) < 0;
    }
  };

  FileSystem& fs_;
  std::vector<std::unique_ptr<TLMBibleModule>> bibles_;
  TLMBibleModule* kjv_bible_ = nullptr;
  TLMBibleModule* strongs_links_bible_ = nullptr;
  NameList<TLMBibleModule> bibles_by_abbreviation_;
  NameList<void> names_in_use_;
  std::set<std::string, NoCaseLess> loaded_files_;
  std::vector<SkippedFile> skipped_;
};

}  // namespace lumora
