#include "render/ui/display_text.h"

#include <QFontDatabase>
#include <QStringList>

#include <cstring>
#include <limits>

#include "core/text/cp1252.h"
#include "core/text/legacy_fonts.h"

namespace lumora::ui {
namespace {

constexpr char16_t kMarkPrefix = 0xE000;

bool IsBlank(unsigned char b) { return b == ' ' || b == '\t' || b == '\r' || b == '\n' || b == '\f'; }
bool IsAsciiAlpha(unsigned char b) { return (b | 0x20) >= 'a' && (b | 0x20) <= 'z'; }
bool IsHexDigit(unsigned char b) {
  return (b >= '0' && b <= '9') || ((b | 0x20) >= 'a' && (b | 0x20) <= 'f');
}

void AppendCp1252(QString& out, std::string_view bytes) {
  for (unsigned char b : bytes) out.append(QChar(static_cast<char16_t>(cp1252::ToCodePoint(b))));
}

void AppendCodePoint(QString& out, char32_t cp) {
  if (cp > 0xFFFF) {
    const char32_t v = cp - 0x10000;
    out.append(QChar(static_cast<char16_t>(0xD800 + (v >> 10))));
    out.append(QChar(static_cast<char16_t>(0xDC00 + (v & 0x3FF))));
  } else {
    out.append(QChar(static_cast<char16_t>(cp)));
  }
}

// Length of the entity at text[i] ("&name;" or "&#...;", at most 12 bytes),
// 0 when text[i] does not start one.
size_t EntityLength(std::string_view text, size_t i) {
  if (text[i] != '&') return 0;
  const size_t limit = std::min(text.size(), i + 12);
  for (size_t j = i + 1; j < limit; ++j) {
    const unsigned char b = static_cast<unsigned char>(text[j]);
    if (b == ';') return j > i + 1 ? j - i + 1 : 0;
    if (!(IsAsciiAlpha(b) || (b >= '0' && b <= '9') || b == '#')) return 0;
  }
  return 0;
}

// Text of a lexicon-font run: each byte through the font's table; entities
// and control bytes (line ends inside the markup) are kept as they are.
void AppendLegacyRun(QString& out, std::string_view text, LegacyFont font) {
  for (size_t i = 0; i < text.size();) {
    if (const size_t n = EntityLength(text, i)) {
      AppendCp1252(out, text.substr(i, n));
      i += n;
      continue;
    }
    const unsigned char b = static_cast<unsigned char>(text[i++]);
    if (b < 0x20) {
      out.append(QChar(static_cast<char16_t>(b)));
      continue;
    }
    const char32_t cp = LegacyFontCodePoint(font, b);
    AppendCodePoint(out, cp != 0 ? cp : U'\uFFFD');
  }
}

struct TAttribute {
  std::string_view name;  // as written
  size_t span_begin = 0;  // from the blank before the name to the value's end
  size_t span_end = 0;
  size_t value_begin = 0;  // the value without its quotes
  size_t value_end = 0;
};

// Parses the attributes of a tag body (the text after the tag name up to,
// not including, the closing ">"). Offsets are relative to `tag`.
std::vector<TAttribute> ParseAttributes(std::string_view tag, size_t from) {
  std::vector<TAttribute> attrs;
  size_t i = from;
  while (i < tag.size()) {
    const size_t blank = i;
    while (i < tag.size() && (IsBlank(tag[i]) || tag[i] == '/')) ++i;
    const size_t name_begin = i;
    while (i < tag.size() && !IsBlank(tag[i]) && tag[i] != '=' && tag[i] != '/') ++i;
    if (i == name_begin) break;
    TAttribute a;
    a.name = tag.substr(name_begin, i - name_begin);
    a.span_begin = blank;
    size_t j = i;
    while (j < tag.size() && IsBlank(tag[j])) ++j;
    if (j < tag.size() && tag[j] == '=') {
      ++j;
      while (j < tag.size() && IsBlank(tag[j])) ++j;
      if (j < tag.size() && (tag[j] == '"' || tag[j] == '\'')) {
        const char quote = tag[j];
        const size_t close = tag.find(quote, j + 1);
        a.value_begin = j + 1;
        a.value_end = close == std::string_view::npos ? tag.size() : close;
        i = close == std::string_view::npos ? tag.size() : close + 1;
      } else {
        a.value_begin = j;
        while (j < tag.size() && !IsBlank(tag[j])) ++j;
        a.value_end = j;
        i = j;
      }
    } else {
      a.value_begin = a.value_end = i;
    }
    a.span_end = i;
    attrs.push_back(a);
  }
  return attrs;
}

bool EqualsAscii(std::string_view a, const char* b) { return cp1252::EqualNoCase(a, b); }

std::optional<LegacyFont> LegacyFontOfFace(std::string_view face) {
  if (EqualsAscii(face, "Symbol")) return LegacyFont::kSymbolGreek;
  if (EqualsAscii(face, "Basic Hebrew")) return LegacyFont::kBasicHebrew;
  return std::nullopt;
}

class TConverter {
 public:
  TConverter(std::string_view html, const TDisplayTextOptions& options,
             std::vector<TTextRun>* runs)
      : html_(html), options_(options), runs_(runs) {
    out_.reserve(static_cast<qsizetype>(html.size() + html.size() / 8));
    if (runs_ != nullptr && html.size() >= static_cast<size_t>(std::numeric_limits<int32_t>::max()))
      runs_ = nullptr;
  }

