// Editor text back to entry bytes: entities, lexicon-font runs and
// references for characters outside the code page, for each kind of text.
#include "app/editor_text.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(EditorText, EncodesEachKindOfText) {
  using K = EditorTextKind;
  struct Case {
    std::u32string text;
    K kind;
    std::string encoded;
  };
  const std::vector<Case> cases = {
      {U"a < b & c > d", K::kDocumentText, "a &lt; b &amp; c &gt; d"},
      {U"a\u00A0b", K::kDocumentText, "a&nbsp;b"},
      {U"say \"x\"", K::kDocumentText, "say \"x\""},
      {U"say \"x\" & <y>", K::kAttribute, "say &quot;x&quot; &amp; &lt;y&gt;"},
      {U"<b>a & b</b>", K::kSource, "<b>a & b</b>"},
      {U"caf\u00E9 \u20AC \u2019", K::kDocumentText, "caf\xE9 \x80 \x92"},
      {U"\u2192 \U0001F600", K::kDocumentText, "&#8594; &#128512;"},
      {U"\u2192", K::kSource, "&#8594;"},
      // Greek: one run over the blank between words, none over the ASCII
      // word after it; the final sigma has its own byte.
      {U"\u03BB\u03CC\u03B3\u03BF\u03C2 \u03B8\u03B5\u03BF\u1FE6 word", K::kDocumentText,
       "<font face=\"Symbol\">logoV qeou</font> word"},
      {U"(\u03B1)", K::kDocumentText, "(<font face=\"Symbol\">a</font>)"},
      {U"\u05D0\u05D1 x", K::kDocumentText, "<font face=\"Basic Hebrew\">\xE0\xE1</font> x"},
      // Greek and Hebrew side by side: two runs.
      {U"\u03B1\u05D0", K::kDocumentText,
       "<font face=\"Symbol\">a</font><font face=\"Basic Hebrew\">\xE0</font>"},
      // Outside document text the letters are only characters.
      {U"\u03B1", K::kAttribute, "&#945;"},
      {U"\u03B1", K::kSource, "&#945;"},
      {U"\x01\x05", K::kSource, "\x01\x05"},
      {U"", K::kDocumentText, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.encoded);
    EXPECT_EQ(EncodeEditorText(c.text, c.kind), c.encoded);
  }
}

}  // namespace
}  // namespace lumora
