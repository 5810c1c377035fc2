// The web pages the application opens: help, FAQ, the product's home page, support, the page
// about forgotten backup passwords and the one about exported files. Their addresses are set
// when the program is built (CMake cache settings ZBE_HELP_PAGE and so on); by default they are
// the pages shipped in "docs/" beside the program.
#pragma once

#include <string>

namespace zbe {

enum class AppPage {
  kHelp,
  kFaq,
  kHome,
  kSupport,
  kForgottenPassword,
  kExportedFiles,
};

// The address of "page": a configured address with a scheme ("https://...") as it is, a
// configured path relative to "programFolder" (with its trailing "/") made absolute.
std::string AppPageAddress(AppPage page, const std::string& programFolder);

}  // namespace zbe
