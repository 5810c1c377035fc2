// The small text markup of labels with showhtml="true":
//   {b}bold{/b}  {i}italic{/i}  {u}underlined{/u}  {c #RRGGBB}coloured{/c}  {n} line break
// Tags may close in any order ("{u}{i}x{/u}{/i}" is fine). Anything that is not a known tag,
// including a lone "{", is kept as text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/UIDefs.h"

namespace zbe {

struct UITextRun {
  std::string text;  // UTF-8; "\n" for a line break
  bool bold = false;
  bool italic = false;
  bool underline = false;
  UIColor color = 0;  // 0: the control's text colour
};

// Splits "markup" into runs of equal style, in order. Adjacent runs always differ in style.
std::vector<UITextRun> ParseTextMarkup(std::string_view markup);

// The text of "markup" without its tags.
std::string StripTextMarkup(std::string_view markup);

}  // namespace zbe
