#include "fuzz/support/file_patch.h"

#include <algorithm>

#include "core/codec/compression.h"
#include "core/io/byte_io.h"
#include "core/modules/bible_header.h"
#include "core/modules/book_header.h"
#include "core/modules/commentary_header.h"
#include "core/refs/verse_index.h"

namespace lumora::fuzz {
namespace {

constexpr size_t kMaxPatchedFileSize = 8u << 20;  // keeps one run's memory bounded

const uint8_t* Bytes(const std::string& file) {
  return reinterpret_cast<const uint8_t*>(file.data());
}

void StoreAt(std::string& file, uint64_t at, std::string_view bytes) {
  if (at > kMaxPatchedFileSize) return;
  if (file.size() < at + bytes.size()) file.resize(at + bytes.size(), '\0');
  file.replace(at, bytes.size(), bytes);
}

// Appends a 2-byte length and the bytes, as Books and Commentaries store an
// entry, and writes the record's offset into table slot `index`.
void PlaceEntryRecord(std::string& file, uint32_t table, uint32_t index, std::string_view stored) {
  const uint64_t slot = uint64_t{table} + 4 * uint64_t{index};
  if (!FitsIn(slot, 4, file.size())) return;
  stored = stored.substr(0, 0xFFFF);
  std::string record;
  AppendU16(record, static_cast<uint16_t>(stored.size()));
  record += stored;
  const auto offset = static_cast<uint32_t>(file.size());
  file += record;
  StoreU32(file, slot, offset);
}

std::string Compressed(std::string_view text) {
  Result<std::string> packed = CompressString(text);
  return packed.ok() ? std::move(packed).value() : std::string();
}

}  // namespace

void ApplyPatchScript(std::string& file, FuzzInput& script, const RecordPlacer& place) {
  while (!script.empty()) {
    if (file.size() > kMaxPatchedFileSize) return;
    const int op = script.Byte() % 6;
    switch (op) {
      case 0: {
        const uint32_t offset = script.U32();
        const uint8_t length = script.Byte();
        StoreAt(file, offset % (file.size() + 1), script.Bytes(length));
        break;
      }
      case 1: {
        const uint32_t offset = script.U32();
        std::string value;
        AppendU32(value, script.U32());
        StoreAt(file, offset % (file.size() + 1), value);
        break;
      }
      case 2:
        file.resize(script.U32() % (file.size() + 1));
        break;
      case 3:
        file += script.Bytes(script.U16());
        break;
      case 4:
      case 5: {
        const uint32_t record = script.U32();
        const std::string_view bytes = script.Bytes(script.U16());
        if (place) place(file, record, op == 4 ? std::string(bytes) : Compressed(bytes));
        break;
      }
    }
  }
}

PatchScript& PatchScript::Overwrite(uint32_t offset, std::string_view bytes) {
  bytes = bytes.substr(0, 255);
  bytes_ += '\0';
  AppendU32(bytes_, offset);
  bytes_ += static_cast<char>(bytes.size());
  bytes_ += bytes;
  return *this;
}

PatchScript& PatchScript::StoreU32(uint32_t offset, uint32_t value) {
  bytes_ += '\1';
  AppendU32(bytes_, offset);
  AppendU32(bytes_, value);
  return *this;
}

PatchScript& PatchScript::Truncate(uint32_t size) {
  bytes_ += '\2';
  AppendU32(bytes_, size);
  return *this;
}

PatchScript& PatchScript::Append(std::string_view bytes) {
  bytes = bytes.substr(0, 0xFFFF);
  bytes_ += '\3';
  AppendU16(bytes_, static_cast<uint16_t>(bytes.size()));
  bytes_ += bytes;
  return *this;
}

PatchScript& PatchScript::Place(uint32_t record, std::string_view stored) {
  stored = stored.substr(0, 0xFFFF);
  bytes_ += '\4';
  AppendU32(bytes_, record);
  AppendU16(bytes_, static_cast<uint16_t>(stored.size()));
  bytes_ += stored;
  return *this;
}

PatchScript& PatchScript::PlaceText(uint32_t record, std::string_view text) {
  text = text.substr(0, 0xFFFF);
  bytes_ += '\5';
  AppendU32(bytes_, record);
  AppendU16(bytes_, static_cast<uint16_t>(text.size()));
  bytes_ += text;
  return *this;
}

void PlaceBibleVerse(std::string& file, uint32_t record, std::string_view stored) {
  if (file.size() < kBibleHeaderSize) return;
  const uint32_t table = BibleHeader::DecodeFrom(Bytes(file)).verse_table;
  const uint64_t at = uint64_t{table} + uint64_t{record % kVerseCount} * kBibleVerseRecordSize;
  if (!FitsIn(at, kBibleVerseRecordSize, file.size())) return;
  stored = stored.substr(0, 0xFFFF);
  const auto offset = static_cast<uint32_t>(file.size());
  file += stored;
  StoreU32(file, at, offset);
  StoreU16(file, at + 4, static_cast<uint16_t>(stored.size()));
}

void PlaceBookEntry(std::string& file, uint32_t record, std::string_view stored) {
  if (file.size() < kBookHeaderSize) return;
  const BookHeader header = BookHeader::DecodeFrom(Bytes(file));
  if (header.entry_count == 0) return;
  PlaceEntryRecord(file, header.entry_table, record % header.entry_count, stored);
}

void PlaceCommentarySlot(std::string& file, uint32_t record, std::string_view stored) {
  if (file.size() < kCommentaryHeaderSize) return;
  const CommentaryHeader header = CommentaryHeader::DecodeFrom(Bytes(file));
  PlaceEntryRecord(file, header.slot_table, record % kVerseCount, stored);
}

void SetBibleVerseText(std::string& file, int verse, std::string_view text) {
  PlaceBibleVerse(file, static_cast<uint32_t>(verse - 1), Compressed(text));
}

void SetBookEntryText(std::string& file, int entry, std::string_view text) {
  PlaceBookEntry(file, static_cast<uint32_t>(entry), Compressed(text));
}

void SetCommentarySlotText(std::string& file, int slot, std::string_view text) {
  PlaceCommentarySlot(file, static_cast<uint32_t>(slot), Compressed(text));
}

}  // namespace lumora::fuzz
