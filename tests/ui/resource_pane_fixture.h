// Helpers of the Book and Commentary pane tests: a copy of the synthetic
// library with a user Book, a change of the library's lists as a user
// module's creation or deletion makes it, and the counting of renders.
#pragma once

#include <gtest/gtest.h>

#include <QObject>
#include <QTextBrowser>
#include <memory>
#include <string>

#include "core/catalogue/module_catalogue.h"
#include "core/codec/base205.h"
#include "core/modules/book_module.h"
#include "render/entry_markup.h"
#include "render/passage_renderer.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_bible.h"
#include "tests/ui/synthetic_library.h"
#include "views/library.h"

namespace lumora::test {

inline constexpr const char* kUserBook = "UB";
inline constexpr const char* kUserBookNotes = "Notes";        // no text
inline constexpr const char* kUserBookSalt = "Salt & Light";  // cites John 3:16

// The synthetic library copied into `folder`, with the user Book "UB"
// ("Synthetic User Book") in its User folder.
inline void MakeUserLibrary(const TempFolder& folder) {
  CopySyntheticLibrary(folder.Path());
  const std::string user = folder.Path() + "/User";
  ASSERT_TRUE(TLMDictionaryModule::CreateUserBookFile("Synthetic User Book", kUserBook, user).ok());
  auto book =
      TLMDictionaryModule::Create(user + "/" + kUserBook + ".lmk", DefaultFileSystem(), user);
  ASSERT_TRUE(book.ok()) << book.status().message();
  ASSERT_TRUE(book.value()->AddEntry(kUserBookNotes).ok());
  ASSERT_TRUE(book.value()->AddEntry(kUserBookSalt).ok());
  const std::string text = std::string("Ye are the salt ") + entry_markup::kVerseList +
                           EncodeBase205(kJohn3_16) + entry_markup::kTerminator;
  ASSERT_TRUE(book.value()->WriteEntry(text, book.value()->FindTitle(kUserBookSalt)).ok());
}

// Replaces the library's catalogue by `next` between the catalogue's two
// notifications, as creating or deleting a user module does: the old
// modules are gone when the holders hear that the lists changed.
inline void SwapCatalogue(ui::TLibrary& library, std::unique_ptr<TModuleCatalogue> next) {
  library.Catalogue().NotifyAboutToChange();
  TModuleCatalogue* raw = next.get();
  library.Adopt(std::move(next));
  raw->NotifyChanged();
}

// Counts the renders of a display widget: each one loads "Loading..."
// first.
class RenderCounter : public QObject {
 public:
  explicit RenderCounter(QTextBrowser* view) {
    QObject::connect(view, &QTextBrowser::textChanged, this, [this, view] {
      if (view->toPlainText() == QLatin1String(kLoadingPlaceholder)) ++count;
    });
  }
  int count = 0;
};

}  // namespace lumora::test
