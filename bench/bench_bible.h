// A Bible module file the benchmarks may open themselves: a copy of the
// sample library's KJV when LUMORA_LIBRARY names it (the library's own file
// is held by the shared catalogue, bench_library.h), else a synthetic Bible.
#pragma once

#include <string>

namespace lumora::bench {

// Path of a Bible module file to measure; `label` says which one it is. No
// one else holds the file open; a benchmark that opens it closes it again.
const std::string& BenchBiblePath(std::string* label = nullptr);

}  // namespace lumora::bench
