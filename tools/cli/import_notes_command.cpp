#include "tools/cli/import_notes_command.h"

#include <ostream>

#include "core/import/note_set.h"
#include "core/text/cp1252.h"

namespace lumora::cli {
namespace {

// Passes on the terminal; counters would flood it.
class PassPrinter : public NoteImportProgress {
 public:
  explicit PassPrinter(std::ostream& err) : err_(err) {}
  void Pass(const std::string& text) override { err_ << text << '\n'; }

 private:
  std::ostream& err_;
};

}  // namespace

int RunImportNotesCommand(const TModuleCatalogue& catalogue,
                          const std::vector<std::string>& arguments, std::ostream& out,
                          std::ostream& err, FileSystem& fs) {
  if (arguments.size() != 3) {
    err << "usage: lumora-cli import-notes FILE.nmi TITLE ABBREVIATION\n";
    return 2;
  }
  const std::string title = cp1252::FromUtf8(arguments[1]);
  const std::string abbreviation = cp1252::FromUtf8(arguments[2]);
  if (title.empty() || abbreviation.empty()) {
    err << "lumora-cli: the title and the abbreviation must not be empty\n";
    return 2;
  }
  if (catalogue.NamesInUse().Contains(title) || catalogue.NamesInUse().Contains(abbreviation)) {
    err << "lumora-cli: the name is already in use\n";
    return 1;
  }
  if (catalogue.KjvBible() == nullptr) {
    err << "lumora-cli: no KJV Bible\n";
    return 1;
  }
  Result<NoteSetFiles> files = OpenNoteSet(arguments[0], fs);
  if (!files.ok()) {
    err << "lumora-cli: " << files.status().message() << '\n';
    return 1;
  }
  PassPrinter progress(err);
  const Result<std::string> written = ImportNoteSet(
      *files, title, abbreviation, catalogue.UserFolder(), *catalogue.KjvBible(), fs, &progress);
  if (!written.ok()) {
    err << "lumora-cli: " << written.status().message() << '\n';
    return 1;
  }
  out << "Conversion successful: " << *written << '\n';
  return 0;
}

}  // namespace lumora::cli
