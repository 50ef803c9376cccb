// The entry editor's conversions on a synthetic KJV: stored tokens to
// "#...|" text and back, the raw-surface rule, the style block and the
// skeleton document, and what saving strips.
#include "app/entry_editing.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "core/codec/base205.h"
#include "core/modules/bible_mapping_cache.h"
#include "core/refs/reference_parser.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_bible.h"

namespace lumora {
namespace {

using test::V;

// Token items as the codec writes them: one verse, or first "+" count.
std::string EditOne(int verse) { return EncodeBase205(verse); }
std::string EditSpan(int first, int last) {
  return EncodeBase205(first) + "+" + EncodeBase205(last - first);
}
std::string EditToken(std::initializer_list<std::string> items) {
  std::string t = "\x05";
  for (const std::string& item : items) t += (t.size() > 1 ? "," : "") + item;
  return t + "\x08";
}

const std::string kEditJohn316 = EditToken({EditOne(test::kJohn3_16)});
const std::string kEditStyle =
    "<STYLE> BODY {FONT-SIZE: 12pt; FONT-FAMILY: \"Arial\"; "
    "LM-LINE-CLR: 1;}</STYLE>\n";
const std::string kEditSkeleton =
    "<HTML>\r\n<HEAD>\r\n" + kEditStyle + "\r\n</HEAD>\r\n<BODY>\r\n</BODY>\r\n</HTML>\r\n";

class EntryEditTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    BibleMappingCache::Instance().Clear();
    dir_ = new test::TempFolder;
    const std::string path = dir_->File("kjv.lmb");
    ASSERT_TRUE(DefaultFileSystem().WriteFile(path, test::TestBibleBytes("KJV")).ok());
    Result<std::unique_ptr<TLMBibleModule>> opened = TLMBibleModule::Create(path);
    ASSERT_TRUE(opened.ok()) << opened.status().message();
    kjv_ = std::move(opened).value().release();
    parser_ = new ReferenceParser(*kjv_);
  }
  static void TearDownTestSuite() {
    delete parser_;
    delete kjv_;
    delete dir_;
    BibleMappingCache::Instance().Clear();
  }
  void SetUp() override { ASSERT_NE(kjv_, nullptr); }

  static test::TempFolder* dir_;
  static TLMBibleModule* kjv_;
  static ReferenceParser* parser_;
};
test::TempFolder* EntryEditTest::dir_ = nullptr;
TLMBibleModule* EntryEditTest::kjv_ = nullptr;
ReferenceParser* EntryEditTest::parser_ = nullptr;

TEST_F(EntryEditTest, OpeningWritesTokensAsReadableLists) {
  const struct {
    std::string stored, want;
  } cases[] = {
      {EditToken({EditOne(V(43, 3, 16)), EditOne(V(43, 3, 18)), EditSpan(V(43, 4, 1), V(43, 4, 3)),
                  EditOne(V(45, 8, 28))}),
       "#John 3:16,18; 4:1-3; Romans 8:28|"},
      {"See " + kEditJohn316 + " and <b>more</b>", "See #John 3:16| and <b>more</b>"},
      {EditToken({EditSpan(V(43, 3, 36), V(43, 4, 2))}), "#John 3:36-4:2|"},
      {EditToken({EditSpan(V(1, 50, 26), V(2, 1, 1))}), "#Genesis 50:26-Exodus 1:1|"},
      // Each item is compared with the item just before it.
      {EditToken({EditOne(V(1, 1, 1)), EditOne(test::kJohn3_16), EditOne(V(1, 1, 2))}),
       "#Genesis 1:1; John 3:16; Genesis 1:2|"},
      // Items outside the verse index are dropped.
      {EditToken({EditOne(0), EditOne(31103), EditOne(test::kJohn3_16), "!"}), "#John 3:16|"},
      {"\x05\x08", "#|"},
      // A count past the last verse leaves the first verse alone.
      {EditToken({EditSpan(31100, 31105)}), "#" + test::KjvRef(31100) + "|"},
      // Only four digits are read after "+": "0001" is a count of one.
      {EditToken({EditOne(1) + "+00019"}), "#Genesis 1:1-2|"},
      {EditToken({EditOne(1) + "+"}), "#Genesis 1:1|"},
      // A token that never closes keeps every byte from its 0x05 on.
      {"a\x05" + EditOne(1) + " text", "a\x05" + EditOne(1) + " text"},
      {kEditJohn316 + "x\x05" + EditOne(1), "#John 3:16|x\x05" + EditOne(1)},
  };
  for (const auto& c : cases) EXPECT_EQ(StoredToEditable(c.stored, *kjv_), c.want) << c.want;
}

