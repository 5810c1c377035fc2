#pragma once

#include <string>
#include <string_view>

namespace zbe {

// Decodes the few HTML entities and line tags that note texts hold, in this order, each step
// replacing every occurrence (case-sensitive) and never rescanning what it has just inserted:
// "&#39;" -> "'", "&quot;" -> '"', "&lt;" -> "<", "&gt;" -> ">", "&nbsp;" -> " ",
// "&amp;" -> "&", "<div>" -> line feed, "</div>" -> "", "<br>" -> line feed.
// Because the entities go first, an escaped line tag ("&lt;br&gt;") ends as a line feed too;
// because "&amp;" goes after "&lt;", "a&amp;lt;b" ends as "a&lt;b". Other tags and entities stay.
std::string DecodeNoteText(std::string_view text);

}  // namespace zbe
