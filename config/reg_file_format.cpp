#include "config/reg_file_format.h"

#include <cstdio>
#include <optional>

#include "core/text/cp1252.h"

namespace lumora::config {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kRoot = "HKEY_CURRENT_USER\\";
constexpr std::string_view kRootShort = "HKCU\\";

void AppendHexByte(std::string& out, unsigned char b) {
  static const char kDigits[] = "0123456789abcdef";
  out += kDigits[b >> 4];
  out += kDigits[b & 15];
}

void AppendHexList(std::string& out, std::string_view bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) out += ',';
    AppendHexByte(out, static_cast<unsigned char>(bytes[i]));
  }
}

void AppendQuoted(std::string& out, std::string_view cp1252_text) {
  out += '"';
  for (const char c : cp1252::ToUtf8(cp1252_text)) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
}

bool HasLineBreakingControl(std::string_view text) {
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 && b != '\t') return true;
  }
  return false;
}

void AppendValue(std::string& out, const SettingsValue& v) {
  if (v.Is(ValueType::kString) && !HasLineBreakingControl(v.bytes)) {
    AppendQuoted(out, v.bytes);
  } else if (v.Is(ValueType::kString)) {
    out += "hex(1):";
    AppendHexList(out, v.bytes + std::string(1, '\0'));
  } else if (v.Is(ValueType::kDword) && v.IsWellFormed()) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<uint32_t>(v.AsDword()));
    out += buf;
  } else if (v.Is(ValueType::kBinary)) {
    out += "hex:";
    AppendHexList(out, v.bytes);
  } else {
    char buf[24];
    std::snprintf(buf, sizeof buf, "hex(%x):", v.type);
    out += buf;
    AppendHexList(out, v.bytes);
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && cp1252::EqualNoCase(s.substr(0, prefix.size()), prefix);
}

// Reads a quoted string starting at s[0] == '"'; on success `s` is left after
// the closing quote and the result is the UTF-8 text without escapes.
std::optional<std::string> ReadQuoted(std::string_view& s) {
  if (s.empty() || s[0] != '"') return std::nullopt;
  std::string out;
  size_t i = 1;
  while (i < s.size() && s[i] != '"') {
    // Only \\ and \" are escapes; any other backslash is text.
    if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) ++i;
    out += s[i++];
  }
  if (i >= s.size()) return std::nullopt;
  s.remove_prefix(i + 1);
  return out;
}

