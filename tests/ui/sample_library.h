// The sample library for the widget tests of the Bible pane and the main
// window: one catalogue for the whole program (never destroyed: modules must
// not outlive the mapping cache), and a Bible view set up as start-up does.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "config/properties.h"
#include "core/catalogue/module_catalogue.h"
#include "core/refs/paragraph_map.h"
#include "tests/library/library_fixture.h"
#include "views/bible_view.h"
#include "views/library.h"

namespace lumora::test {

struct SampleLibrary {
  std::unique_ptr<TModuleCatalogue> catalogue;
  ParagraphMap paragraphs;

  const TLMBibleModule& Kjv() const { return *catalogue->KjvBible(); }
  const TLMBibleModule* Bible(const std::string& abbreviation) const {
    for (const auto& b : catalogue->Bibles())
      if (b->GetAbbreviation() == abbreviation) return b.get();
    return nullptr;
  }
  int Verse(int book, int chapter, int verse) const {
    return Kjv().LocateVerse(book, chapter, verse);
  }
};

// The library, shared while anyone holds it. Module files are opened
// exclusively, so the suites hold it only while they run (SetUpTestSuite /
// TearDownTestSuite) and the main window's own catalogue can open them
// later. Null when LUMORA_LIBRARY does not name the built library.
inline std::shared_ptr<const SampleLibrary> OpenSampleLibrary() {
  static std::weak_ptr<const SampleLibrary> shared;
  if (auto lib = shared.lock()) return lib;
  const std::string folder = SampleLibraryFolder();
  if (folder.empty()) return nullptr;
  auto lib = std::make_shared<SampleLibrary>();
  lib->catalogue = std::make_unique<TModuleCatalogue>();
  if (!lib->catalogue->LoadModules(folder).ok()) return nullptr;
  Result<ParagraphMap> map = ParagraphMap::Load(DefaultFileSystem(), folder + "/pmap.dat");
  if (map.ok()) lib->paragraphs = map.value();
  shared = lib;
  return lib;
}

// The sample library as a pane's library: the shared catalogue and
// paragraph map, borrowed (SampleLibrary keeps owning them).
inline void AttachSample(ui::TLibrary& library, const SampleLibrary& lib) {
  library.Borrow(lib.catalogue.get());
  library.BorrowParagraphMap(&lib.paragraphs);
}

// The Bible view as the main window's start-up prepares it, on `library`
// (which AttachSample filled).
inline void SetUpBibleView(ui::TFrameBibleView& view, ui::TLibrary& library,
                           const SampleLibrary& lib) {
  AttachSample(library, lib);
  view.SetBibles();
}

// Fresh defaults in the process-wide store.
inline void ResetSettings() { config::GlobalProperties() = config::DefaultProperties(); }

}  // namespace lumora::test
