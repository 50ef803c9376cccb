// lumora-synthetic-noteset FOLDER BASE [--damage KIND] [--upper] [--huge]:
// writes the sample notes as FOLDER/BASE.nmi and FOLDER/BASE.nmd. KIND is
// short-index, negative-offset, decreasing-offset, offset-past-end,
// missing-index or missing-data; --upper writes ".NMI"/".NMD"; --huge adds
// an incompressible note on Genesis 1:2.
#include <iostream>
#include <string>

#include "tools/notesets/noteset_samples.h"

namespace {

const char* const kNoteSetUsage =
    "usage: lumora-synthetic-noteset FOLDER BASE [--damage KIND] [--upper] [--huge]\n"
    "  KIND: short-index negative-offset decreasing-offset offset-past-end\n"
    "        missing-index missing-data\n";

bool DamageNamed(const std::string& name, lumora::notesets::NoteSetDamage& damage) {
  using lumora::notesets::NoteSetDamage;
  const struct {
    const char* name;
    NoteSetDamage damage;
  } kNames[] = {
      {"short-index", NoteSetDamage::kShortIndex},
      {"negative-offset", NoteSetDamage::kNegativeOffset},
      {"decreasing-offset", NoteSetDamage::kDecreasingOffset},
      {"offset-past-end", NoteSetDamage::kOffsetPastEnd},
      {"missing-index", NoteSetDamage::kMissingIndex},
      {"missing-data", NoteSetDamage::kMissingData},
  };
  for (const auto& n : kNames)
    if (name == n.name) return damage = n.damage, true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder, base;
  lumora::notesets::NoteSetOptions options;
  bool huge = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kNoteSetUsage;
      return 0;
    } else if (arg == "--upper") {
      options.upper_case_extensions = true;
    } else if (arg == "--huge") {
      huge = true;
    } else if (arg == "--damage" && i + 1 < argc) {
      if (!DamageNamed(argv[++i], options.damage)) {
        std::cerr << "lumora-synthetic-noteset: unknown damage " << argv[i] << '\n'
                  << kNoteSetUsage;
        return 2;
      }
    } else if (!arg.empty() && arg[0] == '-') {
      std::cerr << kNoteSetUsage;
      return 2;
    } else if (folder.empty()) {
      folder = arg;
    } else if (base.empty()) {
      base = arg;
    } else {
      std::cerr << kNoteSetUsage;
      return 2;
    }
  }
  if (folder.empty() || base.empty()) {
    std::cerr << kNoteSetUsage;
    return 2;
  }
  std::vector<std::string> notes = lumora::notesets::SampleNotes();
  if (huge) notes[1] = lumora::notesets::IncompressibleNote(70000);
  const lumora::Result<std::string> written =
      lumora::notesets::WriteNoteSet(lumora::DefaultFileSystem(), folder, base, notes, options);
  if (!written.ok()) {
    std::cerr << "lumora-synthetic-noteset: " << written.status().message() << '\n';
    return 1;
  }
  std::cout << *written << '\n';
  return 0;
}
