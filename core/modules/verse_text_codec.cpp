#include "core/modules/verse_text_codec.h"

#include <algorithm>
#include <cstring>

#include "core/codec/base205.h"

namespace lumora {
namespace {

// True when text[i] is a Strong's byte followed by two digits.
bool IsStrongsTokenAt(std::string_view text, size_t i) {
  return IsStrongsByte(text[i]) && i + 2 < text.size() &&
         IsBase205Digit(static_cast<unsigned char>(text[i + 1])) &&
         IsBase205Digit(static_cast<unsigned char>(text[i + 2]));
}

int DigitValue(char c) { return static_cast<unsigned char>(c) - kBase205FirstDigit; }

}  // namespace

std::optional<std::string> ExpandWordCodes(std::string_view raw, const PackedStrings& words,
                                           size_t limit) {
  std::string out;
  out.reserve(std::min(raw.size() * 3, limit));
  size_t p = 0;
  while (p < raw.size()) {
    const char c = raw[p];
    // The byte that ends the text is never a code: it has no digits.
    if ((c == kWordCode1Byte || c == kWordCode2Byte) && p + 1 < raw.size()) {
      const size_t digits = c == kWordCode1Byte ? 1 : 2;
      if (p + digits < raw.size()) {
        int position = 0;
        bool valid = true;
        for (size_t k = 1; k <= digits; ++k) {
          const auto d = static_cast<unsigned char>(raw[p + k]);
          valid = valid && IsBase205Digit(d);
          position = position * kBase205 + DigitValue(raw[p + k]);
        }
        if (valid && position < static_cast<int>(words.size())) {
          const std::string_view word = words[static_cast<size_t>(position)];
          if (word.size() > limit - std::min(out.size(), limit)) return std::nullopt;
          out += word;
          p += digits + 1;
          continue;
        }
      }
    }
    if (out.size() >= limit) return std::nullopt;
    out += c;
    ++p;
  }
  return out;
}

std::string WrittenStrongsToken(char marker, int number) {
  static const char kHex[] = "0123456789abcdef";
  std::string token(1, marker);
  token += '$';
  for (int shift = 12; shift >= 0; shift -= 4) token += kHex[(number >> shift) & 0xF];
  return token;
}

int ParseWrittenStrongsToken(std::string_view text, size_t i) {
  if (i + 5 >= text.size() || !IsStrongsByte(text[i]) || text[i + 1] != '$') return -1;
  int n = 0;
  for (size_t k = 2; k <= 5; ++k) {
    const char c = text[i + k];
    const int h = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (h < 0) return -1;
    n = n * 16 + h;
  }
  return n;
}

std::string WriteOutStrongs(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  size_t p = 0;
  while (p < text.size()) {
    if (IsStrongsTokenAt(text, p)) {
      const int n = DigitValue(text[p + 1]) * kBase205 + DigitValue(text[p + 2]);
      out += WrittenStrongsToken(text[p], n);
      p += 3;
      continue;
    }
    out += text[p++];
  }
  return out;
}

std::string RemoveStrongs(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t p = 0;
  while (p < text.size()) {
    if (IsStrongsTokenAt(text, p)) {
      p += 3;
      continue;
    }
    out += text[p++];
  }
  return out;
}

std::string RemoveFootnotes(std::string_view text) {
  std::string out(text);
  RemoveFootnotesInPlace(out);
  return out;
}

void RemoveFootnotesInPlace(std::string& text) {
  size_t open = text.find('{');
  if (open == std::string::npos) return;
  // Everything before the first note stays where it is; the rest moves down.
  size_t write = open, read = open;
  for (;;) {
    const size_t close = text.find('}', open + 1);
    if (close == std::string::npos) break;  // cut before the "{"
    read = close + 1;
    if (read < text.size() && text[read] == ' ') ++read;
    open = text.find('{', read);
    const size_t keep = (open == std::string::npos ? text.size() : open) - read;
    std::memmove(text.data() + write, text.data() + read, keep);
    write += keep;
    if (open == std::string::npos) break;
  }
  text.resize(write);
}

const PackedStrings VerseWordTable::kNoWords;

VerseWordTable::VerseWordTable(const PackedStrings* words) : words_(words), slots_(words->size()) {
  for (size_t i = 0; i < words->size(); ++i) {
    const std::string_view w = (*words)[i];
    Slot& slot = slots_[i];
    if (w.size() < sizeof slot.bytes + 1) {
      std::memcpy(slot.bytes, w.data(), w.size());
      slot.length = static_cast<uint8_t>(w.size());
    } else {
      slot.length = kLongWord;
    }
    for (const char c : w) holds_strongs_bytes_ = holds_strongs_bytes_ || IsStrongsByte(c);
  }
}

namespace {

// Where DecodeVerseText writes: a buffer per thread, kept between calls,
// so a verse costs one allocation (its result) however it grows.
class VerseTextWriter {
 public:
  VerseTextWriter() {
    thread_local std::string buffer;
    buffer_ = &buffer;
    at_ = 0;
  }
  void Byte(char c) {
    Room(1);
    (*buffer_)[at_++] = c;
  }
  // The word in 16 bytes at once; the bytes past its length are
  // overwritten by whatever follows, or cut off at the end.
  void Word(const VerseWordTable& words, size_t position) {
    const VerseWordTable::Slot& slot = words.slot(position);
    if (slot.length == VerseWordTable::kLongWord) return Bytes(words.words()[position]);
    Room(sizeof slot);
    std::memcpy(buffer_->data() + at_, &slot, sizeof slot);
    at_ += slot.length;
  }
  void Bytes(std::string_view s) {
    Room(s.size());
    std::memcpy(buffer_->data() + at_, s.data(), s.size());
    at_ += s.size();
  }
  void Token(char marker, int number) {
    static const char kHex[] = "0123456789abcdef";
    Room(6);
    char* out = buffer_->data() + at_;
    out[0] = marker;
    out[1] = '$';
    for (int k = 0; k < 4; ++k) out[2 + k] = kHex[(number >> (12 - 4 * k)) & 0xF];
    at_ += 6;
  }
  std::string Text() const { return std::string(buffer_->data(), at_); }
  size_t Size() const { return at_; }

