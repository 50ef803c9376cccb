// Writes ".nmi"/".nmd" note set pairs from notes a test supplies, sound or
// damaged in the ways the importer must refuse.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/platform/file_system.h"
#include "core/status.h"

namespace lumora::notesets {

enum class NoteSetDamage {
  kNone,
  kShortIndex,        // 31101 offsets
  kNegativeOffset,    // one offset below 0
  kDecreasingOffset,  // one offset smaller than the one before
  kOffsetPastEnd,     // the last offset beyond the data
  kMissingIndex,      // no ".nmi"
  kMissingData,       // no ".nmd"
};

struct NoteSetOptions {
  NoteSetDamage damage = NoteSetDamage::kNone;
  bool upper_case_extensions = false;  // ".NMI", ".NMD"
};

struct NoteSetBytes {
  std::string index;  // little-endian int32 offsets
  std::string data;
};

// notes[v - 1] is the note of verse index v; missing notes are empty. At
// most 31102 notes are used.
NoteSetBytes BuildNoteSet(const std::vector<std::string>& notes,
                          NoteSetDamage damage = NoteSetDamage::kNone);

// Writes folder/base.nmi and folder/base.nmd (less the one a damage leaves
// out); returns the path of the index file, or of the data file when the
// index is the missing one.
Result<std::string> WriteNoteSet(FileSystem& fs, const std::string& folder, const std::string& base,
                                 const std::vector<std::string>& notes,
                                 const NoteSetOptions& options = {});

// `size` pseudo-random bytes from `seed`: zlib cannot shrink them, so a note
// of 70000 of them compresses past an entry record's limit.
std::string IncompressibleNote(size_t size, uint32_t seed = 1);

// A handful of notes on known verses mixing CR, LF and CR LF lines, blank-led
// lines, "#" references (sound, "#5 apples", one at a line's end), "<", "&"
// and Windows-1252 accented letters. Indexed like BuildNoteSet's notes.
std::vector<std::string> SampleNotes();

}  // namespace lumora::notesets
