// Fills the placeholders of a language text ("You select %s in %d item(s) of %s in %d
// item(s)") without handing the text to printf: a language file is data, and a stray "%n" or a
// missing argument in it must not crash the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zbe {

// Replaces each conversion of "format" in turn ("%s", "%d", "%u", "%i", "%S", "%ld", "%lld",
// "%zu" and the like, flags and widths ignored) with the next element of "args", already
// formatted by the caller. "%%" gives "%". A conversion beyond the arguments becomes "", and
// any other "%" stays as it is.
std::string FormatMessage(std::string_view format, const std::vector<std::string>& args);

}  // namespace zbe
