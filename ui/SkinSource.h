// Where layouts and images come from: the zip archive embedded in the program, or a folder of
// loose files (the "Skins/" folder beside the program, used while a skin is being made).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zbe {

class ISkinSource {
 public:
  virtual ~ISkinSource() = default;

  // Reads the file "name" into "out" (replaced). Names are relative to the skin's root, "\" is
  // read as "/", and letter case does not matter. Returns 0, kUIFileMissing (87) when there is no
  // such file, or 5 when the file exists but cannot be read (a damaged archive member, a read
  // error).
  virtual int32_t ReadFile(std::string_view name, std::vector<uint8_t>* out) const = 0;

  // For messages: "embedded archive" or the folder's path.
  virtual std::string Describe() const = 0;
};

// Opens the zip archive held in "zip", which must stay valid for the life of the source (it is
// the program's own static data). Returns null and sets "*result" to 22 when the bytes are not
// a readable zip archive; otherwise "*result" is 0. Safe to read from several threads.
std::unique_ptr<ISkinSource> OpenSkinZip(std::span<const unsigned char> zip, int32_t* result);

// A source reading loose files below "folder". Never fails; missing files give kUIFileMissing on
// reading.
std::unique_ptr<ISkinSource> OpenSkinFolder(const std::string& folder);

}  // namespace zbe
