// Puts the texts of one language section onto the controls of a window or page.
#pragma once

#include <string_view>

namespace zbe {

class CPaintManagerUI;
class CSettings;

// How disabled controls are treated.
enum class TextTarget {
  // Windows and pages: a disabled control is enabled, given its text and disabled again.
  kWindow,
  // Pop-up windows: the text is set as it is.
  kPopup,
};

// For each key of "section" in the language table of "settings": the control of that name in
// "manager" gets the key's text and its parent is laid out anew. Keys that name no control are
// skipped. Returns the number of controls that got a text.
int ApplyTexts(CPaintManagerUI& manager, const CSettings& settings, std::string_view section,
               TextTarget target = TextTarget::kWindow);

}  // namespace zbe
