#pragma once

#include <string>
#include <string_view>

namespace zbe {

// Appends "text" to "out" with the five characters that can end an HTML text or attribute
// value written as entities: & &amp;  < &lt;  > &gt;  " &quot;  ' &#39;. Everything else, line
// breaks included, is copied unchanged, so record text read from a backup (messages written by
// other people, contact and device names) shows as text and never runs as markup or script.
void AppendHtmlEscaped(std::string& out, std::string_view text);

// "text" escaped as AppendHtmlEscaped does.
std::string HtmlEscape(std::string_view text);

}  // namespace zbe
