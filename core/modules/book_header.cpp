#include "core/modules/book_header.h"

#include "core/io/byte_io.h"

namespace lumora {

BookHeader BookHeader::DecodeFrom(const uint8_t* b) {
  BookHeader h;
  h.title = LoadShortString(b + 0, 51);
  h.abbreviation = LoadShortString(b + 51, 11);
  h.entry_count = LoadU32(b + 62);
  h.title_block = LoadU32(b + 66);
  h.entry_table = LoadU32(b + 70);
  h.postings = LoadI32(b + 74);
  h.link_table = LoadU32(b + 78);
  h.module_code = LoadShortString(b + 82, 8);
  h.links_valid = b[90] == 1;
  h.link_version = LoadU16(b + 99);
  h.magic = LoadShortString(b + 104, 7);
  return h;
}

std::string BookHeader::Encode() const {
  std::string out(kBookHeaderSize, '\0');
  StoreShortString(out, 0, 51, title);
  StoreShortString(out, 51, 11, abbreviation);
  StoreU32(out, 62, entry_count);
  StoreU32(out, 66, title_block);
  StoreU32(out, 70, entry_table);
  StoreU32(out, 74, static_cast<uint32_t>(postings));
  StoreU32(out, 78, link_table);
  StoreShortString(out, 82, 8, module_code);
  out[90] = links_valid ? 1 : 0;
  StoreU16(out, 99, link_version);
  StoreShortString(out, 104, 7, magic);
  return out;
}

}  // namespace lumora
