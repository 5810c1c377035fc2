#include "app/AppLinks.h"

#ifndef ZBE_HELP_PAGE
#define ZBE_HELP_PAGE "docs/help.html"
#endif
#ifndef ZBE_FAQ_PAGE
#define ZBE_FAQ_PAGE "docs/faq.html"
#endif
#ifndef ZBE_HOME_PAGE
#define ZBE_HOME_PAGE "docs/about.html"
#endif
#ifndef ZBE_SUPPORT_PAGE
#define ZBE_SUPPORT_PAGE ""
#endif
#ifndef ZBE_PASSWORD_PAGE
#define ZBE_PASSWORD_PAGE "docs/forgotten-password.html"
#endif

namespace zbe {
namespace {

std::string Resolve(const std::string& configured, const std::string& programFolder) {
  if (configured.find("://") != std::string::npos || configured.empty() ||
      configured.front() == '/') {
    return configured;
  }
  return programFolder + configured;
}

// "address" with "#fragment" in place of any fragment it has.
std::string WithFragment(std::string address, const char* fragment) {
  address = address.substr(0, address.find('#'));
  return address + "#" + fragment;
}

}  // namespace

std::string AppPageAddress(AppPage page, const std::string& programFolder) {
  switch (page) {
    case AppPage::kHelp:
      return Resolve(ZBE_HELP_PAGE, programFolder);
    case AppPage::kFaq:
      return Resolve(ZBE_FAQ_PAGE, programFolder);
    case AppPage::kHome:
      return Resolve(ZBE_HOME_PAGE, programFolder);
    case AppPage::kSupport: {
      // Support lives on the home page unless a page of its own is configured.
      const std::string own = ZBE_SUPPORT_PAGE;
      return own.empty() ? WithFragment(Resolve(ZBE_HOME_PAGE, programFolder), "support")
                         : Resolve(own, programFolder);
    }
    case AppPage::kForgottenPassword:
      return Resolve(ZBE_PASSWORD_PAGE, programFolder);
    case AppPage::kExportedFiles:
      return WithFragment(Resolve(ZBE_HELP_PAGE, programFolder), "exported-files");
  }
  return {};
}

}  // namespace zbe
