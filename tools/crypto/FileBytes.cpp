#include "tools/crypto/FileBytes.h"

#include "platform/FileSystem.h"

namespace zbe::crypto {

Result ReadFileBytes(const std::string& path, size_t maxSize, Bytes* data) {
  std::string text;
  Result result = OpenResult(zbe::ReadFileBytes(path, maxSize, text));
  data->assign(text.begin(), text.end());
  return result;
}

Result WriteFileBytes(const std::string& path, ByteView data, mode_t mode) {
  return Result::System(zbe::WriteFileBytes(path, AsText(data), mode));
}

}  // namespace zbe::crypto
