// A forgiving scanner for the XML-like markup of SWORD entries (OSIS, TEI,
// ThML). Entries are fragments, often unbalanced or truncated; the scanner
// never fails: what cannot be a tag is text, a truncated tag ends the input.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace lumora::import {

struct XmlAttribute {
  std::string_view name, value;
};

struct XmlTag {
  std::string_view name;
  bool end = false;           // </name>
  bool self_closing = false;  // <name/>
  std::array<XmlAttribute, 12> attributes;
  size_t attribute_count = 0;

  std::string_view Get(std::string_view key) const;
  bool Has(std::string_view key) const;
};

// Parses the inside of "<...>" (without the angle brackets).
XmlTag ParseXmlTag(std::string_view body);

bool IsXmlNameStart(char c);
bool IsXmlSpace(char c);

// Appends `s` with character references decoded (named: amp, lt, gt, quot,
// apos; numeric in decimal or hex) as UTF-8; a broken reference stays
// literal. With `strip_usfm`, USFM character markers that a conversion left
// behind ("\nd ", "\+nd*") are dropped as markup.
void AppendXmlDecoded(std::string_view s, std::string& out, bool strip_usfm = false);

// Walks a fragment token by token. Comments and processing instructions are
// skipped; CDATA content and a lone "<" come out as text.
class XmlScanner {
 public:
  enum class Token { kEnd, kText, kTag };

  explicit XmlScanner(std::string_view s) : s_(s) {}

  Token Next();
  // The raw (undecoded) text of a kText token.
  std::string_view text() const { return text_; }
  const XmlTag& tag() const { return tag_; }
  // Offset of the current token's first byte in the scanned fragment.
  size_t position() const { return start_; }

 private:
  std::string_view s_;
  size_t pos_ = 0;
  size_t start_ = 0;
  std::string_view text_;
  XmlTag tag_;
};

}  // namespace lumora::import
