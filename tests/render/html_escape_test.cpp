#include "render/html_escape.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(HtmlEscape, EscapesMarkupCharactersAndKeepsOtherBytes) {
  EXPECT_EQ(HtmlEscape("Fish & <Chips> \xE9"), "Fish &amp; &lt;Chips&gt; \xE9");
  EXPECT_EQ(HtmlEscape(""), "");
  std::string out = "x";
  AppendHtmlEscaped(out, "&amp;");
  EXPECT_EQ(out, "x&amp;amp;");
}

}  // namespace
}  // namespace lumora
