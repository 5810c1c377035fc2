#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zbe {

// The HTML templates that ship beside the program in "template/". A template is a page whose
// first "{|content|}" marks where the records go: the text before it is the head, the text
// after it the tail. The program touches nothing else in the file: it fills "{|title|}" in the
// head once per load and "{|person|}" in the head once per thread or chat file, and otherwise
// writes the template's bytes unchanged.

// The five kinds of export file made from a template, in the order the export loads them.
enum class TemplateKind : int32_t {
  kCallHistory = 0,
  kNotes = 1,
  kContacts = 2,
  kMessages = 3,
  kWhatsApp = 4,
};

struct TemplateKindInfo {
  TemplateKind kind;
  std::string_view file;         // below the program folder
  std::string_view titlePrefix;  // put before the device name to make the title
};

// One row per kind, in load order.
const std::array<TemplateKindInfo, 5>& TemplateKinds();

// The row of "kind".
const TemplateKindInfo& TemplateInfo(TemplateKind kind);

// The print page's template, below the program folder. It has no title to fill.
inline constexpr std::string_view kPrintTemplateFile = "template/Print.html";

// One loaded template.
struct HtmlTemplate {
  std::string raw;   // the file's bytes as read
  std::string head;  // raw up to the first "{|content|}", with "{|title|}" filled where loaded so
  std::string tail;  // raw after the first "{|content|}"; empty when the file has none
};

// Reads the whole file at "path" into "raw" (replacing its content). Returns 0 or the errno of
// opening or reading it (EISDIR or EINVAL for something other than a regular file; "raw" is left
// unchanged on failure).
int32_t ReadTemplateFile(const std::string& path, std::string& raw);

// Sets "tmpl.head" and "tmpl.tail" from "tmpl.raw", split at the first "{|content|}". A raw text
// without it is all head and gives an empty tail, so a page without the mark still gets its
// records after the whole template rather than losing them. No placeholder is filled.
void SplitTemplate(HtmlTemplate& tmpl);

// Loads the template of "kind" from "programFolder" (a folder path ending in "/", as
// ProgramFolder gives it) into "tmpl": reads the file unless "tmpl.raw" already holds its text
// (a template is read once per export), splits it, and replaces every "{|title|}" of the head
// with the kind's title prefix followed by "deviceName" (the backup's device name, HTML-escaped).
// "{|title|}" in the tail and "{|person|}" stay as they are. Returns 0, or the errno of opening
// or reading the file (then "tmpl" is unchanged).
int32_t LoadTemplate(TemplateKind kind, const std::string& programFolder,
                     std::string_view deviceName, HtmlTemplate& tmpl);

// "head" with every "{|person|}" replaced by "Name: " + name + ", Phone: " + phone, the two
// values HTML-escaped: the head of one message thread or chat file.
std::string FillPerson(std::string_view head, std::string_view name, std::string_view phone);

}  // namespace zbe