TEST(EntryEditRawSurface, ControlBytesAndUnclosedTokensOpenRaw) {
  const struct {
    std::string stored;
    bool raw;
  } cases[] = {
      {"", false},
      {"<p>plain</p>", false},
      {"a\x05z\x08 b\x05z\x08", false},
      {"x\x01word\x08", true},
      {"x\x02word\x08", true},
      {"x\x03word\x08", true},
      {"x\x04word\x08", true},
      {"x\x06$1A\x08", true},
      {"x\x0Ezz", true},
      {"x\x05z", true},
      {"\x05z\x08 then \x05z", true},
  };
  for (const auto& c : cases) {
    const std::string reason = RawSurfaceReason(c.stored);
    EXPECT_EQ(!reason.empty(), c.raw) << testing::PrintToString(c.stored);
  }
}

TEST(EntryEditDocument, StyleBlockSkeletonAndBlankness) {
  EXPECT_EQ(EditorStyleBlock(12, "Arial"), kEditStyle);

  const struct {
    std::string editable, want;
  } documents[] = {
      {"", kEditSkeleton},
      {" \r\n\t", kEditSkeleton},
      {"<p>x</p>", kEditStyle + "<p>x</p>"},
      {"<html><head><title>t</title></HeAd><body>x</body></html>",
       "<html><head><title>t</title>" + kEditStyle + "</HeAd><body>x</body></html>"},
      {"<head></head></head>", "<head>" + kEditStyle + "</head></head>"},
  };
  for (const auto& d : documents)
    EXPECT_EQ(FormattedDocument(d.editable, 12, "Arial"), d.want) << d.editable;

  const struct {
    std::string text, want;
  } styles[] = {
      {"<head>\r\n " + kEditStyle + "\r\n</head>", "<head>\n</head>"},
      {"a<style>\nlm-line-clr: 1;</style>b", "a\nb"},
      {"<STYLE type=\"x\">LM-LINE-CLR</STYLE>b", "\nb"},
      // Only the block that holds the marker goes.
      {"<STYLE>p{}</STYLE>x<STYLE>LM-LINE-CLR</STYLE>", "<STYLE>p{}</STYLE>x\n"},
      {"<STYLE>p{}</STYLE>", "<STYLE>p{}</STYLE>"},
      {"LM-LINE-CLR</STYLE>", "LM-LINE-CLR</STYLE>"},
      {"<STYLE>LM-LINE-CLR", "<STYLE>LM-LINE-CLR"},
  };
  for (const auto& s : styles) EXPECT_EQ(RemoveEditorStyleBlock(s.text), s.want) << s.text;

  const struct {
    std::string text, want;
  } instructions[] = {
      {"<?xml:namespace prefix = o ns = \"x\" /><p>x</p>", "<p>x</p>"},
      {"a<?b>c<?d>e", "ace"},
      // The first ">" ends it, not a later "/>".
      {"<?a>b/>c", "b/>c"},
      {"a<?x>b<?c", "ab<?c"},
      {"<?", "<?"},
  };
  for (const auto& p : instructions)
    EXPECT_EQ(RemoveProcessingInstructions(p.text), p.want) << p.text;

  const struct {
    std::string text;
    bool blank;
  } blanks[] = {
      {"", true},
      {"<HTML>\r\n<HEAD>\n</HEAD>\r\n<BODY>\r\n</BODY>\r\n</HTML>\r\n", true},
      {"<p>&nbsp;&NBSP; \t</p>", true},
      {"<p>x</p>", false},
      {"<p><IMG src=\"a.png\"></p>", false},
      {"<Hr>", false},
      {"a < b", false},
  };
  for (const auto& b : blanks) EXPECT_EQ(IsBlankDocument(b.text), b.blank) << b.text;
}

