// The start-up sequence's clock: with --startup-timing each step prints the
// time since the program was launched and since the step before, so slow
// steps show at a glance. The sequence itself is TMain::FormCreate
// (startup.cpp).
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <cstdio>
#include <string>
#include <vector>

namespace lumora::ui {

class TStartupTiming {
 public:
  // `launch` started when main() began; `out` null prints nothing.
  TStartupTiming(const QElapsedTimer& launch, std::FILE* out) : launch_(launch), out_(out) {}

  bool Enabled() const { return out_ != nullptr; }
  // "startup: <ms since launch> ms (+<ms since the previous step>) <step>"
  void Step(const char* name);
  // Any free-form line under the same prefix.
  void Note(const QString& text);

  struct Mark {
    std::string name;
    double ms = 0;
  };
  const std::vector<Mark>& Marks() const { return marks_; }

 private:
  QElapsedTimer launch_;
  std::FILE* out_ = nullptr;
  double last_ms_ = 0;
  std::vector<Mark> marks_;
};

}  // namespace lumora::ui
