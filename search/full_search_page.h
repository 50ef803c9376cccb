// The result page of the full reference search: up to 100 results of one
// module, each a heading link and the verse or an excerpt of the entry with
// the search text marked, between two summary lines. Every text taken from
// a module is HTML-escaped; the mark is placed on the unescaped text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/color.h"
#include "core/modules/bible_module.h"
#include "search/full_search_job.h"

namespace lumora {

struct FullSearchPageRequest {
  const TBigSearchNode* node = nullptr;
  const std::vector<int>* results = nullptr;  // node->HitList()
  int start = 0;                              // 0-based result the page begins with
  std::string search_text;                    // trimmed, as searched
  bool case_sensitive = false;
  const TLMBibleModule* kjv = nullptr;
  config::TColor highlight = 0x000000FF;  // "KeyHiLightColor"
};

// Empty when `start` is not a result.
std::string FullSearchPageHtml(const FullSearchPageRequest& request);

// The summary line for results a..b (0-based) of `count`, module title
// given as stored.
std::string FullSearchSummary(int a, int b, int count, std::string_view title);

// The excerpt of an entry's plain text around a hit at 1-based `position`
// (-1: found by its title): 200 characters, "..." where text is cut off.
std::string FullSearchExcerpt(std::string_view text, int position);

}  // namespace lumora
