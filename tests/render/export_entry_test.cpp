#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/codec/base205.h"
#include "core/text/fast_strings.h"
#include "render/export_procs.h"
#include "render/export_text_passes.h"
#include "tests/render/export_fixture.h"
#include "tests/support/test_bible.h"

namespace lumora::test {
namespace {

const std::string kEnd = "\x08";

std::string References(const std::string& codes) { return "\x05" + codes + kEnd; }
// A 0x0E sequence: always two digits.
std::string CommentLink(int verse) {
  std::string d = EncodeBase205(verse);
  return "\x0E" + std::string(2 - d.size(), '0') + d;
}

struct EntryCase {
  const char* name;
  std::string text;
  bool plain, paragraph_breaks, reference_lists;
  std::string book, commentary;  // expected for each module (same text: commentary empty)
};

class ExportEntryTest : public ::testing::TestWithParam<EntryCase> {};

TEST_P(ExportEntryTest, Converts) {
  const EntryCase& c = GetParam();
  const ExportLibrary& lib = ExportModules();
  EXPECT_EQ(
      ExportEntryText(c.text, *lib.book, *lib.kjv, c.paragraph_breaks, c.reference_lists, c.plain),
      c.book);
  EXPECT_EQ(ExportEntryText(c.text, *lib.commentary, *lib.kjv, c.paragraph_breaks,
                            c.reference_lists, c.plain),
            c.commentary.empty() ? c.book : c.commentary);
}

const std::string kGenesisCodes =
    EncodeVerseRanges({{1, 1}, {3, 3}, {Verse(1, 2, 4), Verse(1, 2, 6)}});
// 31103 is no verse; a count past the last verse leaves the first verse.
const std::string kBadCodes =
    EncodeBase205(31103) + "," + EncodeBase205(1) + "+" + EncodeBase205(40000).substr(0, 4);
const std::string kHebrewOpen = "<font face=\"Basic Hebrew\">";
const std::string kGreekOpen = "<font face=\"Symbol\">";
const std::string kCmtJohn = "<a href=\"0:0\">Cmt. on John 3:16</a>";

INSTANTIATE_TEST_SUITE_P(
    Markup, ExportEntryTest,
    ::testing::Values(
        EntryCase{"ParagraphsOff", "One<p>Two", true, false, true, "One  Two  ", ""},
        EntryCase{"ParagraphsOn", "One<p>Two", true, true, true, "One\r\n\r\nTwo\r\n", ""},
        EntryCase{"BlocksOff", "a<blockquote>b</blockquote><P class=x>c<BR>d", true, false, true,
                  "a  b    c d  ", ""},
        EntryCase{"BlocksOn", "a<blockquote>b</blockquote><P class=x>c<BR>d", true, true, true,
                  "a\r\n\r\nb\r\n\r\n\r\n\r\nc\r\nd\r\n", ""},
        EntryCase{"JoinLines", "a \r\n  b  \r\n\r\n\t c \n\rd\r", false, true, true,
                  "a  b   c  d\r\n", ""},
        EntryCase{"ScriptRunsHtml", "\x01shalom\x08 and \x02logos\x08", false, true, true,
                  kHebrewOpen + "shalom</font> and " + kGreekOpen + "logos</font>\r\n", ""},
        EntryCase{"ScriptRunsPlain", "\x01shalom\x08 and \x02logos\x08", true, true, true,
                  "{shalom} and {logos}\r\n", ""},
        EntryCase{"UnclosedRun",
                  "\x01"
                  "a\x08\x01"
                  "b\x01"
                  "c",
                  false, true, true,
                  kHebrewOpen + "a</font>?b\x01"
                                "c\r\n",
                  ""},
        EntryCase{"ReferencesHtml", "See " + References(kGenesisCodes) + ".", false, true, true,
                  "See <a href=\"0:0\">Genesis 1:1,3; 2:4-6</a>.\r\n", ""},
        EntryCase{"ReferencesPlain", "See " + References(kGenesisCodes) + ".", true, true, true,
                  "See Genesis 1:1,3; 2:4-6.\r\n", ""},
        EntryCase{"BadReferenceItems", References(kBadCodes), true, true, true, "Genesis 1:1\r\n",
                  ""},
        EntryCase{"ReferencesKept", "See " + References(kGenesisCodes), false, true, false,
                  "See " + References(kGenesisCodes) + "\r\n", ""},
        EntryCase{"UnclosedReferences", "a\x05" + kGenesisCodes, false, true, true,
                  "a?" + kGenesisCodes + "\r\n", ""},
        EntryCase{"EntryLink",
                  "\x06"
                  "1" +
                      kEnd,
                  false, true, true, "<a href=\"0:0\">Abel</a>\r\n", kCmtJohn + "\r\n"},
        EntryCase{"EntryLinkFirst",
                  "\x06"
                  "0" +
                      kEnd,
                  true, true, true, "Aaron\r\n", "Cmt. on Genesis 1:2\r\n"},
        EntryCase{"UnreadableLinkIsOne", "\x06zz" + kEnd, true, true, true, "Abel\r\n",
                  "Cmt. on John 3:16\r\n"},
        EntryCase{"LinkToNoEntry",
                  "x\x06"
                  "ff" +
                      kEnd + "y",
                  false, true, true, "xy\r\n", ""},
        EntryCase{"UnclosedLink",
                  "x\x06"
                  "2",
                  false, true, true, "x?2\r\n", ""},
        EntryCase{"CommentaryLink", "See " + CommentLink(kJohn3_16) + ".", false, true, true,
                  "See .\r\n", "See " + kCmtJohn + ".\r\n"},
        EntryCase{"CommentaryLinkAtEnd", "x\x0E", false, true, true, "x\r\n", ""},
        EntryCase{"CommentaryLinkOneDigit",
                  "x\x0E"
                  "5",
                  false, true, true, "x5\r\n", ""},
        EntryCase{"CommentaryLinkNoDigits", "x\x0E ab", false, true, true, "x ab\r\n", ""},
        EntryCase{"CommentaryLinkNoVerse", "x\x0E\xFC\xFCy", false, true, true, "xy\r\n", ""},
        EntryCase{"EntitiesOnce", "&amp;lt; &lt;b&gt; a&NBSP;b &Quot;q&quot; 1&#8209;2", true, true,
                  true, "&lt; <b> a b \"q\" 1-2\r\n", ""},
        EntryCase{"HeadCut", "<HTML><head><title>T</title></HEAD><body>Text<br>more</body>", true,
                  true, true, "Text\r\nmore\r\n", ""},
        EntryCase{"HtmlCut", "junk<html>Text", true, true, true, "Text\r\n", ""},
        EntryCase{"TagsAndStrayBytes", "a<b>b</b>\x08 <open", true, true, true, "ab <open\r\n", ""},
        EntryCase{"DamagedRecordText", "[Non-fatal internal error: x on GetEntryText (2)]", true,
                  true, true, "[Non-fatal internal error: x on GetEntryText (2)]\r\n", ""},
        EntryCase{"Empty", "", true, true, true, "", ""}),
    [](const ::testing::TestParamInfo<EntryCase>& p) { return std::string(p.param.name); });

// The forward passes against the in-place edits they replace, on random
// markup: the same output for every input.
std::string InPlaceRuns(std::string s, char opener, const std::string& open,
                        const std::string& close) {
  for (size_t p; (p = s.find(opener)) != std::string::npos;) {
    const size_t q = s.find('\x08', p + 1);
    if (q == std::string::npos) {
      s[p] = '?';
      break;
    }
    s.replace(q, 1, close);
    s.replace(p, 1, open);
  }
  return s;
}

std::string InPlaceJoin(const std::string& s) {
  std::vector<std::string> lines;
  for (size_t p = 0; p < s.size();) {
    size_t e = s.find_first_of("\r\n", p);
    if (e == std::string::npos) e = s.size();
    lines.push_back(s.substr(p, e - p));
    p = e + (s.compare(e, 2, "\r\n") == 0 ? 2 : 1);
  }
  auto trim = [](std::string t) {
    const char* white = " \t\v\f";
    t.erase(0, t.find_first_not_of(white));
    t.erase(t.find_last_not_of(white) + 1);
    return t;
  };
  for (size_t i = lines.size(); i-- > 1;) {
    if (!trim(lines[i]).empty()) lines[i - 1] += " " + trim(lines[i]);
    lines.pop_back();
  }
  return lines.empty() ? "" : lines[0] + "\r\n";
}

std::string InPlaceDropTags(std::string s) {
  for (size_t p; (p = s.find('<')) != std::string::npos;) {
    const size_t q = s.find('>', p);
    if (q == std::string::npos) break;
    s.erase(p, q - p + 1);
  }
  return s;
}

TEST(ExportTextPassesTest, ForwardPassesEqualTheInPlaceEdits) {
  std::mt19937 random(7);
  const char alphabet[] = {'a', ' ', '\t', '\r', '\n', '<', '>', '\x01', '\x02', '\x08'};
  for (int round = 0; round < 5000; ++round) {
    std::string s(random() % 40, ' ');
    for (char& c : s) c = alphabet[random() % sizeof alphabet];
    ASSERT_EQ(export_text::ConvertScriptRuns(s, '\x01', "<f>", "</f>"),
              InPlaceRuns(s, '\x01', "<f>", "</f>"));
    ASSERT_EQ(export_text::ConvertScriptRuns(s, '\x02', "{", "}"),
              InPlaceRuns(s, '\x02', "{", "}"));
    ASSERT_EQ(export_text::JoinLines(s), InPlaceJoin(s));
    ASSERT_EQ(export_text::DropTags(s), InPlaceDropTags(s));
  }
}

// The plain-text steps as separate passes over the whole text.
std::string InPlacePlainText(const std::string& html, bool breaks) {
  size_t head = PosFromNoCase(html, "</head>");
  if (head == 0) head = PosFromNoCase(html, "<html>");
  std::string t = head == 0 ? html : html.substr(head - 1);
  const char* kPatterns[][3] = {{"<p>", "\r\n\r\n", "  "},
                                {"<p ", "\r\n\r\n<", "  <"},
                                {"<br>", "\r\n", " "},
                                {"<blockquote>", "\r\n\r\n", "  "},
                                {"</blockquote>", "\r\n\r\n", "  "}};
  for (const auto& p : kPatterns) t = ReplaceAll(t, p[0], breaks ? p[1] : p[2], false);
  if (!breaks)
    std::replace_if(
        t.begin(), t.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  t = ReplaceAll(ReplaceAll(t, "&nbsp;", " ", false), "&quot;", "\"", false);
  t = InPlaceDropTags(t);
  std::erase_if(t, [](char c) { return c == '\x01' || c == '\x02' || c == '\x08'; });
  return export_text::DecodeEntities(t);
}

TEST(ExportTextPassesTest, OnePassPlainTextEqualsThePassesInTurn) {
  std::mt19937 random(11);
  const char* tokens[] = {"<p>",
                          "<P ",
                          "<br>",
                          "<BlockQuote>",
                          "</blockquote>",
                          "&nbsp;",
                          "&QUOT;",
                          "&amp;",
                          "<",
                          ">",
                          "p",
                          "br>",
                          " ",
                          "\r",
                          "\n",
                          "\x01",
                          "\x08",
                          "a",
                          "</head>",
                          "<HTML>",
                          "&"};
  for (int round = 0; round < 5000; ++round) {
    std::string s;
    for (size_t n = random() % 16; n > 0; --n) s += tokens[random() % std::size(tokens)];
    for (const bool breaks : {false, true})
      ASSERT_EQ(export_text::PlainTextFromEntryHtml(s, breaks), InPlacePlainText(s, breaks)) << s;
  }
}

// Malformed markup of every kind converts, and leaves no sequence byte that
// the conversion owns.
TEST(ExportEntryRobustnessTest, RandomMarkupAlwaysConverts) {
  const ExportLibrary& lib = ExportModules();
  std::mt19937 random(3);
  const char alphabet[] = {'\x01', '\x02', '\x05', '\x06', '\x08', '\x0E', '0',  'z',  '\xFC',
                           ',',    '+',    '$',    '<',    '>',    '&',    '\r', '\n', ' '};
  for (int round = 0; round < 3000; ++round) {
    std::string s(random() % 30, ' ');
    for (char& c : s) c = alphabet[random() % sizeof alphabet];
    for (const bool plain : {false, true}) {
      const std::string book = ExportEntryText(s, *lib.book, *lib.kjv, false, true, plain);
      const std::string comment = ExportEntryText(s, *lib.commentary, *lib.kjv, true, true, plain);
      for (const std::string* t : {&book, &comment}) {
        for (const char b : {'\x05', '\x06', '\x0E'}) {
          ASSERT_EQ(t->find(b), std::string::npos);
        }
        for (const char b : {'\x01', '\x02', '\x08'}) {
          ASSERT_TRUE(!plain || t->find(b) == std::string::npos);
        }
      }
    }
  }
}

// Found by fuzzing: reference lists were written out verse by verse without
// bound, so 1500 lists naming the whole Bible (a 9 KB entry) took minutes and
// hundreds of megabytes. One entry now writes out at most 8 x 31102 verses;
// real entries name a few thousand.
TEST(ExportEntryRobustnessTest, ReferenceListsWriteOutAtMostEightBibles) {
  const ExportLibrary& lib = ExportModules();
  const std::string whole = References(EncodeBase205(1) + "+" + EncodeBase205(31100));
  std::string text;
  for (int i = 0; i < 1500; ++i) text += whole;
  const std::string last_list = References(EncodeBase205(test::kJohn3_16));
  for (const bool plain : {false, true}) {
    const std::string out =
        ExportEntryText(text + last_list, *lib.book, *lib.kjv, false, true, plain);
    size_t lists = 0;
    for (size_t at = out.find("Genesis 1:1-31"); at != std::string::npos;
         at = out.find("Genesis 1:1-31", at + 1))
      ++lists;
    EXPECT_EQ(lists, 8u);  // the first eight lists, whole
    EXPECT_EQ(out.find("John 3:16"), std::string::npos);  // past the budget
  }
  // Within the budget every list is written out.
  const std::string eight = ExportEntryText(whole + whole + last_list, *lib.book, *lib.kjv, false,
                                            true, true);
  EXPECT_NE(eight.find("John 3:16"), std::string::npos);
}

TEST(ExportRangesTest, CommentRangeHasOneHeadingPerComment) {
  const ExportLibrary& lib = ExportModules();
  const TVerseRangeList genesis = {{1, 3}};
  EXPECT_EQ(FormatCommentRange(genesis, *lib.kjv, *lib.commentary, true),
            "[[ TC GENESIS 1:2 ]]\r\n\r\nOn the deep\r\n\r\n\r\n");
  EXPECT_EQ(FormatCommentRange(genesis, *lib.kjv, *lib.commentary, false),
            "<p><font size=+1><b>Tc Genesis 1:2</b></font><p>On the deep\r\n");
  EXPECT_EQ(
      FormatCommentRange({{3, 30}, {kJohn3_16 + 1, kJohn3_16}}, *lib.kjv, *lib.commentary, true),
      "");
  const std::string both =
      FormatCommentRange({{kJohn3_16, kJohn3_16}, {-5, 99999}}, *lib.kjv, *lib.commentary, true);
  EXPECT_EQ(both,
            "[[ TC JOHN 3:16 ]]\r\n\r\nOn love\r\n\r\n\r\n[[ TC GENESIS 1:2 ]]\r\n\r\nOn the "
            "deep\r\n\r\n\r\n[[ TC JOHN 3:16 ]]\r\n\r\nOn love\r\n\r\n\r\n");
}

TEST(ExportRangesTest, BookRangeInEntryOrderAndDamagedEntriesAsTheirText) {
  const ExportLibrary& lib = ExportModules();
  EXPECT_EQ(FormatBookRange(0, 1, *lib.kjv, *lib.book, true),
            "[[ TB - Aaron ]]\r\n\r\nAaron\r\n\r\nthe priest\r\n\r\n\r\n"
            "[[ TB - Abel ]]\r\n\r\nAbel text\r\n\r\n\r\n");
  EXPECT_EQ(FormatBookRange(1, 1, *lib.kjv, *lib.book, false),
            "<p><font size=+1><b>TB - Abel</b></font><p>Abel text\r\n");
  EXPECT_EQ(FormatBookRange(1, 0, *lib.kjv, *lib.book, true), "");
  EXPECT_EQ(FormatBookRange(-3, 99, *lib.kjv, *lib.book, true),
            FormatBookRange(0, kBookEntryCount - 1, *lib.kjv, *lib.book, true));
  const std::string damaged = FormatBookRange(1, 3, *lib.kjv, *lib.damaged_book, true);
  EXPECT_NE(damaged.find("[[ TB - Mid ]]\r\n\r\n[Non-fatal internal error: "), std::string::npos)
      << damaged;
  EXPECT_NE(damaged.find("[[ TB - Zion ]]\r\n\r\nZion text\r\n"), std::string::npos);
}

}  // namespace
}  // namespace lumora::test
