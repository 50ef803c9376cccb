// Every verse and entry of a full-search job read as stored (inflated, word
// codes expanded, footnotes kept), no conversion, no matching: the floor
// under the full search. Shared by the benchmarks that measure it.
#pragma once

#include <cstdint>

#include "search/full_search_job.h"

namespace lumora::bench {

// Reads every item of `job` on `threads` threads (the calling thread one of
// them), each taking the next slice of a thousand items, as the full
// search's workers do. The bytes read.
uint64_t ReadEverything(const TBigSearchArray& job, int threads = 1);

}  // namespace lumora::bench
