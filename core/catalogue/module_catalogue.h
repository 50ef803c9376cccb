// The module catalogue: every module loaded from the program folder, the
// name lists through which resources are found, and the modules other parts
// need by role. It owns every module for its whole life.
#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/catalogue/catalogue_observer.h"
#include "core/catalogue/name_list.h"
#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"
#include "core/modules/strongs_data.h"
#include "core/platform/file_system.h"
#include "core/status.h"
#include "core/text/cp1252.h"

namespace lumora {

inline constexpr const char* kBiblesFolder = "Bibles";
inline constexpr const char* kBooksFolder = "Books";
inline constexpr const char* kCommentariesFolder = "Commentaries";
inline constexpr const char* kUserFolder = "User";
inline constexpr const char* kStrongsMissingMessage =
    "stgdat.lm4 not found. Can not continue loading.";
inline constexpr const char* kHebrewStrongsCode = "StrHeb";
inline constexpr const char* kGreekStrongsCode = "StrGrk";
inline constexpr const char* kNvcxCode = "NVCX";
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

  // Loads everything below `program_folder` in start-up order: the Strong's
  // data, the Bibles, the Books, the Commentaries, then stale verse-link
  // indexes. A failure is fatal for the program (its message is the text to
  // show): no Strong's data, or no KJV Bible. A module that fails to open or
  // to rebuild its index never stops the load (see Problems()).
  Status LoadModules(const std::string& program_folder, const StatusReporter& report = {});

  // Opens every "*.lmb" of one folder that is not loaded yet, in sorted
  // file-name order. Files that fail to open are skipped silently; their
  // errors are kept in SkippedFiles() for diagnostics.
  void ScanBibleFolder(const std::string& folder);
  // KJV first, its Strong's-links twin second, the rest by abbreviation.
  void SortBibles();
  // The same scan for Books ("*.lmk") and Commentaries ("*.lmc").
  void ScanBookFolder(const std::string& folder);
  void ScanCommentaryFolder(const std::string& folder);
  // By lower-cased abbreviation, byte-wise, stable; then the special Books
  // and the editable Commentaries are picked again.
  void SortBooks();
  void SortCommentaries();
  // Rebuilds every stale verse-link index, reporting "Updating Verse Links: "
  // and the abbreviation for each.
  void UpdateVerseLinks(const StatusReporter& report);

  // User modules made and removed while the program runs (user_modules.cpp).
  // Each change runs between NotifyAboutToChange and NotifyChanged, also
  // when it fails. Creating writes a new empty file in UserFolder(), opens
  // only that file and sorts the kind again; the result is the new module
  // (kept in the lists), or the creation error with the lists unchanged.
  Result<TLMCommentaryModule*> CreateUserCommentary(const std::string& title,
                                                    const std::string& abbreviation);
  Result<TLMDictionaryModule*> CreateUserBook(const std::string& title,
                                              const std::string& abbreviation);
  // Removes a writable user module from every list and name list (names
  // other modules still use stay), closes it and deletes its file; a ".bak"
  // copy stays. kReadOnly (nothing changed) for a module that may not be
  // written or is not loaded; a failed file delete is returned after the
  // module has left the lists.
  Status DeleteUserCommentary(const TLMCommentaryModule* commentary);
  Status DeleteUserBook(const TLMDictionaryModule* book);

  const std::vector<std::unique_ptr<TLMBibleModule>>& Bibles() const { return bibles_; }
  TLMBibleModule* KjvBible() const { return kjv_bible_; }
  TLMBibleModule* StrongsLinksBible() const { return strongs_links_bible_; }
  const std::vector<std::unique_ptr<TLMDictionaryModule>>& Books() const { return books_; }
  const std::vector<std::unique_ptr<TLMCommentaryModule>>& Commentaries() const {
    return commentaries_;
  }
  const std::vector<TLMCommentaryModule*>& EditableCommentaries() const { return editable_; }
  TLMStrongsDataModule* StrongsData() const { return strongs_data_.get(); }
  TLMDictionaryModule* HebrewStrongsBook() const { return hebrew_book_; }
  TLMDictionaryModule* GreekStrongsBook() const { return greek_book_; }
  TLMDictionaryModule* NvcxBook() const { return nvcx_book_; }
  const std::string& UserFolder() const { return user_folder_; }

