#include "bench/bench_library.h"

#include <cstdlib>
#include <filesystem>

#include "bench/bench_bible.h"
#include "core/modules/bible_mapping_cache.h"
#include "core/platform/file_system.h"
#include "tests/support/test_bible.h"

namespace lumora::bench {
namespace {

namespace fs = std::filesystem;

// The folder LUMORA_LIBRARY names when it holds a library, else empty.
std::string LibraryFolder() {
  const char* folder = std::getenv("LUMORA_LIBRARY");
  if (folder == nullptr || *folder == '\0') return {};
  std::error_code ec;
  return fs::exists(fs::path(folder) / "Bibles" / "KJV.lmb", ec) ? std::string(folder)
                                                                 : std::string();
}

std::string& LibraryProblem() {
  static std::string problem = "skipped: no sample library (set LUMORA_LIBRARY to it)";
  return problem;
}

}  // namespace

// Never freed: the modules unmap through the file system and the mapping
// cache, which static destruction could tear down first.
const BenchLibrary* SampleLibrary() {
  static const BenchLibrary* library = []() -> const BenchLibrary* {
    const std::string folder = LibraryFolder();
    if (folder.empty()) return nullptr;
    auto* l = new BenchLibrary;
    l->folder = folder;
    l->catalogue = std::make_unique<TModuleCatalogue>();
    const Status loaded = l->catalogue->LoadModules(folder);
    if (!loaded.ok() || l->catalogue->KjvBible() == nullptr) {
      LibraryProblem() = "the sample library in " + folder + " does not load: " +
                         (loaded.ok() ? std::string("no KJV") : loaded.message());
      delete l;
      return nullptr;
    }
    Result<ParagraphMap> map =
        ParagraphMap::Load(DefaultFileSystem(), JoinPath(folder, kParagraphMapFileName));
    if (map.ok()) l->paragraphs = std::move(map).value();
    return l;
  }();
  return library;
}

const char* NoSampleLibrary() {
  (void)SampleLibrary();
  return LibraryProblem().c_str();
}

const TLMBibleModule* BenchBible(benchmark::State& state, std::string* label) {
  static std::string error;
  static const TLMBibleModule* bible = []() -> const TLMBibleModule* {
    if (const BenchLibrary* l = SampleLibrary()) return l->catalogue->KjvBible();
    Result<std::unique_ptr<TLMBibleModule>> opened = TLMBibleModule::Create(BenchBiblePath());
    if (!opened.ok()) {
      error = opened.status().message();
      return nullptr;
    }
    return std::move(opened).value().release();  // kept for the run, as the library is
  }();
  if (bible == nullptr) state.SkipWithError(error.c_str());
  if (label) *label = SampleLibrary() ? "imported KJV" : "synthetic Bible (set LUMORA_LIBRARY)";
  return bible;
}

const std::string& BenchBiblePath(std::string* label) {
  static std::string path, what;
  if (path.empty()) {
    const std::string folder = LibraryFolder();
    std::error_code ec;
    if (!folder.empty()) {
      // A copy: the shared catalogue holds the library's own file.
      const fs::path copy = fs::temp_directory_path() / "lumora-bench-kjv.lmb";
      fs::copy_file(fs::path(folder) / "Bibles" / "KJV.lmb", copy,
                    fs::copy_options::overwrite_existing, ec);
      if (!ec) path = copy.string();
      what = "imported KJV";
    } else {
      path = (fs::temp_directory_path() / "lumora-bench-synthetic.lmb").string();
      if (!builder::WriteBibleModule(test::MakeTestBible("KJV"), path).ok()) path.clear();
      what = "synthetic Bible (set LUMORA_LIBRARY for the real KJV)";
    }
  }
  if (label) *label = what;
  return path;
}

}  // namespace lumora::bench
