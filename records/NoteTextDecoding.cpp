#include "records/NoteTextDecoding.h"

namespace zbe {
namespace {

struct Replacement {
  std::string_view pattern;
  std::string_view replacement;
};

constexpr Replacement kSteps[] = {
    {"&#39;", "'"}, {"&quot;", "\""}, {"&lt;", "<"},  {"&gt;", ">"},  {"&nbsp;", " "},
    {"&amp;", "&"}, {"<div>", "\n"},  {"</div>", ""}, {"<br>", "\n"},
};

std::string ReplaceAll(std::string_view text, const Replacement& step) {
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  for (size_t found; (found = text.find(step.pattern, pos)) != std::string_view::npos;
       pos = found + step.pattern.size()) {
    out.append(text.substr(pos, found - pos));
    out.append(step.replacement);
  }
  out.append(text.substr(pos));
  return out;
}

}  // namespace

std::string DecodeNoteText(std::string_view text) {
  std::string decoded(text);
  for (const Replacement& step : kSteps) {
    decoded = ReplaceAll(decoded, step);
  }
  return decoded;
}

}  // namespace zbe
