#include "app/startup_problems.h"

#include "core/text/cp1252.h"

namespace lumora {
namespace {

// Whether `path` lies in `folder` (compared without case: Windows paths).
bool InFolder(const std::string& path, const std::string& folder) {
  if (folder.empty() || path.size() <= folder.size()) return false;
  if (!cp1252::EqualNoCase(std::string_view(path).substr(0, folder.size()), folder)) return false;
  const char next = path[folder.size()];
  return next == '/' || next == '\\' || folder.back() == '/' || folder.back() == '\\';
}

}  // namespace

std::string UserModuleProblems(const TModuleCatalogue& catalogue, FileSystem& fs) {
  std::string lines;
  const auto add = [&](const TModuleCatalogue::SkippedFile& f, const char* what) {
    if (!InFolder(f.path, catalogue.UserFolder())) return;
    lines += "\n" + f.path + ": " + what + f.error;
    if (fs.FileExists(f.path + ".bak"))
      lines += "\n    (the previous version is kept in " + f.path + ".bak)";
  };
  for (const auto& f : catalogue.SkippedFiles()) add(f, "not opened: ");
  for (const auto& f : catalogue.IndexProblems()) add(f, "verse links kept in memory only: ");
  if (lines.empty()) return {};
  return std::string(kUserModuleProblemsHeading) + "\n" + lines;
}

}  // namespace lumora
