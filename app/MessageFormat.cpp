#include "app/MessageFormat.h"

#include <cctype>

namespace zbe {

std::string FormatMessage(std::string_view format, const std::vector<std::string>& args) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    // Flags, width and precision, then length modifiers, then the conversion letter.
    size_t j = i + 1;
    while (j < format.size() &&
           std::string_view("-+ #0.123456789").find(format[j]) != std::string_view::npos) {
      ++j;
    }
    while (j < format.size() &&
           std::string_view("hlLqjzt").find(format[j]) != std::string_view::npos)
      ++j;
    if (j < format.size() &&
        std::string_view("sSdiufc").find(format[j]) != std::string_view::npos) {
      if (next < args.size())
        out += args[next];
      ++next;
      i = j;
      continue;
    }
    out += '%';
  }
  return out;
}

}  // namespace zbe
