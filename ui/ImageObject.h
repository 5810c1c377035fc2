// Image objects: components that show pictures inside the rich edit, registered at start-up by
// a library beside the program, as a component registry would. The library's registration
// function calls ZbeRegisterImageObject with its interface identifier and its own path; the
// rich edit loads the library when it first inserts such an object and decodes the picture
// through the library's exported "ZbeImageObjectDecode".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/ImageDecoder.h"

extern "C" {

// Receives a decoded picture from an image object library: Begin once, then one Frame per
// frame (RGBA rows, not premultiplied, width * height * 4 bytes, valid during the call).
struct ZbeImageSink {
  void* context;
  void (*Begin)(void* context, int32_t width, int32_t height);
  void (*Frame)(void* context, const uint8_t* rgba, int32_t delayMs);
};

// What an image object library exports as "ZbeImageObjectDecode": decodes the file at "path"
// (UTF-8) into "sink". Returns 0, kUIFileMissing (87) when the file cannot be read, or 22 when it
// is not a picture the object can show.
typedef int32_t (*ZbeImageObjectDecodeFn)(const char* path, ZbeImageSink* sink);

// Exported by the program for the libraries' registration functions: records that the library
// at "libraryPath" provides the image object "interfaceId" (a later registration of the same
// identifier replaces it). Returns 0, or 22 for a null or empty argument.
int32_t ZbeRegisterImageObject(const char* interfaceId, const char* libraryPath);
}

namespace zbe {

// The interface identifier of the preview's image object.
inline constexpr char kImageOleInterfaceId[] = "{89FC1386-91E5-415F-AD8F-04415C15F8F5}";

// The library registered for "interfaceId", or "" when none is.
std::string RegisteredImageObject(const std::string& interfaceId);

// Decodes the file at "path" with the image object "interfaceId" into "out". Returns 0,
// kUIFileMissing (87) when the file cannot be read, 22 when it is not a picture, or 38 (ENOSYS)
// when no library is registered for the identifier or it cannot be loaded or lacks
// "ZbeImageObjectDecode".
int32_t DecodeWithImageObject(const std::string& interfaceId, const std::string& path,
                              UIImageData* out);

// Forgets every registration (tests).
void ForgetImageObjects();

}  // namespace zbe
