#include "core/modules/commentary_header.h"

#include "core/io/byte_io.h"

namespace lumora {

CommentaryHeader CommentaryHeader::DecodeFrom(const uint8_t* b) {
  CommentaryHeader h;
  h.title = LoadShortString(b + 0, 51);
  h.abbreviation = LoadShortString(b + 51, 11);
  h.slot_count = LoadU32(b + 62);
  h.title_block = LoadU32(b + 66);
  h.slot_table = LoadU32(b + 70);
  h.module_code = LoadShortString(b + 74, 8);
  h.postings = LoadI32(b + 83);
  h.link_table = LoadU32(b + 87);
  h.link_version = LoadU16(b + 91);
  h.magic = LoadShortString(b + 95, 10);
  return h;
}

std::string CommentaryHeader::Encode() const {
  std::string out(kCommentaryHeaderSize, '\0');
  StoreShortString(out, 0, 51, title);
  StoreShortString(out, 51, 11, abbreviation);
  StoreU32(out, 62, slot_count);
  StoreU32(out, 66, title_block);
  StoreU32(out, 70, slot_table);
  StoreShortString(out, 74, 8, module_code);
  StoreU32(out, 83, static_cast<uint32_t>(postings));
  StoreU32(out, 87, link_table);
  StoreU16(out, 91, link_version);
  StoreShortString(out, 95, 10, magic);
  return out;
}

}  // namespace lumora
