// One line of lumora-cli check: the faults or facts found for one file.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "core/text/cp1252.h"

namespace lumora::cli {

class CheckReport {
 public:
  void Fault(std::string text) { faults_.push_back(std::move(text)); }
  void Fact(std::string text) { facts_.push_back(std::move(text)); }
  bool ok() const { return faults_.empty(); }

  // "ok" or "FAULT", the name, then the facts (or the faults), in UTF-8.
  void Print(std::ostream& out, const std::string& name) const {
    out << (ok() ? "ok" : "FAULT") << '\t' << name << '\t';
    const auto& items = ok() ? facts_ : faults_;
    for (size_t k = 0; k < items.size(); ++k) out << (k ? "; " : "") << cp1252::ToUtf8(items[k]);
    out << '\n';
  }

 private:
  std::vector<std::string> faults_, facts_;
};

inline std::string CountOf(size_t n, const char* what) { return std::to_string(n) + ' ' + what; }

}  // namespace lumora::cli
