// Links between resources ("lmbook", "lmcmt", "lmimage"): the links the
// "Send ... Link to Editor" commands write and users type into their own
// entries. ResolveResourceLink reads one and says what the window does with
// it (show a Book entry, a comment, an image) or which "Error: ..." message
// it shows instead; the window carries the result out. Nothing here changes
// a pane, so a test can walk every message without widgets.
//
// Reading rules: split at the first ":" (no ":": nothing); scheme and rest
// are lower-cased; a "|" at the rest's second character or later separates
// the abbreviation from the target ("|" last: a badly formed link), a "|"
// at its first character is dropped (no abbreviation). Abbreviations are
// looked up in the catalogue's name lists and titles in the module's title
// list, all without regard to case; reference text is read against the KJV
// Bible.
#pragma once

#include <string>
#include <string_view>

namespace lumora {

class TLMCommentaryModule;
class TLMDictionaryModule;
class TModuleCatalogue;

inline constexpr const char* kBadlyFormedLinkMessage = "Error: badly formed link.";
inline constexpr const char* kNoBooksLoadedMessage = "Error: No books loaded.";
inline constexpr const char* kNoCommentariesLoadedMessage = "Error: No commentaries loaded.";
inline constexpr const char* kImageNotFoundMessage = "Error: Image not found.";

// What the panes show when the link has no abbreviation (null: nothing).
struct TResourceLinkPanes {
  const TLMDictionaryModule* book = nullptr;
  const TLMCommentaryModule* commentary = nullptr;
};

struct TResourceLinkAction {
  enum class Kind {
    kNone,            // not a resource link: nothing happens
    kMessage,         // show `message` (Windows-1252), change nothing
    kShowBookEntry,   // the Book view shows `book` at `entry`, no verse marked
    kShowCommentary,  // the Commentary view shows `commentary` at `position`
    kShowImage,       // the image viewer shows `image` (lower-cased name)
  };
  Kind kind = Kind::kNone;
  std::string message;
  const TLMDictionaryModule* book = nullptr;
  int entry = -1;
  const TLMCommentaryModule* commentary = nullptr;
  int position = -1;  // Commentary slot: verse index - 1
  std::string image;
};

// `href` is the whole link as written (Windows-1252). Schemes other than the
// three give kNone. Every module in the result belongs to `catalogue`; every
// number is in range for its module.
TResourceLinkAction ResolveResourceLink(std::string_view href, const TModuleCatalogue& catalogue,
                                        const TResourceLinkPanes& shown);

}  // namespace lumora
