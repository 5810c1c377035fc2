// The HTML templates beside the program, filled with text from a backup: the split at the
// content mark, the title (the device name) and the person line (a contact's name and phone).

#include <string>

#include "export/Template.h"
#include "fuzz/FuzzParts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The template's bytes, then (after zero bytes) the device name, a name and a phone.
  std::vector<std::string_view> parts = zbe::fuzz::SplitParts(data, size, 4);
  zbe::HtmlTemplate tmpl;
  tmpl.raw = std::string(parts[0]);
  if (tmpl.raw.empty()) {
    return 0;
  }
  // The text is there already, so nothing is read from the (missing) program folder.
  ZBE_FUZZ_CHECK(zbe::LoadTemplate(zbe::TemplateKind::kMessages, "/nonexistent/", parts[1], tmpl) ==
                 0);
  ZBE_FUZZ_CHECK(tmpl.raw == parts[0]);
  // Marks are filled in one pass: inserted text may hold or complete a mark, which then stays.
  bool insertsBraces = parts[1].find('{') != std::string_view::npos ||
                       parts[2].find('{') != std::string_view::npos ||
                       parts[3].find('{') != std::string_view::npos;
  ZBE_FUZZ_CHECK(insertsBraces || tmpl.head.find("{|title|}") == std::string::npos);
  std::string head = zbe::FillPerson(tmpl.head, parts[2], parts[3]);
  ZBE_FUZZ_CHECK(insertsBraces || head.find("{|person|}") == std::string::npos);
  // Text from the backup never adds markup.
  if (tmpl.raw.find('<') == std::string::npos) {
    ZBE_FUZZ_CHECK(head.find('<') == std::string::npos);
  }
  return 0;
}
