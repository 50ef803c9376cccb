#include "tools/notesets/noteset_samples.h"

#include "core/io/byte_io.h"
#include "core/refs/verse_index.h"
#include "tools/builder/kjv_versification.h"

namespace lumora::notesets {

NoteSetBytes BuildNoteSet(const std::vector<std::string>& notes, NoteSetDamage damage) {
  NoteSetBytes out;
  std::vector<int32_t> offsets(kVerseCount);
  for (size_t v = 0; v < offsets.size(); ++v) {
    offsets[v] = static_cast<int32_t>(out.data.size());
    if (v < notes.size()) out.data += notes[v];
  }
  switch (damage) {
    case NoteSetDamage::kShortIndex:
      offsets.pop_back();
      break;
    case NoteSetDamage::kNegativeOffset:
      offsets[0] = -4;
      break;
    case NoteSetDamage::kDecreasingOffset:
      // A verse whose offset lies before its predecessor's.
      offsets[200] = offsets[199] + 10;
      offsets[201] = offsets[199] + 5;
      out.data.append(20, 'x');
      break;
    case NoteSetDamage::kOffsetPastEnd:
      offsets.back() = static_cast<int32_t>(out.data.size()) + 1;
      break;
    default:
      break;
  }
  for (int32_t offset : offsets) AppendU32(out.index, static_cast<uint32_t>(offset));
  return out;
}

Result<std::string> WriteNoteSet(FileSystem& fs, const std::string& folder, const std::string& base,
                                 const std::vector<std::string>& notes,
                                 const NoteSetOptions& options) {
  const NoteSetBytes bytes = BuildNoteSet(notes, options.damage);
  const std::string index =
      JoinPath(folder, base + (options.upper_case_extensions ? ".NMI" : ".nmi"));
  const std::string data =
      JoinPath(folder, base + (options.upper_case_extensions ? ".NMD" : ".nmd"));
  if (!fs.FolderExists(folder))
    if (Status s = CreateFolders(fs, folder); !s.ok()) return s;
  if (options.damage != NoteSetDamage::kMissingIndex)
    if (Status s = fs.WriteFile(index, bytes.index); !s.ok()) return s;
  if (options.damage != NoteSetDamage::kMissingData)
    if (Status s = fs.WriteFile(data, bytes.data); !s.ok()) return s;
  return options.damage == NoteSetDamage::kMissingIndex ? data : index;
}

std::string IncompressibleNote(size_t size, uint32_t seed) {
  std::string out;
  out.reserve(size);
  uint32_t x = seed != 0 ? seed : 1;
  while (out.size() < size) {
    x ^= x << 13;  // xorshift32
    x ^= x >> 17;
    x ^= x << 5;
    // Printable bytes only, so that trimming leaves the note whole.
    out += static_cast<char>(33 + x % 200);
  }
  return out;
}

std::vector<std::string> SampleNotes() {
  using builder::KjvVerseIndex;
  std::vector<std::string> notes(kVerseCount);
  auto at = [&notes](int b, int c, int v) -> std::string& {
    return notes[static_cast<size_t>(KjvVerseIndex(b, c, v) - 1)];
  };
  at(1, 1, 1) = "In the beginning: see #John 1:1, also #Heb 11:3.\r\n  A new paragraph\r\n";
  at(19, 23, 1) = "The shepherd\rpsalm, compare #jn 10:11\n\n#5 apples & <pears>";
  at(43, 3, 16) = "  God so loved\r\n#Rom 5:8; 1John 4:9 is the same thought\r\nends with #";
  at(45, 5, 8) = "Caf\xE9 na\xEFve r\xE9sum\xE9 \x93quoted\x94\tand a tab";
  at(66, 22, 21) = "   \r\n \t ";  // blanks only: no entry
  return notes;
}

}  // namespace lumora::notesets
