// lumora-help-keys FILE: writes the help's key list page, made from the
// main window's command table, so the page always matches the program.
#include <cstdio>
#include <string>

#include "app/command_table.h"
#include "app/help_topics.h"
#include "core/platform/file_system.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lumora-help-keys FILE\n");
    return 2;
  }
  const std::string path = argv[1];
  lumora::FileSystem& fs = lumora::DefaultFileSystem();
  if (const lumora::Status made = lumora::CreateFolders(fs, lumora::ParentFolder(path)); !made.ok()) {
    std::fprintf(stderr, "lumora-help-keys: %s\n", made.message().c_str());
    return 1;
  }
  const lumora::Status written = fs.WriteFile(path, lumora::KeyListHtml(lumora::MainCommands()));
  if (!written.ok()) {
    std::fprintf(stderr, "lumora-help-keys: %s\n", written.message().c_str());
    return 1;
  }
  return 0;
}