  const NameList<TLMBibleModule>& BiblesByAbbreviation() const { return bibles_by_abbreviation_; }
  const NameList<TLMDictionaryModule>& BooksByTitle() const { return books_by_title_; }
  const NameList<TLMDictionaryModule>& BooksByAbbreviation() const {
    return books_by_abbreviation_;
  }
  const NameList<TLMCommentaryModule>& CommentariesByTitle() const {
    return commentaries_by_title_;
  }
  const NameList<TLMCommentaryModule>& CommentariesByAbbreviation() const {
    return commentaries_by_abbreviation_;
  }
  // Every abbreviation and title in use; new user modules are checked here.
  const NameList<void>& NamesInUse() const { return names_in_use_; }
  bool IsFileLoaded(const std::string& file_name) const;

  struct SkippedFile {
    std::string path;
    std::string error;
  };
  const std::vector<SkippedFile>& SkippedFiles() const { return skipped_; }
  // Verse-link indexes that could not be written back (the module then
  // serves its index from memory), one line each.
  const std::vector<std::string>& Problems() const { return problems_; }
  // The same as file and reason.
  const std::vector<SkippedFile>& IndexProblems() const { return index_problems_; }

  // Holders of modules register here (see catalogue_observer.h). Every
  // change to the lists after start-up (user modules created or deleted)
  // runs between NotifyAboutToChange and NotifyChanged.
  void AddObserver(CatalogueObserver* observer) { observers_.Add(observer); }
  void RemoveObserver(CatalogueObserver* observer) { observers_.Remove(observer); }
  void NotifyAboutToChange() const { observers_.AboutToChange(); }
  void NotifyChanged() const { observers_.Changed(); }

 private:
  struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const {
      return cp1252::CompareNoCase(a, b) < 0;
    }
  };

  // Opens every file of one kind in a folder (see ScanBibleFolder).
  template <typename Module, typename Register>
  void ScanFolder(const std::string& folder, const char* suffix,
                  std::vector<std::unique_ptr<Module>>& list, Register&& register_names);

  // Adds every remaining module's title and abbreviation again after a
  // removal took names out of the in-use list.
  void RestoreNamesInUse();

  FileSystem& fs_;
  std::string user_folder_;
  std::vector<std::unique_ptr<TLMBibleModule>> bibles_;
  TLMBibleModule* kjv_bible_ = nullptr;
  TLMBibleModule* strongs_links_bible_ = nullptr;
  NameList<TLMBibleModule> bibles_by_abbreviation_;
  NameList<void> names_in_use_;
  std::vector<std::unique_ptr<TLMDictionaryModule>> books_;
  std::vector<std::unique_ptr<TLMCommentaryModule>> commentaries_;
  std::vector<TLMCommentaryModule*> editable_;
  std::unique_ptr<TLMStrongsDataModule> strongs_data_;
  TLMDictionaryModule* hebrew_book_ = nullptr;
  TLMDictionaryModule* greek_book_ = nullptr;
  TLMDictionaryModule* nvcx_book_ = nullptr;
  NameList<TLMDictionaryModule> books_by_title_;
  NameList<TLMDictionaryModule> books_by_abbreviation_;
  NameList<TLMCommentaryModule> commentaries_by_title_;
  NameList<TLMCommentaryModule> commentaries_by_abbreviation_;
  std::vector<std::string> problems_;
  std::vector<SkippedFile> index_problems_;
  std::set<std::string, NoCaseLess> loaded_files_;
  std::vector<SkippedFile> skipped_;
  CatalogueObservers observers_;
};

}  // namespace lumora
