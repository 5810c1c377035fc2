#include "app/AssistMenu.h"

#include <cstdio>
#include <cstring>

#include "app/AppLinks.h"
#include "app/AppMessages.h"
#include "app/ApplyTexts.h"
#include "app/CSettings.h"
#include "ui/LabelUI.h"
#include "ui/MenuWnd.h"
#include "ui/SystemServices.h"

namespace zbe {
namespace {

constexpr char kCheckMark[] = "file='Controls.png' source='359,38,375,54' dest='0,4,16,20'";

}  // namespace

bool BuildAssistMenu(CMenuWnd& menu, CWindowWnd& owner, const CSettings& settings) {
  if (!menu.Init(&owner, "xml/menu_assist_reg.xml"))
    return false;
  ApplyTexts(menu.GetManager(), settings, LangSection::kMenuWnd, TextTarget::kPopup);
  CMenuElementUI* languages = menu.FindElement("item_language");
  if (languages == nullptr)
    return true;
  for (const auto& [key, text] : settings.Languages()) {
    CMenuElementUI* element = menu.AddElement(languages, key, text.empty() ? key : text);
    if (element != nullptr && key == settings.CurrentLanguage()) {
      auto mark = std::make_unique<CLabelUI>();
      mark->SetName("LanguageCheck");
      mark->SetFixedWidth(16);
      mark->SetBkImage(kCheckMark);
      element->Add(std::move(mark));
    }
  }
  // The layout hides the entry; with a choice to make, the user needs to see it.
  languages->SetVisible(!settings.Languages().empty());
  return true;
}

bool RunAssistMenuItem(const std::string& item, CWindowWnd& owner, CSettings& settings) {
  const struct {
    const char* item;
    AppPage page;
  } kPages[] = {{"item_help", AppPage::kHelp},
                {"item_faq", AppPage::kFaq},
                {"item_about", AppPage::kHome},
                {"item_support", AppPage::kSupport}};
  for (const auto& p : kPages) {
    if (item == p.item) {
      UIShellOpen(AppPageAddress(p.page, settings.ProgramFolder()));
      return true;
    }
  }
  if (item == "item_exit") {
    owner.PostMessage(UIMsg::kClose, 1);
    return true;
  }
  for (const auto& language : settings.Languages()) {
    if (language.first != item)
      continue;
    if (int32_t rc = settings.SetLanguage(item); rc != 0) {
      std::fprintf(stderr, "zorvane-backup-extractor: cannot save the language: %s\n",
                   std::strerror(rc));
      return true;
    }
    owner.PostMessage(AppMsg::kLanguageChanged);
    return true;
  }
  return false;
}

}  // namespace zbe
