#include "app/ApplyTexts.h"

#include "app/CSettings.h"
#include "ui/PaintManagerUI.h"

namespace zbe {

int ApplyTexts(CPaintManagerUI& manager, const CSettings& settings, std::string_view section,
               TextTarget target) {
  int applied = 0;
  for (const auto& [key, text] : settings.Section(section).entries) {
    CControlUI* control = manager.FindControl(key);
    if (control == nullptr)
      continue;
    if (target == TextTarget::kWindow && !control->IsEnabled()) {
      // Some controls take no text while disabled on the platform this comes from; enabling
      // for the moment keeps the caption whatever the control.
      control->SetEnabled(true);
      control->SetText(text);
      control->SetEnabled(false);
    } else {
      control->SetText(text);
    }
    if (CControlUI* parent = control->GetParent())
      parent->NeedUpdate();
    ++applied;
  }
  return applied;
}

}  // namespace zbe
