#include "views/bible_view_library.h"

#include <memory>

namespace lumora::ui {
namespace {

template <typename Module>
std::vector<const Module*> Borrowed(const std::vector<std::unique_ptr<Module>>& owned) {
  std::vector<const Module*> list;
  list.reserve(owned.size());
  for (const auto& m : owned) list.push_back(m.get());
  return list;
}

}  // namespace

void AttachCatalogue(TFrameBibleView& view, const TModuleCatalogue& catalogue,
                     const ParagraphMap* paragraphs,
                     const std::vector<std::string>& excluded_from_linking) {
  const std::vector<const TLMCommentaryModule*> editable(
      catalogue.EditableCommentaries().begin(), catalogue.EditableCommentaries().end());
  view.SetBibles(Borrowed(catalogue.Bibles()), catalogue.KjvBible());
  view.SetResources(Borrowed(catalogue.Commentaries()), Borrowed(catalogue.Books()), editable,
                    excluded_from_linking);
  view.SetStrongsBooks(catalogue.HebrewStrongsBook(), catalogue.GreekStrongsBook());
  view.SetStrongsData(catalogue.StrongsData());
  view.SetParagraphMap(paragraphs);
}

}  // namespace lumora::ui
