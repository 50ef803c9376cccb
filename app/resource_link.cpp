#include "app/resource_link.h"

#include "core/catalogue/module_catalogue.h"
#include "core/refs/reference_parser.h"
#include "core/refs/verse_index.h"
#include "core/text/cp1252.h"

namespace lumora {
namespace {

TResourceLinkAction LinkMessage(std::string text) {
  TResourceLinkAction a;
  a.kind = TResourceLinkAction::Kind::kMessage;
  a.message = std::move(text);
  return a;
}

std::string QuotedName(std::string_view text) { return "\"" + std::string(text) + "\""; }

TResourceLinkAction ResolveBookLink(bool has_abbreviation, const std::string& abbreviation,
                                    const std::string& target, const TModuleCatalogue& catalogue,
                                    const TLMDictionaryModule* shown) {
  if (catalogue.Books().empty()) return LinkMessage(kNoBooksLoadedMessage);
  const TLMDictionaryModule* book =
      has_abbreviation ? catalogue.BooksByAbbreviation().Find(abbreviation) : shown;
  if (has_abbreviation && book == nullptr)
    return LinkMessage("Error: " + QuotedName(abbreviation) + " book not available.");
  // A Book view that shows nothing is as good as no Book at all.
  if (book == nullptr) return LinkMessage(kNoBooksLoadedMessage);
  const int entry = book->FindTitle(target);
  if (entry < 0 || entry >= book->EntryCount())
    return LinkMessage("Error: " + QuotedName(target) + " not found in " +
                       QuotedName(book->GetAbbreviation()));
  TResourceLinkAction a;
  a.kind = TResourceLinkAction::Kind::kShowBookEntry;
  a.book = book;
  a.entry = entry;
  return a;
}

TResourceLinkAction ResolveCommentaryLink(bool has_abbreviation, const std::string& abbreviation,
                                          const std::string& target,
                                          const TModuleCatalogue& catalogue,
                                          const TLMCommentaryModule* shown) {
  if (catalogue.Commentaries().empty()) return LinkMessage(kNoCommentariesLoadedMessage);
  const TLMCommentaryModule* commentary =
      has_abbreviation ? catalogue.CommentariesByAbbreviation().Find(abbreviation) : shown;
  if (has_abbreviation && commentary == nullptr)
    return LinkMessage("Error: " + QuotedName(abbreviation) + " commentary not available.");
  if (commentary == nullptr) return LinkMessage(kNoCommentariesLoadedMessage);
  const TLMBibleModule* kjv = catalogue.KjvBible();
  const ParsedReferences parsed =
      kjv != nullptr ? ParseReferences(target, *kjv) : ParsedReferences{};
  if (parsed.ranges.empty() || !IsVerseIndex(parsed.ranges.front().first))
    return LinkMessage("Error: " + QuotedName(target) + " not a valid reference.");
  TResourceLinkAction a;
  a.kind = TResourceLinkAction::Kind::kShowCommentary;
  a.commentary = commentary;
  a.position = parsed.ranges.front().first - 1;
  return a;
}

}  // namespace

TResourceLinkAction ResolveResourceLink(std::string_view href, const TModuleCatalogue& catalogue,
                                        const TResourceLinkPanes& shown) {
  const size_t colon = href.find(':');
  if (colon == std::string_view::npos) return {};
  const std::string scheme = cp1252::LowerAscii(href.substr(0, colon));
  if (scheme != "lmbook" && scheme != "lmcmt" && scheme != "lmimage") return {};
  const std::string rest = cp1252::LowerAscii(href.substr(colon + 1));

  const size_t bar = rest.find('|');
  const bool has_abbreviation = bar != std::string::npos && bar >= 1;
  if (has_abbreviation && bar + 1 == rest.size()) return LinkMessage(kBadlyFormedLinkMessage);
  std::string abbreviation;
  std::string target;
  if (has_abbreviation) {
    abbreviation = rest.substr(0, bar);
    target = rest.substr(bar + 1);
  } else {
    target = bar == 0 ? rest.substr(1) : rest;
  }

  if (scheme == "lmimage") {
    // The image's name is the whole rest, "|" and all.
    TResourceLinkAction a;
    a.kind = TResourceLinkAction::Kind::kShowImage;
    a.image = rest;
    return a;
  }
  if (scheme == "lmbook")
    return ResolveBookLink(has_abbreviation, abbreviation, target, catalogue, shown.book);
  return ResolveCommentaryLink(has_abbreviation, abbreviation, target, catalogue, shown.commentary);
}

}  // namespace lumora
