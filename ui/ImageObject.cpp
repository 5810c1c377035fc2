#include "ui/ImageObject.h"

#include <dlfcn.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>

namespace zbe {
namespace {

struct Registration {
  std::string library;
  void* handle = nullptr;  // loaded on first use, kept for the life of the process
};

// The process-wide registry, as the platform's component registry is process-wide.
struct Registry {
  std::mutex lock;
  std::map<std::string, Registration> objects;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

struct SinkTarget {
  UIImageData* out;
  bool begun = false;
};

void SinkBegin(void* context, int32_t width, int32_t height) {
  auto* t = static_cast<SinkTarget*>(context);
  t->out->width = width;
  t->out->height = height;
  t->begun = width > 0 && height > 0;
}

void SinkFrame(void* context, const uint8_t* rgba, int32_t delayMs) {
  auto* t = static_cast<SinkTarget*>(context);
  if (!t->begun || rgba == nullptr)
    return;
  const size_t bytes = static_cast<size_t>(t->out->width) * t->out->height * 4;
  t->out->frames.emplace_back(rgba, rgba + bytes);
  t->out->delaysMs.push_back(delayMs);
}

}  // namespace

std::string RegisteredImageObject(const std::string& interfaceId) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> guard(r.lock);
  auto it = r.objects.find(interfaceId);
  return it != r.objects.end() ? it->second.library : std::string();
}

int32_t DecodeWithImageObject(const std::string& interfaceId, const std::string& path,
                              UIImageData* out) {
  *out = UIImageData();
  ZbeImageObjectDecodeFn decode = nullptr;
  {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    auto it = r.objects.find(interfaceId);
    if (it == r.objects.end())
      return ENOSYS;
    if (it->second.handle == nullptr)
      it->second.handle = dlopen(it->second.library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (it->second.handle == nullptr)
      return ENOSYS;
    decode =
        reinterpret_cast<ZbeImageObjectDecodeFn>(dlsym(it->second.handle, "ZbeImageObjectDecode"));
  }
  if (decode == nullptr)
    return ENOSYS;
  SinkTarget target{out};
  ZbeImageSink sink{&target, &SinkBegin, &SinkFrame};
  const int32_t rc = decode(path.c_str(), &sink);
  if (rc != 0 || out->frames.empty()) {
    *out = UIImageData();
    return rc != 0 ? rc : 22;
  }
  return 0;
}

void ForgetImageObjects() {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> guard(r.lock);
  r.objects.clear();  // loaded libraries stay loaded: code of theirs may still be referenced
}

}  // namespace zbe

extern "C" int32_t ZbeRegisterImageObject(const char* interfaceId, const char* libraryPath) {
  if (interfaceId == nullptr || libraryPath == nullptr || *interfaceId == '\0' ||
      *libraryPath == '\0') {
    return 22;
  }
  zbe::Registry& r = zbe::TheRegistry();
  std::lock_guard<std::mutex> guard(r.lock);
  zbe::Registration& reg = r.objects[interfaceId];
  reg.library = libraryPath;
  reg.handle = nullptr;
  return 0;
}
