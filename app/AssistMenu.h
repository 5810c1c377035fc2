// The assist menu under "Help": help, FAQ, about, support, the languages, and exit.
#pragma once

#include <string>

namespace zbe {

class CSettings;
class CWindowWnd;
class CMenuWnd;

// Builds the menu over "owner" from "menu_assist_reg.xml" with the texts of section "MenuWnd"
// and one element per configured language (the current one marked) under "item_language",
// which shows when there is a language to choose. Returns false when the layout cannot be
// built.
bool BuildAssistMenu(CMenuWnd& menu, CWindowWnd& owner, const CSettings& settings);

// Carries out the menu element "item" chosen in the assist menu of "owner": opens a page,
// asks "owner" to close (as its close button does), or makes a language current and posts the
// language change. Returns false for "" (the menu was dismissed) and names it does not know.
bool RunAssistMenuItem(const std::string& item, CWindowWnd& owner, CSettings& settings);

}  // namespace zbe