  QString Run() {
    size_t i = 0;
    while (i < html_.size()) {
      if (IsTagStart(i)) {
        const size_t end = TagEnd(i);
        if (end == std::string_view::npos) {  // unterminated: the rest is text
          Text(i, html_.size());
          break;
        }
        Tag(i, end);
        i = end;
        continue;
      }
      size_t next = i + 1;
      while ((next = html_.find('<', next)) != std::string_view::npos && !IsTagStart(next)) ++next;
      if (next == std::string_view::npos) next = html_.size();
      Text(i, next);
      i = next;
    }
    return std::move(out_);
  }

 private:
  // "<" followed by a letter, "/", "!" or "?" opens a tag or comment; any
  // other "<" is text.
  bool IsTagStart(size_t i) const {
    if (html_[i] != '<' || i + 1 >= html_.size()) return false;
    const unsigned char next = static_cast<unsigned char>(html_[i + 1]);
    return IsAsciiAlpha(next) || next == '/' || next == '!' || next == '?';
  }

  // One past the ">" of the tag or comment at `i`, npos when `i` does not
  // start one or it is not closed.
  size_t TagEnd(size_t i) const {
    if (html_.compare(i, 4, "<!--") == 0) {
      const size_t close = html_.find("-->", i + 4);
      return close == std::string_view::npos ? close : close + 3;
    }
    char quote = 0;
    for (size_t j = i + 1; j < html_.size(); ++j) {
      const char c = html_[j];
      if (quote != 0) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        // Quotes count only as an attribute value's ("=" before them).
        size_t k = j;
        while (k > i && IsBlank(html_[k - 1])) --k;
        if (k > i && html_[k - 1] == '=') quote = c;
      } else if (c == '>') {
        return j + 1;
      }
    }
    return std::string_view::npos;
  }

  void Tag(size_t begin, size_t end) {
    const std::string_view tag = html_.substr(begin, end - begin);
    if (tag.size() < 3 || tag[1] == '!' || tag[1] == '?') {
      AppendCp1252(out_, tag);
      return;
    }
    const bool closing = tag[1] == '/';
    size_t n = closing ? 2 : 1;
    const size_t name_begin = n;
    while (n < tag.size() - 1 && !IsBlank(tag[n]) && tag[n] != '>' && tag[n] != '/') ++n;
    const std::string_view name = tag.substr(name_begin, n - name_begin);
    const bool is_font = EqualsAscii(name, "font");
    const bool hidden = EqualsAscii(name, "title") || EqualsAscii(name, "style") ||
                        EqualsAscii(name, "script");
    if (hidden) hidden_depth_ += closing ? (hidden_depth_ > 0 ? -1 : 0) : 1;
    if (closing) {
      if (is_font && !fonts_.empty()) fonts_.pop_back();
      AppendCp1252(out_, tag);
      return;
    }

    const std::string_view body = tag.substr(0, tag.size() - 1);  // without ">"
    std::vector<TAttribute> attrs = ParseAttributes(body, n);
    std::optional<LegacyFont> font = fonts_.empty() ? std::nullopt : fonts_.back();
    size_t drop_begin = 0, drop_end = 0;
    std::vector<size_t> hash_at;
    for (const TAttribute& a : attrs) {
      if (is_font && EqualsAscii(a.name, "face")) {
        font = LegacyFontOfFace(body.substr(a.value_begin, a.value_end - a.value_begin));
        if (font && ((*font == LegacyFont::kSymbolGreek && options_.decode_greek) ||
                     (*font == LegacyFont::kBasicHebrew && options_.decode_hebrew))) {
          drop_begin = a.span_begin;
          drop_end = a.span_end;
        } else {
          font.reset();  // shown in its own font, or not a lexicon font
        }
      } else if (options_.fix_colors &&
                 (EqualsAscii(a.name, "color") || EqualsAscii(a.name, "bgcolor")) &&
                 a.value_end - a.value_begin == 6) {
        bool hex = true;
        for (size_t k = a.value_begin; k < a.value_end; ++k) hex = hex && IsHexDigit(body[k]);
        if (hex) hash_at.push_back(a.value_begin);
      }
    }
    if (is_font) fonts_.push_back(font);

    size_t k = 0;
    size_t next_hash = 0;
    while (k < tag.size()) {
      if (k == drop_begin && drop_end > drop_begin) {
        k = drop_end;
        continue;
      }
      if (next_hash < hash_at.size() && hash_at[next_hash] == k) {
        out_.append(QLatin1Char('#'));
        ++next_hash;
      }
      out_.append(QChar(static_cast<char16_t>(cp1252::ToCodePoint(static_cast<unsigned char>(tag[k])))));
      ++k;
    }
  }

