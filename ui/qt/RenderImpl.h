// The inside of CRenderUI: the painter of the current paint pass and the manager whose fonts
// it uses.
#pragma once

#include <QPainter>

#include "ui/RenderUI.h"

namespace zbe {

struct CRenderUI::Impl {
  QPainter* painter = nullptr;
  CPaintManagerUI* manager = nullptr;
};

// A render object for one pass of "painter" over "manager"'s controls.
inline CRenderUI MakeRender(QPainter& painter, CPaintManagerUI& manager) {
  auto impl = std::make_unique<CRenderUI::Impl>();
  impl->painter = &painter;
  impl->manager = &manager;
  return CRenderUI(std::move(impl));
}

}  // namespace zbe
