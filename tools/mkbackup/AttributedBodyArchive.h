#pragma once

#include <string>
#include <string_view>

namespace zbe::mkbackup {

// The attributedBody value that the messages app of iOS 16 and later stores for a plain "text"
// (UTF-8): an NSMutableAttributedString in the typed stream format, with one attribute run (the
// message part) over the whole text, byte for byte as the device writes it.
std::string AttributedBodyArchive(std::string_view text);

}  // namespace zbe::mkbackup
