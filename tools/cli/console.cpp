#include "tools/cli/console.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <climits>
#include <cstdio>
#include <cwchar>
#endif

namespace lumora::cli {

#ifdef _WIN32

Utf8Console::Utf8Console() {
  std::fflush(stdout);
  std::fflush(stderr);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // 0 when the program has no console (output redirected from a service).
  previous_code_page_ = GetConsoleOutputCP();
  if (previous_code_page_ != 0) SetConsoleOutputCP(CP_UTF8);
}

Utf8Console::~Utf8Console() {
  std::fflush(stdout);
  std::fflush(stderr);
  if (previous_code_page_ != 0) SetConsoleOutputCP(previous_code_page_);
}

namespace {

std::string ToUtf8(const wchar_t* text) {
  const size_t length = std::wcslen(text);
  if (length == 0 || length > static_cast<size_t>(INT_MAX)) return {};
  const int size = static_cast<int>(length);
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, size, out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const wchar_t* command_line) {
  std::vector<std::string> out;
  int count = 0;
  LPWSTR* parts = CommandLineToArgvW(command_line, &count);
  if (parts == nullptr) return out;
  for (int i = 0; i < count; ++i) out.push_back(ToUtf8(parts[i]));
  LocalFree(parts);
  return out;
}

Utf8Arguments::Utf8Arguments(int argc, char** argv) {
  strings_ = SplitCommandLine(GetCommandLineW());
  // Should the system's split ever disagree on the count, argv still
  // decides what the arguments are.
  if (strings_.size() != static_cast<size_t>(argc)) strings_.assign(argv, argv + argc);
  for (std::string& s : strings_) pointers_.push_back(s.data());
  pointers_.push_back(nullptr);
}

#else

Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() = default;

Utf8Arguments::Utf8Arguments(int argc, char** argv) : strings_(argv, argv + argc) {
  for (std::string& s : strings_) pointers_.push_back(s.data());
  pointers_.push_back(nullptr);
}

#endif

}  // namespace lumora::cli
