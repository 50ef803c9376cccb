#include "app/ui/editor_document.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextList>
#include <array>
#include <cmath>
#include <cstdio>

#include "app/editor_text.h"
#include "app/entry_editing.h"
#include "render/ui/display_text.h"

namespace lumora::ui {
namespace {

// One level of indentation, as the indent command and the stored
// "margin-left" count it.
constexpr qreal kIndentStep = 40.0;
constexpr char32_t kLineSeparator = 0x2028;
constexpr char32_t kNoBreakSpace = 0xA0;
constexpr char32_t kObjectReplacement = 0xFFFC;

std::string Encode(const QString& text, EditorTextKind kind) {
  return EncodeEditorText(text.toStdU32String(), kind);
}

std::string ColorText(const QColor& color) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", color.red(), color.green(), color.blue());
  return buffer;
}

QString FirstFamily(const QTextCharFormat& format) {
  const QStringList families = format.fontFamilies().toStringList();
  return families.isEmpty() ? QString() : families.front();
}

std::string PointSizeText(qreal size) {
  const qreal rounded = std::round(size);
  if (std::abs(size - rounded) < 0.01) return std::to_string(static_cast<int>(rounded));
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f", size);
  return buffer;
}

// The inline elements of a fragment, outermost first; each level is the
// opening tag or "" when the level is not used. Adjacent fragments share
// the levels they have in common.
enum Level { kAnchor, kFont, kBackground, kBold, kItalic, kUnderline, kLevelCount };
using Levels = std::array<std::string, kLevelCount>;
constexpr std::array<const char*, kLevelCount> kClosers = {"</a>", "</font>", "</span>",
                                                           "</b>", "</i>",    "</u>"};

Levels LevelsOf(const QTextCharFormat& f, const TEditorFont& base) {
  Levels levels;
  if (f.isAnchor()) {
    std::string a;
    if (!f.anchorHref().isEmpty())
      a += " href=\"" + Encode(f.anchorHref(), EditorTextKind::kAttribute) + "\"";
    for (const QString& name : f.anchorNames())
      if (!name.isEmpty()) {
        a += " name=\"" + Encode(name, EditorTextKind::kAttribute) + "\"";
        break;
      }
    if (!a.empty()) levels[kAnchor] = "<a" + a + ">";
  }
  std::string font;
  const QString family = FirstFamily(f);
  if (!family.isEmpty() && family != base.family)
    font += " face=\"" + Encode(family, EditorTextKind::kAttribute) + "\"";
  if (f.hasProperty(QTextFormat::FontSizeAdjustment))
    font += " size=\"" + std::to_string(f.intProperty(QTextFormat::FontSizeAdjustment) + 3) + "\"";
  // A link's own colour and underline come from the page, not the entry.
  const bool link = f.isAnchor() && !f.anchorHref().isEmpty();
  if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush &&
      !(link && f.foreground().color() == QGuiApplication::palette().color(QPalette::Link)))
    font += " color=\"" + ColorText(f.foreground().color()) + "\"";
  if (f.hasProperty(QTextFormat::FontPointSize) &&
      std::abs(f.fontPointSize() - base.point_size) >= 0.01)
    font += " style=\"font-size:" + PointSizeText(f.fontPointSize()) + "pt\"";
  if (!font.empty()) levels[kFont] = "<font" + font + ">";
  if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush)
    levels[kBackground] =
        "<span style=\"background-color:" + ColorText(f.background().color()) + "\">";
  if (f.fontWeight() >= QFont::DemiBold) levels[kBold] = "<b>";
  if (f.fontItalic()) levels[kItalic] = "<i>";
  if (f.fontUnderline() && !link) levels[kUnderline] = "<u>";
  return levels;
}

class BlockWriter {
 public:
  BlockWriter(std::string& out, const TEditorFont& base) : out_(out), base_(base) {}

  void Fragment(const QTextFragment& fragment) {
    const QTextCharFormat format = fragment.charFormat();
    Switch(LevelsOf(format, base_));
    const std::u32string text = fragment.text().toStdU32String();
    if (format.isImageFormat()) {
      const QTextImageFormat image = format.toImageFormat();
      for (const char32_t c : text) {
        if (c != kObjectReplacement) continue;
        out_ += "<img src=\"" + Encode(image.name(), EditorTextKind::kAttribute) + "\"";
        if (image.hasProperty(QTextFormat::ImageWidth))
          out_ += " width=\"" + std::to_string(static_cast<int>(image.width())) + "\"";
        if (image.hasProperty(QTextFormat::ImageHeight))
          out_ += " height=\"" + std::to_string(static_cast<int>(image.height())) + "\"";
        out_ += ">";
        at_line_start_ = false;
      }
      return;
    }
    std::u32string run;
    for (const char32_t c : text) {
      if (c == kLineSeparator) {
        out_ += EncodeEditorText(run, EditorTextKind::kDocumentText);
        run.clear();
        out_ += "<br>";
        at_line_start_ = true;
        continue;
      }
      // HTML folds blanks at a line start and runs of blanks: the ones it
      // would fold are kept as no-break spaces, so the text loads as typed.
      if (c == ' ' && (at_line_start_ || previous_blank_)) {
        run += kNoBreakSpace;
        previous_blank_ = true;
        at_line_start_ = false;
        continue;
      }
      previous_blank_ = c == ' ';
      at_line_start_ = false;
      if (c != kObjectReplacement) run += c;
    }
    out_ += EncodeEditorText(run, EditorTextKind::kDocumentText);
  }

