#include "export/HtmlEscape.h"

#include <gtest/gtest.h>

namespace zbe {
namespace {

TEST(HtmlEscape, EscapesTheFiveMarkupCharacters) {
  EXPECT_EQ(HtmlEscape("<script>alert('x & \"y\"')</script>"),
            "&lt;script&gt;alert(&#39;x &amp; &quot;y&quot;&#39;)&lt;/script&gt;");
}

TEST(HtmlEscape, KeepsLineBreaksAndOtherTextUnchanged) {
  EXPECT_EQ(HtmlEscape("line one\r\nline two\n\tend \xF0\x9F\x98\x80 caf\xC3\xA9"),
            "line one\r\nline two\n\tend \xF0\x9F\x98\x80 caf\xC3\xA9");
  EXPECT_EQ(HtmlEscape(""), "");
}

TEST(HtmlEscape, EscapesAnAmpersandOfAnEntityAgain) {
  // Record text is text: "&amp;" typed in a message must show as typed.
  EXPECT_EQ(HtmlEscape("&amp;"), "&amp;amp;");
}

TEST(HtmlEscape, AppendsAfterWhatIsThere) {
  std::string out = "<td>";
  AppendHtmlEscaped(out, "a<b");
  EXPECT_EQ(out, "<td>a&lt;b");
}

}  // namespace
}  // namespace zbe
