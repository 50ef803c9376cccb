// An observer that writes down every call the full search makes, and can
// stop the scan at its n-th stop question: two scans behaved alike when
// their traces and jobs are equal.
#pragma once

#include <string>
#include <vector>

#include "search/full_search_scan.h"

namespace lumora::test {

class FullSearchTrace : public FullSearchObserver {
 public:
  explicit FullSearchTrace(long stop_at = -1) : stop_at_(stop_at) {}

  void OnProgress(const FullSearchProgress& p) override {
    calls.push_back("progress " + p.module_title + " " + std::to_string(p.found) + " " +
                    std::to_string(p.position) + "/" + std::to_string(p.maximum));
  }
  void OnModuleDamaged(const std::string& title, const std::string& message) override {
    calls.push_back("damaged " + title + " " + message);
  }
  bool ShouldStop() override {
    ++questions;
    return questions == stop_at_;
  }

  std::vector<std::string> calls;
  long questions = 0;

 private:
  long stop_at_;
};

// Everything a scan leaves in its job, one line per module.
inline std::vector<std::string> JobState(const TBigSearchArray& job) {
  std::vector<std::string> lines;
  for (const TBigSearchNode& node : job) {
    std::string line = node.module.Title() + " hits " + std::to_string(node.hit_count) +
                       " damaged " + std::to_string(node.damaged_count) + " " + node.first_damage;
    for (const int item : node.HitList())
      line += " " + std::to_string(item) + "@" + std::to_string(node.positions[size_t(item)]);
    lines.push_back(std::move(line));
  }
  return lines;
}

inline std::string OutcomeText(const FullSearchOutcome& o) {
  return std::to_string(o.found) + (o.stopped ? " stopped " : " complete ") +
         std::to_string(o.bytes_scanned) + " bytes, damaged modules " +
         std::to_string(o.damaged_modules);
}

}  // namespace lumora::test