TEST_F(EntryEditTest, SavingTurnsReferenceListsIntoTokens) {
  const EditSurface kF = EditSurface::kFormatted;
  const EditSurface kR = EditSurface::kRaw;
  const struct {
    EditSurface surface;
    std::string editable, want;
  } cases[] = {
      {kF, "#Joh 3:16|", kEditJohn316},
      {kF, "#hello|", "#hello|"},
      {kF, "#<b>Joh 3:16</b>|", "<b></b>" + kEditJohn316},
      {kF, "#John\r\n3:16|", kEditJohn316},
      {kF, "#John&nbsp;3 : 16|", kEditJohn316},
      {kF, "#John 3:16,18; 4:1-3; Romans 8:28|",
       EditToken({EditOne(V(43, 3, 16)), EditOne(V(43, 3, 18)), EditSpan(V(43, 4, 1), V(43, 4, 3)),
                  EditOne(V(45, 8, 28))})},
      {kF, "a #Joh 3:16| b #Rom 8:28|c",
       "a " + kEditJohn316 + " b " + EditToken({EditOne(V(45, 8, 28))}) + "c"},
      // A later "#" may open the list that the first one did not.
      {kF, "#see #Joh 3:16|", "#see " + kEditJohn316},
      // What the parser leaves after the reference stays after the token.
      {kF, "#Joh 3:16 (KJV)|", kEditJohn316 + " (KJV)"},
      // Tags moved out or not, a stop far from the end is no link.
      {kF, "#Joh 3:16 and many more words here|", "#Joh 3:16 and many more words here|"},
      {kF, "#<i>Joh 3:16 and many more words here</i>|",
       "#<i>Joh 3:16 and many more words here</i>|"},
      {kF, "#Joh 3:16a|", "#Joh 3:16a|"},
      {kF, "#|", "#|"},
      // No "|" after the "#": left as typed.
      {kF, "#Joh 3:16", "#Joh 3:16"},
      {kF, "a # b #Joh 3:16", "a # b #Joh 3:16"},
      // Byte 0x02 in the text is text.
      {kR, "\x02#Joh 3:16|\x02", "\x02" + kEditJohn316 + "\x02"},
      {kR, "#hel\x02lo|", "#hel\x02lo|"},
      // The formatted surface's additions go; the raw surface keeps all.
      {kF, "<html><head>\r\n" + kEditStyle + "</head><?xml x /><body>#Joh 3:16|</body></html>",
       "<html><head>\n</head><body>" + kEditJohn316 + "</body></html>"},
      {kR, "<?x>#Joh 3:16|", "<?x>" + kEditJohn316},
      {kF, kEditSkeleton, ""},
      {kF, "<?xml x?><p>&nbsp;</p>", ""},
      {kR, " \r\n", ""},
      {kF, "<p><img src=\"a.png\"></p>", "<p><img src=\"a.png\"></p>"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(EditableToStored(c.editable, c.surface, *parser_), c.want)
        << testing::PrintToString(c.editable);
}

TEST_F(EntryEditTest, TokensTheEditorWritesSurviveARoundTrip) {
  const std::string stored[] = {
      EditToken({EditOne(V(43, 3, 16)), EditOne(V(43, 3, 18)), EditSpan(V(43, 4, 1), V(43, 4, 3)),
                 EditOne(V(45, 8, 28))}),
      "<p>See " + kEditJohn316 + ", then " + EditToken({EditSpan(V(43, 3, 36), V(43, 4, 2))}) +
          ".</p>",
      EditToken({EditSpan(V(1, 50, 26), V(2, 1, 1)), EditOne(V(66, 22, 21))}),
      "\x01"
      "hebrew\x08 " +
          kEditJohn316,
  };
  for (const std::string& s : stored) {
    const std::string editable = StoredToEditable(s, *kjv_);
    EXPECT_EQ(EditableToStored(editable, EditSurface::kRaw, *parser_), s) << editable;
  }

  // Through the formatted document and back: one style block each time.
  const std::string doc = FormattedDocument(StoredToEditable(stored[1], *kjv_), 10, "Tahoma");
  const std::string saved = EditableToStored(doc, EditSurface::kFormatted, *parser_);
  EXPECT_EQ(saved, "\n" + stored[1]);
  const std::string reopened = FormattedDocument(StoredToEditable(saved, *kjv_), 10, "Tahoma");
  EXPECT_EQ(reopened.find("LM-LINE-CLR"), reopened.rfind("LM-LINE-CLR"));
  EXPECT_EQ(EditableToStored(reopened, EditSurface::kFormatted, *parser_), saved);
}

}  // namespace
}  // namespace lumora
