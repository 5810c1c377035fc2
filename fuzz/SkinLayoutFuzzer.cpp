// The skin layout builder: a layout's XML text built into controls (window settings, fonts,
// defaults, styles, includes of the skin's own layouts, every control class and attribute) and
// laid out. The layouts ship in the program, or in a "Skins/" folder beside it that anyone may
// edit. Runs on the offscreen platform: no display is needed.

#include <cstdlib>
#include <memory>
#include <span>
#include <string>

#include "ui/ControlUI.h"
#include "ui/DialogBuilder.h"
#include "ui/PaintManagerUI.h"
#include "ui/UIApplication.h"

namespace zbe {
std::span<const unsigned char> ZbeFuzzSkin();
}

// Qt frees its per-thread font cache when the application object goes before Qt's own statics;
// here the object is a static that outlives them, so the check at exit would report that cache
// every time. libFuzzer's check after each input, which finds the leaks of the layout code,
// stays on.
extern "C" const char* __lsan_default_options() {
  return "leak_check_at_exit=0";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // One toolkit for the whole run, as in the program; it outlives every input.
  static zbe::UIApplication app(*argc, *argv);
  app.SetResourceZip(zbe::ZbeFuzzSkin());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string xml(reinterpret_cast<const char*>(data), size);
  zbe::CPaintManagerUI manager;
  zbe::CDialogBuilder builder;
  std::unique_ptr<zbe::CControlUI> root = builder.CreateFromString(xml, nullptr, &manager);
  if (!root || !manager.AttachDialog(std::move(root))) {
    return 0;
  }
  zbe::UISize initSize = manager.GetInitSize();
  manager.GetRoot()->SetPos(zbe::UIRect{0, 0, 800, 600});
  if (initSize.cx > 0 && initSize.cy > 0 && initSize.cx < 10000 && initSize.cy < 10000) {
    manager.GetRoot()->SetPos(zbe::UIRect{0, 0, initSize.cx, initSize.cy});
  }
  return 0;
}
