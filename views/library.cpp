#include "views/library.h"

#include <algorithm>

#include "core/text/cp1252.h"

namespace lumora::ui {
namespace {

template <typename Module>
std::vector<const Module*> BorrowedList(const std::vector<std::unique_ptr<Module>>& owned) {
  std::vector<const Module*> list;
  list.reserve(owned.size());
  for (const auto& m : owned) list.push_back(m.get());
  return list;
}

template <typename Module>
const Module* FindByAbbreviation(const std::vector<const Module*>& list,
                                 const std::string& abbreviation) {
  for (const Module* m : list)
    if (cp1252::EqualNoCase(m->GetAbbreviation(), abbreviation)) return m;
  return nullptr;
}

template <typename Module>
int PlaceIn(const std::vector<const Module*>& list, const Module* m) {
  const auto it = std::find(list.begin(), list.end(), m);
  return it == list.end() || m == nullptr ? -1 : static_cast<int>(it - list.begin());
}

}  // namespace

TLibrary::TLibrary(QObject* parent) : QObject(parent) {}

TLibrary::~TLibrary() {
  if (catalogue_) catalogue_->RemoveObserver(this);
}

Status TLibrary::Load(const std::string& program_folder,
                      const std::function<void(const std::string&)>& status) {
  if (catalogue_) return Status::Ok();
  auto catalogue = std::make_unique<TModuleCatalogue>();
  const Status loaded = catalogue->LoadModules(program_folder, status);
  if (!loaded.ok()) return loaded;
  Adopt(std::move(catalogue));
  return Status::Ok();
}

void TLibrary::Adopt(std::unique_ptr<TModuleCatalogue> catalogue) {
  TModuleCatalogue* raw = catalogue.get();
  Borrow(raw);
  owned_ = std::move(catalogue);
}

void TLibrary::Borrow(TModuleCatalogue* catalogue) {
  if (catalogue_) catalogue_->RemoveObserver(this);
  owned_.reset();
  catalogue_ = catalogue;
  if (catalogue_) catalogue_->AddObserver(this);
  RefreshLists();
}

void TLibrary::RefreshLists() {
  if (!catalogue_) {
    bibles_.clear();
    books_.clear();
    commentaries_.clear();
    editable_.clear();
    return;
  }
  bibles_ = BorrowedList(catalogue_->Bibles());
  books_ = BorrowedList(catalogue_->Books());
  commentaries_ = BorrowedList(catalogue_->Commentaries());
  editable_.assign(catalogue_->EditableCommentaries().begin(),
                   catalogue_->EditableCommentaries().end());
}

void TLibrary::ModulesAboutToChange() { Q_EMIT modulesAboutToChange(); }

void TLibrary::ModulesChanged() {
  RefreshLists();
  Q_EMIT modulesChanged();
}

const TLMBibleModule* TLibrary::Kjv() const {
  return catalogue_ ? catalogue_->KjvBible() : nullptr;
}
const TLMBibleModule* TLibrary::StrongsLinksBible() const {
  return catalogue_ ? catalogue_->StrongsLinksBible() : nullptr;
}
const TLMDictionaryModule* TLibrary::HebrewStrongsBook() const {
  return catalogue_ ? catalogue_->HebrewStrongsBook() : nullptr;
}
const TLMDictionaryModule* TLibrary::GreekStrongsBook() const {
  return catalogue_ ? catalogue_->GreekStrongsBook() : nullptr;
}
const TLMStrongsDataModule* TLibrary::StrongsData() const {
  return catalogue_ ? catalogue_->StrongsData() : nullptr;
}

const TLMBibleModule* TLibrary::FindBible(const std::string& abbreviation) const {
  return FindByAbbreviation(bibles_, abbreviation);
}
const TLMDictionaryModule* TLibrary::FindBook(const std::string& abbreviation) const {
  return FindByAbbreviation(books_, abbreviation);
}
const TLMCommentaryModule* TLibrary::FindCommentary(const std::string& abbreviation) const {
  return FindByAbbreviation(commentaries_, abbreviation);
}
int TLibrary::IndexOf(const TLMBibleModule* bible) const { return PlaceIn(bibles_, bible); }
int TLibrary::IndexOf(const TLMDictionaryModule* book) const { return PlaceIn(books_, book); }
int TLibrary::IndexOf(const TLMCommentaryModule* commentary) const {
  return PlaceIn(commentaries_, commentary);
}

}  // namespace lumora::ui
