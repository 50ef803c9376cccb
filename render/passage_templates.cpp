#include "render/passage_templates.h"

#include <algorithm>

namespace lumora {
namespace {

std::string Num(int n) { return std::to_string(n); }

// "<a name=\"#E\">" opens every verse piece.
void AppendAnchor(std::string& out, int verse_index) {
  out += "<a name=\"#";
  out += Num(verse_index);
  out += "\">";
}

void AppendLabelLink(std::string& out, const TVerseCell& c) {
  out += "<a href=\"lp:";
  out += Num(c.verse_index);
  out += "\"><b>";
  out += c.label;
  out += "</b></a>";
}

void AppendCells(std::string& out, const TVerseCell& c) {
  out += "</td><td valign=top>";
  out += c.text;
  out += "</td><td valign=top>";
  out += c.compare_text;
  out += "</td>";
}

// Appends the verse piece: the first row of the template table that matches.
void AppendVersePiece(std::string& out, const TPassageLayout& l, const TVerseCell& c) {
  if (l.reference_links) {
    if (l.column_mode) {
      out += "<td valign=top>";
      AppendAnchor(out, c.verse_index);
      AppendLabelLink(out, c);
      AppendCells(out, c);
    } else {
      AppendAnchor(out, c.verse_index);
      AppendLabelLink(out, c);
      out += "&nbsp;";
      out += c.text;
      out += "</a>";
      if (l.compare) {
        out += "<br>";
        AppendLabelLink(out, c);
        out += "&nbsp;";
        out += c.compare_text;
        out += "</a>";
      }
    }
  } else if (!l.para_mode) {
    if (l.column_mode) out += "<td valign=top>";
    AppendAnchor(out, c.verse_index);
    out += "<b>";
    out += c.label;
    out += "</b></a>";
    if (l.column_mode) {
      AppendCells(out, c);
    } else {
      out += "&nbsp;";
      out += c.text;
      if (l.compare) {
        out += "<br><b>";
        out += c.label;
        out += "</b></a>&nbsp;";
        out += c.compare_text;
      }
    }
  } else {
    if (c.paragraph_start) out += "<p>&nbsp;&nbsp;&nbsp;";
    AppendAnchor(out, c.verse_index);
    out += "<sup>";
    out += Num(c.verse_number);
    out += "</sup></a>&nbsp;";
    out += c.text;
    out += ' ';
  }
}

}  // namespace

void AppendVerse(std::string& html, const TPassageLayout& layout, const TVerseCell& cell) {
  if (layout.para_mode) {
    AppendVersePiece(html, layout, cell);
  } else if (!layout.column_mode) {
    AppendVersePiece(html, layout, cell);
    html += "<br>";
    if (!cell.side_text.empty()) {
      html += "<font size=-1>";
      html += cell.side_text;
      html += "</font><br>";
    }
  } else {
    html += "<tr>";
    AppendVersePiece(html, layout, cell);
    if (cell.side_text.empty()) {
      html += "<td></td></tr>";
    } else {
      html += "<td valign=top><font size=-1><b>";
      html += Num(cell.verse_number);
      html += ".</b> ";
      html += cell.side_text;
      html += "</font></td></tr>";
    }
  }
}

std::string PreviousChapterLinkHtml(int verse_index) {
  return "<div align=\"right\"><font size=-1><a href=\"lp:" + Num(verse_index) +
         "\">Previous Chapter</a></font></div><br>";
}

std::string NextChapterLinkHtml(int verse_index) {
  return "<p align=\"right\"><font size=-1><a href=\"lp:" + Num(verse_index) +
         "\">Next Chapter</a></font></p>";
}

std::string PageLine(int page_first, int page_last, int list_length, int page_length) {
  const int last_index = list_length - 1;
  std::string line = "Showing " + Num(page_first + 1) + " to " + Num(page_last + 1) + " of " +
                     Num(list_length) + ".";
  if (page_first > 0)
    line += " | <a href=\"pn:" + Num(std::max(0, page_first - page_length)) + "\">Previous&nbsp;" +
            Num(page_length) + "</a>";
  if (page_last < last_index) {
    const int rest = last_index - page_last;
    line += " | <a href=\"pn:" + Num(page_last + 1) + "\">Next&nbsp;" +
            Num(rest <= page_length - 1 ? rest : page_length) + "</a>";
  }
  return "<font size=-1>" + line + "</font>";
}

}  // namespace lumora
