// Scanning the "Images" folder at start-up: 2,000 images in 40 folders
// (two levels deep, a few other files among them) under 100 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/image_library.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

const lumora::test::TempFolder& ImageTree() {
  static lumora::test::TempFolder* folder = [] {
    auto* f = new lumora::test::TempFolder;  // lives for the process
    const char* const extensions[] = {".png", ".jpg", ".jpeg", ".PNG"};
    for (int group = 0; group < 8; ++group) {
      for (int sub = 0; sub < 5; ++sub) {
        const fs::path dir = fs::path(f->Path()) / "Images" / ("Group" + std::to_string(group)) /
                             ("Set" + std::to_string(sub));
        fs::create_directories(dir);
        for (int i = 0; i < 50; ++i)
          std::ofstream(dir / ("picture" + std::to_string(i) + extensions[i % 4])) << "x";
        std::ofstream(dir / "notes.txt") << "x";
      }
    }
    return f;
  }();
  return *folder;
}

void BM_ScanImages2000(benchmark::State& state) {
  const std::string images = ImageTree().File("Images");
  int count = 0;
  for (auto _ : state) {
    lumora::ImageLibrary library = lumora::ImageLibrary::Scan(lumora::DefaultFileSystem(), images);
    count = library.ImageCount();
    benchmark::DoNotOptimize(library);
  }
  if (count != 2000) state.SkipWithError("expected 2000 images");
  state.counters["images"] = count;
}
BENCHMARK(BM_ScanImages2000)->Unit(benchmark::kMillisecond);

}  // namespace
