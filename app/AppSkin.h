// The application's skin archive (skin/ zipped at build time, compiled into the program).
#pragma once

#include <span>

namespace zbe {

std::span<const unsigned char> ZbeAppSkin();

}  // namespace zbe
