#include "core/platform/file_system.h"

#include <algorithm>

#include "core/text/cp1252.h"

namespace lumora {

namespace {
#ifdef _WIN32
constexpr char kSeparator = '\\';
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
#else
constexpr char kSeparator = '/';
bool IsSeparator(char c) { return c == '/'; }
#endif
}  // namespace

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string out(folder);
  if (!out.empty() && !IsSeparator(out.back())) out += kSeparator;
  out += name;
  return out;
}

std::string BaseName(std::string_view path) {
  size_t i = path.size();
  while (i > 0 && !IsSeparator(path[i - 1])) --i;
  return std::string(path.substr(i));
}

void SortFileNames(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return cp1252::LessNoCaseThenBytes(a, b);
  });
}

bool HasSuffixNoCase(std::string_view name, std::string_view suffix) {
  return name.size() >= suffix.size() &&
         cp1252::EqualNoCase(name.substr(name.size() - suffix.size()), suffix);
}

}  // namespace lumora