 private:
  void Room(size_t n) {
    if (at_ + n > buffer_->size()) buffer_->resize(std::max<size_t>(2 * buffer_->size(), at_ + n + 256));
  }
  std::string* buffer_;
  size_t at_;
};

bool IsWordCodeByte(char c) { return c == kWordCode1Byte || c == kWordCode2Byte; }
bool IsDigitByte(char c) { return IsBase205Digit(static_cast<unsigned char>(c)); }

// Walks `raw` as ExpandWordCodes does and handles each Strong's token where
// the expanded text would have it. kTakeThePasses when that cannot be told
// from the raw text: a marker followed by a word code, whose word would
// supply the token's digits.
enum class Walk { kDone, kTakeThePasses, kTooLong };

template <class Sink>
Walk WalkVerseText(std::string_view raw, const VerseWordTable& words, StrongsTokens tokens,
                   size_t limit, Sink& sink) {
  const size_t n = raw.size();
  size_t p = 0;
  while (p < n) {
    const char c = raw[p];
    if (IsWordCodeByte(c)) {
      const size_t digits = c == kWordCode1Byte ? 1 : 2;
      if (p + digits < n) {
        int position = 0;
        bool valid = true;
        for (size_t k = 1; k <= digits; ++k) {
          valid = valid && IsDigitByte(raw[p + k]);
          position = position * kBase205 + DigitValue(raw[p + k]);
        }
        if (valid && position < static_cast<int>(words.size())) {
          sink.Word(words, static_cast<size_t>(position));
          // Only words grow the text past the raw bytes: checked after each,
          // the buffer stays within the limit plus one word.
          if (sink.Size() > limit) return Walk::kTooLong;
          p += digits + 1;
          continue;
        }
      }
    } else if (tokens != StrongsTokens::kKeep && IsStrongsByte(c)) {
      if (p + 2 < n && IsDigitByte(raw[p + 1]) && IsDigitByte(raw[p + 2])) {
        if (tokens == StrongsTokens::kWriteOut)
          sink.Token(c, DigitValue(raw[p + 1]) * kBase205 + DigitValue(raw[p + 2]));
        p += 3;
        continue;
      }
      if ((p + 1 < n && IsWordCodeByte(raw[p + 1])) || (p + 2 < n && IsWordCodeByte(raw[p + 2])))
        return Walk::kTakeThePasses;
    }
    sink.Byte(c);
    ++p;
  }
  return sink.Size() > limit ? Walk::kTooLong : Walk::kDone;
}

}  // namespace

std::optional<std::string> DecodeVerseText(std::string_view raw, const VerseWordTable& words,
                                           StrongsTokens tokens, size_t limit) {
  if (tokens == StrongsTokens::kKeep || !words.holds_strongs_bytes()) {
    VerseTextWriter writer;
    switch (WalkVerseText(raw, words, tokens, limit, writer)) {
      case Walk::kDone: return writer.Text();
      case Walk::kTooLong: return std::nullopt;
      case Walk::kTakeThePasses: break;
    }
  }
  std::optional<std::string> text = ExpandWordCodes(raw, words.words(), limit);
  if (!text) return std::nullopt;
  switch (tokens) {
    case StrongsTokens::kKeep: return text;
    case StrongsTokens::kRemove: return RemoveStrongs(*text);
    case StrongsTokens::kWriteOut: return WriteOutStrongs(*text);
  }
  return text;
}

}  // namespace lumora