  void Text(size_t begin, size_t end) {
    const std::string_view text = html_.substr(begin, end - begin);
    if (runs_ != nullptr && hidden_depth_ == 0) {
      bool shows = false;
      for (unsigned char b : text) shows = shows || !IsBlank(b);
      if (shows) {
        out_.append(QLatin1String("<a name=\""));
        out_.append(MarkName(runs_->size()));
        out_.append(QLatin1String("\"></a>"));
        runs_->push_back({static_cast<int32_t>(begin), static_cast<int32_t>(end)});
      }
    }
    const std::optional<LegacyFont> font = fonts_.empty() ? std::nullopt : fonts_.back();
    if (font)
      AppendLegacyRun(out_, text, *font);
    else
      AppendCp1252(out_, text);
  }

  std::string_view html_;
  const TDisplayTextOptions& options_;
  std::vector<TTextRun>* runs_;
  QString out_;
  // The lexicon font in effect inside each open font element (a font
  // element without face inherits its parent's).
  std::vector<std::optional<LegacyFont>> fonts_;
  int hidden_depth_ = 0;
};

}  // namespace

const TDisplayTextOptions& InstalledFontOptions() {
  static const TDisplayTextOptions options = [] {
    TDisplayTextOptions o;
    const QStringList families = QFontDatabase::families();
    // A legacy-layout Hebrew font draws its letters at the code page's
    // positions wherever it is installed. Symbol draws Greek at the Latin
    // positions only as a Windows symbol-charset font; elsewhere fonts are
    // Unicode-mapped and the run is decoded.
    o.decode_hebrew = !families.contains(QStringLiteral("Basic Hebrew"), Qt::CaseInsensitive);
#ifdef Q_OS_WIN
    o.decode_greek = !(families.contains(QStringLiteral("Symbol"), Qt::CaseInsensitive) &&
                       QFontDatabase::writingSystems(QStringLiteral("Symbol"))
                           .contains(QFontDatabase::Symbol));
#endif
    return o;
  }();
  return options;
}

const TDisplayTextOptions& PortableTextOptions() {
  static const TDisplayTextOptions options;  // decodes both, fixes colours
  return options;
}

QString ToDisplayText(std::string_view cp1252) {
  QString out;
  out.reserve(static_cast<qsizetype>(cp1252.size()));
  AppendCp1252(out, cp1252);
  return out;
}

QString ToDisplayText(std::string_view cp1252, const PlainScriptRuns& runs) {
  QString out;
  out.reserve(static_cast<qsizetype>(cp1252.size()));
  size_t at = 0;
  for (const PlainScriptRun& run : runs) {
    if (run.begin < at || run.end > cp1252.size() || run.end < run.begin) continue;
    AppendCp1252(out, cp1252.substr(at, run.begin - at));
    AppendLegacyRun(out, cp1252.substr(run.begin, run.end - run.begin),
                    run.hebrew ? LegacyFont::kBasicHebrew : LegacyFont::kSymbolGreek);
    at = run.end;
  }
  AppendCp1252(out, cp1252.substr(at));
  return out;
}

QString ToDisplayHtml(std::string_view html, const TDisplayTextOptions& options) {
  return TConverter(html, options, nullptr).Run();
}

QString ToDisplayHtmlMarked(std::string_view html, const TDisplayTextOptions& options,
                            std::vector<TTextRun>& runs) {
  runs.clear();
  return TConverter(html, options, &runs).Run();
}

QString MarkName(size_t index) {
  return QString(QChar(kMarkPrefix)) + QString::number(static_cast<qulonglong>(index % kMarkCycle));
}

std::optional<size_t> MarkResidue(const QString& anchor_name) {
  if (anchor_name.size() < 2 || anchor_name[0] != QChar(kMarkPrefix)) return std::nullopt;
  bool ok = false;
  const qulonglong n = QStringView(anchor_name).mid(1).toULongLong(&ok);
  if (!ok || n >= kMarkCycle) return std::nullopt;
  return static_cast<size_t>(n);
}

bool FitsCodePage(const QString& text) { return ToDisplayText(FromDisplayText(text)) == text; }

std::string FromDisplayText(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t u = text[i].unicode();
    if (u == 0x2029 || u == 0x2028) {
      out.push_back('\n');
      continue;
    }
    if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
    const int b = QChar::isSurrogate(u) ? -1 : cp1252::FromCodePoint(u);
    out.push_back(b < 0 ? '?' : static_cast<char>(b));
  }
  return out;
}

bool IsDisplayWordChar(QChar c) {
  const char16_t u = c.unicode();
  if (u < 0x80) return (u >= '0' && u <= '9') || IsAsciiAlpha(static_cast<unsigned char>(u));
  const int b = cp1252::FromCodePoint(u);
  if (b >= 0) return b >= 0xC0;
  return c.isLetterOrNumber();
}

}  // namespace lumora::ui
