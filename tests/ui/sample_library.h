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
#include "views/bible_view_library.h"

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

// The Bible view as the main window's start-up prepares it.
inline void SetUpBibleView(ui::TFrameBibleView& view, const SampleLibrary& lib) {
  ui::AttachCatalogue(view, *lib.catalogue, &lib.paragraphs, {});
}

// Fresh defaults in the process-wide store.
inline void ResetSettings() { config::GlobalProperties() = config::DefaultProperties(); }

}  // namespace lumora::test
