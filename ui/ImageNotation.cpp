#include "ui/ImageNotation.h"

#include <utility>
#include <vector>

#include "ui/AttributeValues.h"

namespace zbe {

bool ParseImageNotation(std::string_view text, UIImageNotation* out) {
  UIImageNotation n;
  if (text.find('=') == std::string_view::npos) {
    n.file = NormalizeSkinName(text);
    while (!n.file.empty() && n.file.back() == ' ')
      n.file.pop_back();
    if (n.file.empty())
      return false;
    *out = std::move(n);
    return true;
  }
  std::vector<std::pair<std::string, std::string>> attrs;
  if (!ParseAttributeList(text, &attrs))
    return false;
  for (const auto& [name, value] : attrs) {
    if (name == "file" || name == "res") {
      n.file = NormalizeSkinName(value);
    } else if (name == "source") {
      n.hasSource = ParseUIRect(value, &n.source);
    } else if (name == "dest") {
      n.hasDest = ParseUIRect(value, &n.dest);
    } else if (name == "corner") {
      ParseUIRect(value, &n.corner);
    } else if (name == "fade") {
      int f = 255;
      if (ParseUIInt(value, &f))
        n.fade = std::clamp(f, 0, 255);
    } else if (name == "mask") {
      ParseUIColor(value, &n.mask);
    } else if (name == "hole") {
      n.hole = ParseUIBool(value);
    } else if (name == "xtiled") {
      n.xtiled = ParseUIBool(value);
    } else if (name == "ytiled") {
      n.ytiled = ParseUIBool(value);
    }
  }
  if (n.file.empty())
    return false;
  *out = std::move(n);
  return true;
}

}  // namespace zbe
