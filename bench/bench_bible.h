// The Bible the benchmarks measure: the imported KJV of the sample library
// when LUMORA_LIBRARY names it, else a synthetic Bible.
#pragma once

#include <string>

namespace lumora::bench {

// Path of a Bible module file to measure; `label` says which one it is.
const std::string& BenchBiblePath(std::string* label = nullptr);

}  // namespace lumora::bench
