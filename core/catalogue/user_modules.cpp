// Creating and deleting user modules while the program runs.
#include <algorithm>

#include "core/catalogue/module_catalogue.h"

namespace lumora {

namespace {

// The loaded module of `list` whose file was just made, found by path.
template <typename Module>
Module* FindByFile(const std::vector<std::unique_ptr<Module>>& list, const std::string& path) {
  for (const auto& m : list)
    if (m->FileName() == path) return m.get();
  return nullptr;
}

// Takes `module` out of `list`, handing back ownership; null when absent.
template <typename Module>
std::unique_ptr<Module> TakeOut(std::vector<std::unique_ptr<Module>>& list,
                                const Module* module) {
  auto it = std::find_if(list.begin(), list.end(),
                         [module](const auto& m) { return m.get() == module; });
  if (it == list.end()) return nullptr;
  std::unique_ptr<Module> taken = std::move(*it);
  list.erase(it);
  return taken;
}

}  // namespace

Result<TLMCommentaryModule*> TModuleCatalogue::CreateUserCommentary(
    const std::string& title, const std::string& abbreviation) {
  NotifyAboutToChange();
  Status made = TLMCommentaryModule::CreateUserCommentaryFile(title, abbreviation, user_folder_, fs_);
  TLMCommentaryModule* created = nullptr;
  if (made.ok()) {
    ScanCommentaryFolder(user_folder_);
    SortCommentaries();
    created = FindByFile(commentaries_, JoinPath(user_folder_, abbreviation + ".lmc"));
    if (created == nullptr)
      made = Status::Error(ErrorKind::kCreate, "The new user commentary could not be opened.");
  }
  NotifyChanged();
  if (!made.ok()) return made;
  return created;
}

Result<TLMDictionaryModule*> TModuleCatalogue::CreateUserBook(const std::string& title,
                                                             const std::string& abbreviation) {
  NotifyAboutToChange();
  Status made = TLMDictionaryModule::CreateUserBookFile(title, abbreviation, user_folder_, fs_);
  TLMDictionaryModule* created = nullptr;
  if (made.ok()) {
    ScanBookFolder(user_folder_);
    SortBooks();
    created = FindByFile(books_, JoinPath(user_folder_, abbreviation + ".lmk"));
    if (created == nullptr)
      made = Status::Error(ErrorKind::kCreate, "The new user book could not be opened.");
  }
  NotifyChanged();
  if (!made.ok()) return made;
  return created;
}

void TModuleCatalogue::RestoreNamesInUse() {
  for (const auto& b : bibles_) {
    if (b->IsStrongsLinks()) continue;
    names_in_use_.Add(b->GetAbbreviation(), nullptr);
    names_in_use_.Add(b->GetTitle(), nullptr);
  }
  for (const auto& b : books_) {
    names_in_use_.Add(b->GetAbbreviation(), nullptr);
    names_in_use_.Add(b->GetTitle(), nullptr);
  }
  for (const auto& c : commentaries_) {
    names_in_use_.Add(c->GetAbbreviation(), nullptr);
    names_in_use_.Add(c->GetTitle(), nullptr);
  }
}

Status TModuleCatalogue::DeleteUserCommentary(const TLMCommentaryModule* commentary) {
  if (commentary == nullptr || commentary->IsReadOnly() ||
      FindByFile(commentaries_, commentary->FileName()) != commentary)
    return Status::Error(ErrorKind::kReadOnly, "Not a loaded user commentary.");
  NotifyAboutToChange();
  const std::string path = commentary->FileName();
  loaded_files_.erase(BaseName(path));
  names_in_use_.RemoveName(commentary->GetAbbreviation());
  names_in_use_.RemoveName(commentary->GetTitle());
  commentaries_by_title_.RemoveModule(commentary);
  commentaries_by_abbreviation_.RemoveModule(commentary);
  std::erase(editable_, commentary);
  std::unique_ptr<TLMCommentaryModule> closing = TakeOut(commentaries_, commentary);
  RestoreNamesInUse();
  closing.reset();  // unmaps the file before it is deleted
  const Status removed = fs_.Remove(path);
  NotifyChanged();
  return removed;
}

Status TModuleCatalogue::DeleteUserBook(const TLMDictionaryModule* book) {
  if (book == nullptr || book->IsReadOnly() || FindByFile(books_, book->FileName()) != book)
    return Status::Error(ErrorKind::kReadOnly, "Not a loaded user book.");
  NotifyAboutToChange();
  const std::string path = book->FileName();
  loaded_files_.erase(BaseName(path));
  names_in_use_.RemoveName(book->GetAbbreviation());
  names_in_use_.RemoveName(book->GetTitle());
  books_by_title_.RemoveModule(book);
  books_by_abbreviation_.RemoveModule(book);
  std::unique_ptr<TLMDictionaryModule> closing = TakeOut(books_, book);
  SortBooks();  // picks the special Books again without this one
  RestoreNamesInUse();
  closing.reset();
  const Status removed = fs_.Remove(path);
  NotifyChanged();
  return removed;
}

}  // namespace lumora
