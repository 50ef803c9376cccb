// The Book and Commentary half of the catalogue: folder scans, sorts,
// special Books, editable Commentaries and stale verse-link indexes.
#include <algorithm>

#include "core/catalogue/module_catalogue.h"

namespace lumora {

template <typename Module, typename Register>
void TModuleCatalogue::ScanFolder(const std::string& folder, const char* suffix,
                                  std::vector<std::unique_ptr<Module>>& list,
                                  Register&& register_names) {
  Result<std::vector<std::string>> names = fs_.ListFiles(folder, suffix);
  if (!names.ok()) return;
  for (const std::string& name : *names) {
    if (IsFileLoaded(name)) continue;
    const std::string path = JoinPath(folder, name);
    auto opened = Module::Create(path, fs_, user_folder_);
    if (!opened.ok()) {
      skipped_.push_back({path, opened.status().message()});
      continue;
    }
    Module* module = opened->get();
    list.push_back(std::move(opened).value());
    loaded_files_.insert(name);
    register_names(module);
    names_in_use_.Add(module->GetAbbreviation(), nullptr);
    names_in_use_.Add(module->GetTitle(), nullptr);
  }
}

void TModuleCatalogue::ScanBookFolder(const std::string& folder) {
  ScanFolder(folder, kBookFilePattern, books_, [this](TLMDictionaryModule* book) {
    books_by_title_.Add(book->GetTitle(), book);
    books_by_abbreviation_.Add(book->GetAbbreviation(), book);
  });
}

void TModuleCatalogue::ScanCommentaryFolder(const std::string& folder) {
  ScanFolder(folder, kCommentaryFilePattern, commentaries_, [this](TLMCommentaryModule* c) {
    commentaries_by_title_.Add(c->GetTitle(), c);
    commentaries_by_abbreviation_.Add(c->GetAbbreviation(), c);
  });
}

namespace {

// Ascending by lower-cased abbreviation, byte-wise, stable.
template <typename Module>
void SortByLowerAbbreviation(std::vector<std::unique_ptr<Module>>& list) {
  std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
    return cp1252::LowerAscii(a->GetAbbreviation()) < cp1252::LowerAscii(b->GetAbbreviation());
  });
}

}  // namespace

void TModuleCatalogue::SortBooks() {
  SortByLowerAbbreviation(books_);
  hebrew_book_ = greek_book_ = nvcx_book_ = nullptr;
  // Later matches replace earlier ones.
  for (const auto& book : books_) {
    const std::string& code = book->GetModuleCode();
    if (code == kHebrewStrongsCode) hebrew_book_ = book.get();
    if (code == kGreekStrongsCode) greek_book_ = book.get();
    if (code == kNvcxCode) nvcx_book_ = book.get();
  }
}

void TModuleCatalogue::SortCommentaries() {
  SortByLowerAbbreviation(commentaries_);
  editable_.clear();
  for (const auto& c : commentaries_)
    if (!c->IsReadOnly()) editable_.push_back(c.get());
}

void TModuleCatalogue::UpdateVerseLinks(const StatusReporter& report) {
  auto update = [&](auto& module) {
    if (!module->NeedsVerseLinkRebuild()) return;
    if (report) report("Updating Verse Links: " + module->GetAbbreviation());
    // A module whose index cannot be written keeps it in memory; the load
    // goes on either way.
    if (Status s = module->RebuildVerseLinks(); !s.ok()) {
      problems_.push_back(module->FileName() + ": verse links kept in memory (" + s.message() +
                          ")");
      index_problems_.push_back({module->FileName(), s.message()});
    }
  };
  for (auto& book : books_) update(book);
  for (auto& c : commentaries_) update(c);
}

}  // namespace lumora
