// The image notation of layouts and pages: either a plain file name ("logo.png") or a list of
// attributes such as
//   file='Controls.png' source='325,75,340,90' dest='0,4,16,20' corner='4,4,4,4' fade='200'
// "source" cuts a rectangle out of the image, "dest" places it inside the control (offsets from
// the control's top-left corner), "corner" gives the fixed borders of nine-slice stretching.
#pragma once

#include <string>
#include <string_view>

#include "ui/UIDefs.h"

namespace zbe {

struct UIImageNotation {
  std::string file;  // skin-relative name, "\" already read as "/"
  UIRect source;     // valid when hasSource
  UIRect dest;       // valid when hasDest
  UIRect corner;     // all zero: plain stretching
  int fade = 255;    // 0 (invisible) .. 255 (opaque)
  UIColor mask = 0;  // colour made transparent; 0 = none
  bool hasSource = false;
  bool hasDest = false;
  bool hole = false;    // nine-slice: leave the middle out
  bool xtiled = false;  // repeat the middle horizontally instead of stretching
  bool ytiled = false;  // repeat the middle vertically instead of stretching
};

// Parses "text" into "out". A text without "=" is a plain file name. Unknown attribute names
// are ignored (a newer layout may use more of them). Returns false when the text is empty, the
// attribute list is malformed, or no file is named.
bool ParseImageNotation(std::string_view text, UIImageNotation* out);

}  // namespace zbe
