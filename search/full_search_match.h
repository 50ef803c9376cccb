// Matching one searched text in the full reference search: one skip table
// per search, an optional whole-word rule.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/status.h"
#include "core/text/fast_strings.h"

namespace lumora {

class FullSearchMatcher {
 public:
  // Fails ("BufferLen is 0") for an empty pattern.
  static Result<FullSearchMatcher> Create(std::string_view pattern, bool case_sensitive,
                                          bool allow_substring);

  // 1-based position of the hit in `text`, 0 when none. Without substring
  // matches an occurrence counts only when no letter A-Z/a-z touches it on
  // either side; a later occurrence may still count.
  size_t Match(std::string_view text) const;
  // Any occurrence at all (entry titles take no whole-word rule).
  bool Occurs(std::string_view text) const { return Scan(text, 0) != nullptr; }

  const std::string& pattern() const { return pattern_; }
  bool case_sensitive() const { return case_sensitive_; }

 private:
  FullSearchMatcher() = default;
  const char* Scan(std::string_view text, size_t from) const;

  std::string pattern_;
  bool case_sensitive_ = false;
  bool allow_substring_ = true;
  SkipTable table_{};
};

}  // namespace lumora
