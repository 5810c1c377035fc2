// The image component of the preview: a library beside the program whose registration
// function records it as the rich edit's image object, and which decodes the pictures the
// preview inserts (still images and every frame of an animated GIF).
#include <dlfcn.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "ui/ImageDecoder.h"
#include "ui/ImageObject.h"
#include "ui/UIDefs.h"

#define ZBE_EXPORT extern "C" __attribute__((visibility("default")))

// Records this library as the image object. Returns 0, 126 when the program offers no
// registration entry, or the entry's own result.
ZBE_EXPORT int32_t DllRegisterServer() {
  // The entry is looked up when called, so the library loads into any program.
  using RegisterFn = int32_t (*)(const char*, const char*);
  auto reg = reinterpret_cast<RegisterFn>(dlsym(RTLD_DEFAULT, "ZbeRegisterImageObject"));
  if (reg == nullptr)
    return 126;
  Dl_info self{};
  if (dladdr(reinterpret_cast<void*>(&DllRegisterServer), &self) == 0 || self.dli_fname == nullptr)
    return 126;
  return reg(zbe::kImageOleInterfaceId, self.dli_fname);
}

ZBE_EXPORT int32_t ZbeImageObjectDecode(const char* path, ZbeImageSink* sink) {
  if (path == nullptr || sink == nullptr)
    return 22;
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return zbe::kUIFileMissing;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  if (in.bad())
    return zbe::kUIFileMissing;
  zbe::UIImageData image;
  if (int32_t rc = zbe::DecodeImage(bytes, &image); rc != 0)
    return rc;
  sink->Begin(sink->context, image.width, image.height);
  for (size_t i = 0; i < image.frames.size(); ++i)
    sink->Frame(sink->context, image.frames[i].data(), image.delaysMs[i]);
  return 0;
}