// Comma-separated bytes of exactly two hex digits each; blanks allowed.
std::optional<std::string> ReadHexList(std::string_view s) {
  std::string out;
  s = Trim(s);
  if (s.empty()) return out;
  for (;;) {
    s = Trim(s);
    if (s.size() < 2) return std::nullopt;
    const int hi = HexDigit(s[0]), lo = HexDigit(s[1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out += static_cast<char>(hi * 16 + lo);
    s = Trim(s.substr(2));
    if (s.empty()) return out;
    if (s[0] != ',') return std::nullopt;
    s.remove_prefix(1);
  }
}

std::optional<uint32_t> ReadHexNumber(std::string_view s, size_t min_digits, size_t max_digits) {
  if (s.size() < min_digits || s.size() > max_digits) return std::nullopt;
  uint32_t v = 0;
  for (const char c : s) {
    const int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    v = v * 16 + static_cast<uint32_t>(d);
  }
  return v;
}

// The data after '='. nullopt with `why` set when it cannot be read; a
// deletion ("-") reads as nullopt with `why` empty.
std::optional<SettingsValue> ReadData(std::string_view data, std::string& why) {
  data = Trim(data);
  if (data == "-") return std::nullopt;
  if (!data.empty() && data[0] == '"') {
    std::optional<std::string> text = ReadQuoted(data);
    if (!text || !Trim(data).empty()) {
      why = "unterminated or malformed string";
      return std::nullopt;
    }
    return SettingsValue::String(cp1252::FromUtf8(*text));
  }
  if (StartsWithNoCase(data, "dword:")) {
    const std::optional<uint32_t> v = ReadHexNumber(Trim(data.substr(6)), 8, 8);
    if (!v) {
      why = "a dword needs exactly eight hex digits";
      return std::nullopt;
    }
    return SettingsValue::Dword(static_cast<int32_t>(*v));
  }
  uint32_t type = static_cast<uint32_t>(ValueType::kBinary);
  std::string_view list;
  if (StartsWithNoCase(data, "hex:")) {
    list = data.substr(4);
  } else if (StartsWithNoCase(data, "hex(")) {
    const size_t close = data.find(')');
    const std::optional<uint32_t> t = close == std::string_view::npos
                                          ? std::nullopt
                                          : ReadHexNumber(data.substr(4, close - 4), 1, 8);
    if (!t || close + 1 >= data.size() || data[close + 1] != ':') {
      why = "malformed hex(type)";
      return std::nullopt;
    }
    type = *t;
    list = data.substr(close + 2);
  } else {
    why = "unknown value data";
    return std::nullopt;
  }
  std::optional<std::string> bytes = ReadHexList(list);
  if (!bytes) {
    why = "hex data must be bytes of two hex digits separated by commas";
    return std::nullopt;
  }
  SettingsValue v{type, std::move(*bytes)};
  if (v.Is(ValueType::kString)) {
    // REGEDIT4 keeps the terminator in hex(1) data.
    if (!v.bytes.empty() && v.bytes.back() == '\0') v.bytes.pop_back();
  } else if (v.Is(ValueType::kDword) && !v.IsWellFormed()) {
    why = "hex(4) data must be four bytes";
    return std::nullopt;
  }
  return v;
}

class Parser {
 public:
  Parser(SettingsDocument& doc, std::vector<std::string>& problems)
      : doc_(doc), problems_(problems) {}

  void Run(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    bool header_seen = false;
    size_t pos = 0;
    int line_number = 0;
    while (pos < text.size()) {
      std::string line = NextLine(text, pos, line_number);
      const int first_line = line_number;
      std::string_view t = Trim(line);
      if (t.empty() || t[0] == ';') continue;
      if (!header_seen) {
        header_seen = true;
        if (t == kHeader || t == kHeader5) continue;
        Problem(first_line, "no REGEDIT4 header");
      }
      if (t[0] == '[') {
        ReadKeyLine(t, first_line);
        continue;
      }
      // A hex value may go on over lines that end with a backslash.
      if (IsHexValueLine(t)) {
        while (!t.empty() && t.back() == '\\' && pos < text.size()) {
          line.resize(static_cast<size_t>(t.data() + t.size() - 1 - line.data()));
          line += Trim(NextLine(text, pos, line_number));
          t = Trim(line);
        }
      }
      ReadValueLine(t, first_line);
    }
    if (skipped_ > kMaxReportedLines)
      problems_.push_back(std::to_string(skipped_ - kMaxReportedLines) +
                          " more lines of the settings file could not be read");
  }

 private:
  static std::string NextLine(std::string_view text, size_t& pos, int& line_number) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(pos, end - pos));
    pos = end + 1;
    ++line_number;
    return line;
  }

  // True for a value line whose data is hex: only those may be continued,
  // since a string's own last character may be a backslash.
  static bool IsHexValueLine(std::string_view t) {
    if (t[0] == '@') {
      t.remove_prefix(1);
    } else if (!ReadQuoted(t)) {
      return false;
    }
    t = Trim(t);
    return !t.empty() && t[0] == '=' && StartsWithNoCase(Trim(t.substr(1)), "hex");
  }

  void ReadKeyLine(std::string_view t, int line) {
    key_ = nullptr;
    if (t.back() != ']') return Problem(line, "unterminated key name");
    std::string path = cp1252::FromUtf8(t.substr(1, t.size() - 2));
    if (!path.empty() && path[0] == '-') return Problem(line, "key deletion is not supported");
    std::string_view p = path;
    if (StartsWithNoCase(p, kRoot)) {
      p.remove_prefix(kRoot.size());
    } else if (StartsWithNoCase(p, kRootShort)) {
      p.remove_prefix(kRootShort.size());
    } else {
      return Problem(line, "key outside HKEY_CURRENT_USER");
    }
    if (p.empty()) return Problem(line, "empty key name");
    key_ = &doc_.CreateKey(p);
  }

  void ReadValueLine(std::string_view t, int line) {
    std::string name;
    if (t[0] == '@') {
      t.remove_prefix(1);
    } else {
      std::optional<std::string> quoted = ReadQuoted(t);
      if (!quoted) return Problem(line, "not a key or value line");
      name = cp1252::FromUtf8(*quoted);
    }
    t = Trim(t);
    if (t.empty() || t[0] != '=') return Problem(line, "missing '=' after the value name");
    if (key_ == nullptr) return Problem(line, "value outside any key");
    std::string why;
    std::optional<SettingsValue> value = ReadData(t.substr(1), why);
    if (!value) {
      if (!why.empty()) Problem(line, "\"" + name + "\": " + why);
      return;
    }
    SettingsDocument::Set(*key_, name, std::move(*value));
  }

  void Problem(int line, const std::string& what) {
    if (++skipped_ <= kMaxReportedLines)
      problems_.push_back("settings file line " + std::to_string(line) + ": " + what);
  }

  SettingsDocument& doc_;
  std::vector<std::string>& problems_;
  SettingsDocument::Key* key_ = nullptr;
  int skipped_ = 0;
};

}  // namespace

std::string FormatRegFile(const SettingsDocument& doc) {
  std::string out(kHeader);
  out += "\n; Lumora settings. UTF-8; value names compare without regard to case.\n";
  for (const SettingsDocument::Key* key : doc.SortedKeys()) {
    out += "\n[";
    out += kRoot;
    out += cp1252::ToUtf8(key->path);
    out += "]\n";
    for (const SettingsDocument::Value& v : key->values) {
      if (v.name.empty()) {
        out += '@';
      } else {
        AppendQuoted(out, v.name);
      }
      out += '=';
      AppendValue(out, v.value);
      out += '\n';
    }
  }
  return out;
}

void ParseRegFile(std::string_view text, SettingsDocument& doc,
                  std::vector<std::string>& problems) {
  Parser(doc, problems).Run(text);
}

}  // namespace lumora::config
