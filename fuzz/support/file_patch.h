// Module files for the module targets: a sound template file changed by a
// patch script taken from the fuzz input. Module files are large (a Bible's
// verse table alone holds 31102 records), far beyond what a mutator can
// grow from nothing, so the inputs describe damage to a good file instead:
// overwritten bytes and fields, a shorter or longer file, and records
// replaced by stored bytes or by compressed text (which reaches the code
// behind the inflate step).
//
// A script is a sequence of commands; each begins with one byte whose value
// modulo 6 selects it:
//   0 overwrite   u32 offset, u8 length, bytes    (offset modulo size + 1; may grow the file)
//   1 store u32   u32 offset, u32 value
//   2 truncate    u32 new size                    (modulo size + 1)
//   3 append      u16 length, bytes
//   4 place       u32 record, u16 length, bytes   (stored bytes, as they are)
//   5 place text  u32 record, u16 length, bytes   (compressed first)
// Fields run short at the end of the input, like every FuzzInput read.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "fuzz/support/fuzz_input.h"

namespace lumora::fuzz {

// Puts `stored` (a record's bytes as the file keeps them) into the file as
// record `record` (reduced to the file's record range by the placer).
using RecordPlacer =
    std::function<void(std::string& file, uint32_t record, std::string_view stored)>;

// Runs the rest of `script` on `file`.
void ApplyPatchScript(std::string& file, FuzzInput& script, const RecordPlacer& place);

// Writes patch scripts, for the seed corpora and the tests.
class PatchScript {
 public:
  PatchScript& Overwrite(uint32_t offset, std::string_view bytes);  // at most 255 bytes
  PatchScript& StoreU32(uint32_t offset, uint32_t value);
  PatchScript& Truncate(uint32_t size);
  PatchScript& Append(std::string_view bytes);                   // at most 65535 bytes
  PatchScript& Place(uint32_t record, std::string_view stored);  // at most 65535 bytes
  PatchScript& PlaceText(uint32_t record, std::string_view text);
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// Placers of the three module kinds. Each appends the record at the end of
// the file and points the record's table entry at it; a file too damaged to
// name its table is left as it is.
void PlaceBibleVerse(std::string& file, uint32_t record, std::string_view stored);
void PlaceBookEntry(std::string& file, uint32_t record, std::string_view stored);
void PlaceCommentarySlot(std::string& file, uint32_t record, std::string_view stored);

// Replaces verse `verse` (1-based) of a sound Bible file with `text` stored
// as given, compressed: the reader's own decoding (word codes, Strong's
// tokens, footnotes) then runs on whatever the text holds.
void SetBibleVerseText(std::string& file, int verse, std::string_view text);
// The same for entry `entry` of a Book and slot `slot` of a Commentary.
void SetBookEntryText(std::string& file, int entry, std::string_view text);
void SetCommentarySlotText(std::string& file, int slot, std::string_view text);

}  // namespace lumora::fuzz
