#include "ui/TextMarkup.h"

#include "ui/AttributeValues.h"

namespace zbe {
namespace {

struct Style {
  int bold = 0;
  int italic = 0;
  int underline = 0;
  std::vector<UIColor> colors;
};

void Append(std::vector<UITextRun>* runs, const Style& st, std::string_view text) {
  if (text.empty())
    return;
  UITextRun run;
  run.bold = st.bold > 0;
  run.italic = st.italic > 0;
  run.underline = st.underline > 0;
  run.color = st.colors.empty() ? 0 : st.colors.back();
  if (!runs->empty()) {
    UITextRun& last = runs->back();
    if (last.bold == run.bold && last.italic == run.italic && last.underline == run.underline &&
        last.color == run.color) {
      last.text.append(text);
      return;
    }
  }
  run.text.assign(text);
  runs->push_back(std::move(run));
}

// Applies tag "tag" (the text between the braces) to "st". Returns false for an unknown tag.
bool ApplyTag(std::string_view tag, Style* st, std::vector<UITextRun>* runs) {
  auto close = [](int* counter) {
    if (*counter > 0)
      --*counter;
  };
  if (tag == "b")
    ++st->bold;
  else if (tag == "/b")
    close(&st->bold);
  else if (tag == "i")
    ++st->italic;
  else if (tag == "/i")
    close(&st->italic);
  else if (tag == "u")
    ++st->underline;
  else if (tag == "/u")
    close(&st->underline);
  else if (tag == "n")
    Append(runs, *st, "\n");
  else if (tag == "/c") {
    if (!st->colors.empty())
      st->colors.pop_back();
  } else if (tag.size() > 2 && tag[0] == 'c' && tag[1] == ' ') {
    UIColor c = 0;
    if (!ParseUIColor(tag.substr(2), &c))
      return false;
    st->colors.push_back(c);
  } else {
    return false;
  }
  return true;
}

}  // namespace

std::vector<UITextRun> ParseTextMarkup(std::string_view markup) {
  std::vector<UITextRun> runs;
  Style st;
  size_t textStart = 0;
  size_t i = 0;
  while (i < markup.size()) {
    if (markup[i] != '{') {
      ++i;
      continue;
    }
    size_t end = markup.find('}', i + 1);
    if (end == std::string_view::npos)
      break;
    std::string_view tag = markup.substr(i + 1, end - i - 1);
    Style before = st;
    // The text before the tag keeps the style that was in force before it.
    Append(&runs, st, markup.substr(textStart, i - textStart));
    if (ApplyTag(tag, &st, &runs)) {
      textStart = end + 1;
      i = end + 1;
    } else {
      // Keep the unknown tag as text; go on after its "{" so that a later "{b}" is still a tag.
      st = before;
      Append(&runs, st, markup.substr(i, 1));
      textStart = i + 1;
      i = i + 1;
    }
  }
  Append(&runs, st, markup.substr(textStart));
  return runs;
}

std::string StripTextMarkup(std::string_view markup) {
  std::string out;
  for (const UITextRun& r : ParseTextMarkup(markup))
    out += r.text;
  return out;
}

}  // namespace zbe
