#include "tools/import/xml_scanner.h"

#include <cstdint>

#include "core/text/utf8.h"

namespace lumora::import {
namespace {

bool IsNameChar(char c) {
  return IsXmlNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

}  // namespace

bool IsXmlNameStart(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
}

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view XmlTag::Get(std::string_view key) const {
  for (size_t k = 0; k < attribute_count; ++k)
    if (attributes[k].name == key) return attributes[k].value;
  return {};
}

bool XmlTag::Has(std::string_view key) const {
  for (size_t k = 0; k < attribute_count; ++k)
    if (attributes[k].name == key) return true;
  return false;
}

XmlTag ParseXmlTag(std::string_view body) {
  XmlTag tag;
  size_t i = 0;
  if (i < body.size() && body[i] == '/') {
    tag.end = true;
    ++i;
  }
  size_t start = i;
  while (i < body.size() && IsNameChar(body[i])) ++i;
  tag.name = body.substr(start, i - start);
  size_t last = body.size();
  while (last > i && IsXmlSpace(body[last - 1])) --last;
  if (last > i && body[last - 1] == '/') {
    tag.self_closing = true;
    --last;
  }
  while (i < last) {
    while (i < last && IsXmlSpace(body[i])) ++i;
    start = i;
    while (i < last && !IsXmlSpace(body[i]) && body[i] != '=') ++i;
    const std::string_view name = body.substr(start, i - start);
    while (i < last && IsXmlSpace(body[i])) ++i;
    std::string_view value;
    if (i < last && body[i] == '=') {
      ++i;
      while (i < last && IsXmlSpace(body[i])) ++i;
      if (i < last && (body[i] == '"' || body[i] == '\'')) {
        const char quote = body[i++];
        start = i;
        while (i < last && body[i] != quote) ++i;
        value = body.substr(start, i - start);
        if (i < last) ++i;
      } else {
        start = i;
        while (i < last && !IsXmlSpace(body[i])) ++i;
        value = body.substr(start, i - start);
      }
    }
    if (!name.empty() && tag.attribute_count < tag.attributes.size())
      tag.attributes[tag.attribute_count++] = {name, value};
  }
  return tag;
}

void AppendXmlDecoded(std::string_view s, std::string& out, bool strip_usfm) {
  size_t i = 0;
  while (i < s.size()) {
    const char c = s[i];
    if (c == '\\' && strip_usfm) {
      size_t j = i + 1;
      if (j < s.size() && s[j] == '+') ++j;
      const size_t name = j;
      while (j < s.size() && s[j] >= 'a' && s[j] <= 'z') ++j;
      while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
      if (j > name) {
        if (j < s.size() && (s[j] == '*' || s[j] == ' ')) ++j;
        i = j;
        continue;
      }
    }
    if (c != '&') {
      out.push_back(c);
      ++i;
      continue;
    }
    const size_t semi = s.find(';', i + 1);
    if (semi == std::string_view::npos || semi - i > 12) {
      out.push_back(c);
      ++i;
      continue;
    }
    const std::string_view name = s.substr(i + 1, semi - i - 1);
    char32_t cp = 0;
    if (name == "amp")
      cp = '&';
    else if (name == "lt")
      cp = '<';
    else if (name == "gt")
      cp = '>';
    else if (name == "quot")
      cp = '"';
    else if (name == "apos")
      cp = '\'';
    else if (name == "nbsp")
      cp = 0xA0;
    else if (name.size() > 1 && name[0] == '#') {
      const bool hex = name[1] == 'x' || name[1] == 'X';
      uint32_t value = 0;
      bool valid = name.size() > (hex ? 2u : 1u);
      for (size_t k = hex ? 2 : 1; valid && k < name.size(); ++k) {
        const char d = name[k];
        int digit = -1;
        if (d >= '0' && d <= '9')
          digit = d - '0';
        else if (hex && d >= 'a' && d <= 'f')
          digit = d - 'a' + 10;
        else if (hex && d >= 'A' && d <= 'F')
          digit = d - 'A' + 10;
        if (digit < 0)
          valid = false;
        else
          value = value * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
        if (value > 0x10FFFF) valid = false;
      }
      if (valid) cp = value == 0 ? 0xFFFD : value;
    }
    if (cp == 0) {
      out.push_back(c);
      ++i;
      continue;
    }
    AppendUtf8(out, cp);
    i = semi + 1;
  }
}

XmlScanner::Token XmlScanner::Next() {
  while (pos_ < s_.size()) {
    start_ = pos_;
    const size_t lt = s_.find('<', pos_);
    if (lt == std::string_view::npos || lt > pos_) {
      const size_t stop = lt == std::string_view::npos ? s_.size() : lt;
      text_ = s_.substr(pos_, stop - pos_);
      pos_ = stop;
      return Token::kText;
    }
    const std::string_view rest = s_.substr(lt);
    if (rest.substr(0, 4) == "<!--") {
      const size_t end = s_.find("-->", lt + 4);
      pos_ = end == std::string_view::npos ? s_.size() : end + 3;
      continue;
    }
    if (rest.substr(0, 9) == "<![CDATA[") {
      const size_t end = s_.find("]]>", lt + 9);
      const size_t stop = end == std::string_view::npos ? s_.size() : end;
      text_ = s_.substr(lt + 9, stop - lt - 9);
      pos_ = end == std::string_view::npos ? s_.size() : end + 3;
      if (!text_.empty()) return Token::kText;
      continue;
    }
    if (rest.size() > 1 && (rest[1] == '!' || rest[1] == '?')) {
      const size_t end = s_.find('>', lt + 1);
      pos_ = end == std::string_view::npos ? s_.size() : end + 1;
      continue;
    }
    const bool looks_like_tag =
        rest.size() > 1 &&
        (IsXmlNameStart(rest[1]) || (rest[1] == '/' && rest.size() > 2 && IsXmlNameStart(rest[2])));
    if (!looks_like_tag) {
      text_ = s_.substr(lt, 1);  // a lone "<" is text
      pos_ = lt + 1;
      return Token::kText;
    }
    // The tag ends at the first ">" outside quotes; with an unbalanced quote
    // the first ">" at all.
    size_t end = std::string_view::npos;
    char quote = 0;
    for (size_t k = lt + 1; k < s_.size(); ++k) {
      const char c = s_[k];
      if (quote) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '>') {
        end = k;
        break;
      }
    }
    if (end == std::string_view::npos) end = s_.find('>', lt + 1);
    if (end == std::string_view::npos) {  // truncated tag: nothing after it is trusted
      pos_ = s_.size();
      break;
    }
    tag_ = ParseXmlTag(s_.substr(lt + 1, end - lt - 1));
    pos_ = end + 1;
    return Token::kTag;
  }
  return Token::kEnd;
}

}  // namespace lumora::import