  void End() { Switch(Levels{}); }
  bool Empty() const { return !wrote_; }

 private:
  void Switch(const Levels& next) {
    size_t common = 0;
    while (common < kLevelCount && open_[common] == next[common]) ++common;
    for (size_t k = kLevelCount; k-- > common;)
      if (!open_[k].empty()) out_ += kClosers[k];
    for (size_t k = common; k < kLevelCount; ++k)
      if (!next[k].empty()) out_ += next[k];
    open_ = next;
    wrote_ = true;
  }

  std::string& out_;
  const TEditorFont& base_;
  Levels open_;
  bool at_line_start_ = true;
  bool previous_blank_ = false;
  bool wrote_ = false;
};

std::string BlockContent(const QTextBlock& block, const TEditorFont& base) {
  std::string content;
  BlockWriter writer(content, base);
  for (auto it = block.begin(); !it.atEnd(); ++it)
    if (it.fragment().isValid()) writer.Fragment(it.fragment());
  writer.End();
  // An empty paragraph would vanish on loading.
  if (content.empty()) content = "<br>";
  return content;
}

const char* AlignmentName(const QTextBlockFormat& format) {
  if (!format.hasProperty(QTextFormat::BlockAlignment)) return nullptr;
  const Qt::Alignment a = format.alignment() & Qt::AlignHorizontal_Mask;
  if (a & Qt::AlignJustify) return "justify";
  if (a & Qt::AlignHCenter) return "center";
  if (a & Qt::AlignRight) return "right";
  if (a & Qt::AlignLeft) return "left";
  return nullptr;
}

int IndentPixels(const QTextBlockFormat& format) {
  return static_cast<int>(std::lround(format.leftMargin() + kIndentStep * format.indent()));
}

std::string BlockAttributes(const QTextBlockFormat& format, bool with_indent) {
  std::string attributes;
  if (const char* align = AlignmentName(format))
    attributes += std::string(" align=\"") + align + "\"";
  const int indent = with_indent ? IndentPixels(format) : 0;
  if (indent > 0) attributes += " style=\"margin-left:" + std::to_string(indent) + "px\"";
  return attributes;
}

bool IsRuler(const QTextBlock& block) {
  return block.blockFormat().hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth);
}

bool IsOrdered(const QTextList& list) {
  switch (list.format().style()) {
    case QTextListFormat::ListDisc:
    case QTextListFormat::ListCircle:
    case QTextListFormat::ListSquare:
      return false;
    default:
      return true;
  }
}

// A one-paragraph entry with nothing to say about its paragraph is written
// without an element around it, as such entries are usually stored.
bool IsPlainSingleBlock(const QTextDocument& document) {
  if (document.blockCount() != 1) return false;
  const QTextBlock block = document.begin();
  return block.textList() == nullptr && !IsRuler(block) &&
         BlockAttributes(block.blockFormat(), true).empty() &&
         block.blockFormat().headingLevel() == 0;
}

}  // namespace

void LoadEditorDocument(QTextDocument& document, std::string_view editable,
                        const TEditorFont& font) {
  QFont base(font.family);
  base.setPointSize(font.point_size);
  document.setDefaultFont(base);
  const std::string html =
      FormattedDocument(editable, font.point_size, FromDisplayText(font.family));
  document.setHtml(ToDisplayHtml(html, PortableTextOptions()));
  document.setModified(false);
}

std::string SerializeEditorDocument(const QTextDocument& document, const TEditorFont& font) {
  if (IsPlainSingleBlock(document)) {
    std::string content;
    BlockWriter writer(content, font);
    for (auto it = document.begin().begin(); !it.atEnd(); ++it)
      if (it.fragment().isValid()) writer.Fragment(it.fragment());
    writer.End();
    return content;
  }
  std::string out;
  const QTextList* open_list = nullptr;
  auto close_list = [&] {
    if (open_list == nullptr) return;
    out += IsOrdered(*open_list) ? "</ol>\n" : "</ul>\n";
    open_list = nullptr;
  };
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const QTextBlockFormat format = block.blockFormat();
    QTextList* list = block.textList();
    if (list != open_list) {
      close_list();
      if (list != nullptr) {
        out += IsOrdered(*list) ? "<ol>\n" : "<ul>\n";
        open_list = list;
      }
    }
    if (list != nullptr) {
      out += "<li" + BlockAttributes(format, false) + ">" + BlockContent(block, font) + "</li>\n";
      continue;
    }
    if (IsRuler(block) && block.length() <= 1) {
      out += "<hr>\n";
      continue;
    }
    const int heading = format.headingLevel();
    const std::string tag = heading >= 1 && heading <= 6 ? "h" + std::to_string(heading) : "p";
    out += "<" + tag + BlockAttributes(format, true) + ">" + BlockContent(block, font) + "</" +
           tag + ">\n";
    if (IsRuler(block)) out += "<hr>\n";
  }
  close_list();
  // A line end after the last element would load as a blank in it.
  if (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

}  // namespace lumora::ui
