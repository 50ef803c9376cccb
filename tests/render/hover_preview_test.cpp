#include "render/hover_preview.h"

#include <gtest/gtest.h>

#include "tests/render/entry_fixture.h"

namespace lumora::test::entry {
namespace {

std::string NoBrackets(std::string s) {
  std::erase_if(s, [](char c) { return c == '[' || c == ']'; });
  return s;
}
std::string TrimRight(std::string s) {
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.pop_back();
  return s;
}
std::string Text(int v) { return NoBrackets(Library().kjv->GetVerseText(v, false, false)); }
std::string Texts(int first, int last, const char* glue) {
  std::string out;
  for (int v = first; v <= last; ++v) out += (v == first ? "" : glue) + Text(v);
  return out;
}

TEST(PlainHintText, CleansLexiconMarkup) {
  const struct {
    std::string html, text;
  } cases[] = {
      {"a<p>b<br>c", "a\n\nb\nc"},
      {"<i>x</i> <b>y</b> <I>z</I>", "x y <I>z</I>"},
      {"&amp;lt; &lt;b&gt; &amp;amp;", "&lt; <b> &amp;"},
      {"one See Hebrew two See Greek three", "one"},
      {"x\x01heb\x08y\x02grk", "xy"},
      {"\x02" "a\x01" "b\x08" "c\x08" "d", "d"},  // Hebrew runs go first
      {" \t\x05 x \r\n", "x"},
      {"From \x03" "7218\x08; the \x04" "26\x08", "From 7218; the 26"},  // numbers stay
  };
  for (const auto& c : cases) EXPECT_EQ(PlainHintText(c.html), c.text) << c.html;
}

TEST(TextViewPreview, StrongsNumbers) {
  TPreviewContext x = Library().context;
  const std::string head = "'ab (awb)\nStrong's Hebrew Definition #1\n\n";
  EXPECT_EQ(TextViewPreview("h", "1", x), head + "'ab awb\n\nfather &lt; x & y.");
  EXPECT_EQ(TextViewPreview("h", "$1", x), head + "'ab awb\n\nfather &lt; x & y.");
  EXPECT_EQ(TextViewPreview("g", "1", x),
            " ()\nStrong's Greek Definition #1\n\n[Greek lexicon not loaded.]");
  x.hebrew_book = nullptr;
  EXPECT_EQ(TextViewPreview("h", "1", x), head + "[Hebrew lexicon not loaded.]");
  for (const char* bad : {"0", "8675", "", "x", "-1", "1 "})
    EXPECT_EQ(TextViewPreview("h", bad, x), "") << bad;
  EXPECT_EQ(TextViewPreview("g", "5625", x), "");
  EXPECT_EQ(TextViewPreview("H", "1", x), "");  // the text view compares exactly
}

TEST(TextViewPreview, BookAndCommentaryLinks) {
  const TPreviewContext& x = Library().context;
  EXPECT_EQ(TextViewPreview("ld", "0," + N(kBookVerse), x),
            "Test Book\nreferences this verse in:\n\nAlpha\nBeta");
  EXPECT_EQ(TextViewPreview("ld", "0,1", x), "Test Book\nreferences this verse in:\n");
  EXPECT_EQ(TextViewPreview("lc", "0,0", x), "Test Commentary");
  EXPECT_EQ(TextViewPreview("ec", "0,5", x), "Edit Test Commentary on this verse");
  for (const char* bad : {"1,5", "0", "0,31102", "-1,5", "0,x"}) {
    EXPECT_EQ(TextViewPreview("lc", bad, x), "") << bad;
    EXPECT_EQ(TextViewPreview("ec", bad, x), "") << bad;
  }
  for (const char* bad : {"1,5", "0,0", "0,31103"}) EXPECT_EQ(TextViewPreview("ld", bad, x), "");
  EXPECT_EQ(TextViewPreview("lp", "5", x), "");
}

TEST(ResourceViewPreview, SchemesWithoutVerses) {
  const TPreviewContext& x = Library().context;
  EXPECT_EQ(ResourceViewPreview("http://example.org/a", x), "http://example.org/a");
  EXPECT_EQ(ResourceViewPreview("HTTP:x", x), "HTTP:x");
  EXPECT_EQ(ResourceViewPreview("LMImage:map", x), "Click to view image.");
  for (const char* none : {"https://x", "VR:1", "cen:$1", "nocolon", ""})
    EXPECT_EQ(ResourceViewPreview(none, x), "") << none;
}

TEST(ResourceViewPreview, VerseRanges) {
  const TPreviewContext& x = Library().context;
  EXPECT_EQ(ResourceViewPreview("vr:" + B(kJohn3_16), x), "Joh 3:16 (KJV)\n\n" + Text(kJohn3_16));
  EXPECT_EQ(Text(kJohn3_16).find('['), std::string::npos);
  EXPECT_EQ(ResourceViewPreview("vr:" + B(1) + "+" + B(2), x),
            "Ge 1:1-3 (KJV)\n\n" + Texts(1, 3, " "));
  EXPECT_EQ(ResourceViewPreview("vr:" + B(kGen50_26) + "+" + B(1), x),
            "Ge 50:26-Exodus 1:1 (KJV)\n\n" + Texts(kGen50_26, kExo1_1, " "));
  EXPECT_EQ(ResourceViewPreview("vr:" + B(kGen2_1) + "+" + B(30), x),
            "Ge 2:1-3:6 (KJV)\n\n" + Texts(kGen2_1, kGen2_1 + 30, " "));
  // Long ranges stop at the cut, with the text the whole range would give.
  const std::string full = "Ge 1:1-Exodus 1:1 (KJV)\n\n" + Texts(1, kExo1_1, " ");
  ASSERT_GT(full.size(), kVersePreviewCut);
  EXPECT_EQ(ResourceViewPreview("vr:" + B(1) + "+" + B(kExo1_1 - 1), x),
            full.substr(0, kVersePreviewCut) + "\n\n" + kVersePreviewTruncated);
  // A count past the Bible is clamped to its last verse.
  EXPECT_EQ(ResourceViewPreview("vr:" + B(31101) + "+\xFC\xFC\xFC\xFC", x),
            TrimRight("Re 22:20-21 (KJV)\n\n" + Texts(31101, 31102, " ")));
  for (const std::string& bad : {std::string("vr:"), std::string("vr:0"), "vr:" + B(31103), std::string("vr:1 ")})
    EXPECT_EQ(ResourceViewPreview(bad, x), "") << bad;
  EXPECT_EQ(VerseRangePreview(B(1), nullptr), "");
}

TEST(ResourceViewPreview, VerseRangeLists) {
  const TPreviewContext& x = Library().context;
  const std::string twenty = B(kGen2_1) + "+" + B(19);
  EXPECT_EQ(ResourceViewPreview("vrl:" + B(1) + "," + twenty, x),
            "KJV\n\n(Genesis 1:1) " + Text(1) + "\n\n(Genesis 2:1-20) " + Text(kGen2_1) +
                "... (Truncated. Click for text.)");
  EXPECT_EQ(ResourceViewPreview("vrl:" + twenty + ",", x),
            "KJV\n\n(Genesis 2:1-20) " + Texts(kGen2_1, kGen2_1 + 19, " "));
  EXPECT_EQ(ResourceViewPreview("vrl:" + B(kGen50_26) + "+" + B(1) + "," + B(31102) + "+" + B(5), x),
            "KJV\n\n(Genesis 50:26-Exodus 1:1) " + Texts(kGen50_26, kExo1_1, " ") +
                "\n\n(Revelation 22:21) " + Text(31102));
  // Many items stop at the cut.
  std::string codes, full = "KJV";
  for (int v = 1; v <= 200; ++v) {
    const TVerseLocation at = x.bible->GetVerseLocation(v);
    codes += B(v) + ",";
    full += Fmt("\n\n(%s %d:%d) %s", {"Genesis", N(at.chapter), N(at.verse), Text(v)});
  }
  ASSERT_GT(full.size(), kVerseListPreviewCut);
  EXPECT_EQ(ResourceViewPreview("vrl:" + codes, x),
            full.substr(0, kVerseListPreviewCut) + "\n\n" + kVerseListPreviewTruncated);
  EXPECT_EQ(ResourceViewPreview("vrl:0,,\x05", x), "");
}

}  // namespace
}  // namespace lumora::test::entry
