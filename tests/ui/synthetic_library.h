// A small library made with the project's module builder, for widget tests
// that need no sample library: written once per process into a temporary
// folder laid out as the program expects, and loaded into a fresh catalogue
// per test.
//
// Contents ("Synthetic ..." titles):
//   Bibles: KJV (Strong's numbers, so the catalogue adds its KJVSL twin),
//           WEB (no Strong's numbers).
//   Books:  StrHeb and StrGrk lexicons (30 entries each, H0001.., G0001..);
//           "SYNT" topics sharing titles with Nave's (AARON, ABRAHAM, ...),
//           one entry per link scheme, valid and malformed; "SYND", a second
//           Book with AARON and Abraham and an entry citing John 3:16 (so
//           two entries across Books cite it, and in SYNT two entries do).
//   Commentaries: "CN" (comments on Genesis 1:1, John 3:16, John 3:17),
//           "CR" (John 3:16 only); User/"UN" a user Commentary (empty).
//   stgdat.lm4 (the test Strong's words), pmap.dat (no paragraph marks).
#pragma once

#include <memory>
#include <string>

#include "core/catalogue/module_catalogue.h"

namespace lumora::test {

// The folder (built on first use).
const std::string& SyntheticLibraryFolder();

// A catalogue freshly loaded from a copy of the folder made for the caller
// (so a test may write user modules), or from the shared folder.
std::unique_ptr<TModuleCatalogue> LoadSyntheticLibrary(const std::string& folder =
                                                           SyntheticLibraryFolder());
// Copies the synthetic library into `folder` (a test's own temp folder).
void CopySyntheticLibrary(const std::string& folder);

// Entry titles of SYNT, in entry order (the builder sorts them).
inline constexpr const char* kSyntheticTopics = "SYNT";
inline constexpr const char* kSyntheticDictionary = "SYND";

}  // namespace lumora::test
