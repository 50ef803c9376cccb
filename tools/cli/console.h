// lumora-cli talks UTF-8 with "\n" line ends on every system, so its output
// is the same bytes everywhere, and takes its arguments as UTF-8, the
// encoding the file system layer expects of paths.
#pragma once

#include <string>
#include <vector>

namespace lumora::cli {

// For the life of the object: on Windows stdout and stderr write bytes as
// they are (no "\r\n") and the console shows UTF-8; the console's previous
// code page comes back afterwards. Elsewhere it does nothing.
class Utf8Console {
 public:
  Utf8Console();
  ~Utf8Console();
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;

 private:
  unsigned previous_code_page_ = 0;
};

// The program's arguments in UTF-8. Windows hands `argv` over in the ANSI
// code page, which cannot spell every file name; there they come from the
// UTF-16 command line instead. Elsewhere `argv` as it is.
class Utf8Arguments {
 public:
  Utf8Arguments(int argc, char** argv);
  Utf8Arguments(const Utf8Arguments&) = delete;
  Utf8Arguments& operator=(const Utf8Arguments&) = delete;
  int argc() const { return static_cast<int>(pointers_.size()) - 1; }
  char** argv() { return pointers_.data(); }
  const std::vector<std::string>& strings() const { return strings_; }

 private:
  std::vector<std::string> strings_;
  std::vector<char*> pointers_;  // into strings_, null-terminated like argv
};

#ifdef _WIN32
// Splits a Windows command line by the system's rules into UTF-8 arguments.
std::vector<std::string> SplitCommandLine(const wchar_t* command_line);
#endif

}  // namespace lumora::cli
