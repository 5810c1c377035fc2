#include "backup/HeicPreview.h"

#include <fcntl.h>
#include <libheif/heif.h>
#include <stb_image_write.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <vector>

#include "platform/HeifHandles.h"
#include "platform/UniqueFd.h"
#include "records/ResultCodes.h"

namespace zbe {
namespace {

constexpr int kJpegQuality = 90;

// The whole of a regular file of at most kMaxHeicFileBytes; false otherwise.
bool ReadStoredFile(const std::string& path, std::string& bytes) {
  // Non-blocking, so that a FIFO put in the stored file's place cannot hang the preview.
  UniqueFd file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat info {};
  if (!file.valid() || fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<uint64_t>(info.st_size) > kMaxHeicFileBytes) {
    return false;
  }
  bytes.resize(static_cast<size_t>(info.st_size));
  size_t got = 0;
  while (got < bytes.size()) {
    ssize_t part = read(file.get(), bytes.data() + got, bytes.size() - got);
    if (part < 0 && errno == EINTR) {
      continue;
    }
    if (part <= 0) {
      return false;
    }
    got += static_cast<size_t>(part);
  }
  return true;
}

void AppendBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                             static_cast<size_t>(size));
}

}  // namespace

Result HeicToJpeg(const std::string& storedPath, std::string& jpeg) {
  jpeg.clear();
  std::string bytes;
  if (!ReadStoredFile(storedPath, bytes)) {
    return kMissingFile;
  }
  HeifLibrary library;
  HeifContext context(heif_context_alloc());
  if (!context ||
      heif_context_read_from_memory_without_copy(context.get(), bytes.data(), bytes.size(), nullptr)
              .code != heif_error_Ok) {
    return kMissingFile;
  }
  heif_image_handle* rawHandle = nullptr;
  if (heif_context_get_primary_image_handle(context.get(), &rawHandle).code != heif_error_Ok) {
    return kMissingFile;
  }
  HeifHandle handle(rawHandle);
  const int declaredWidth = heif_image_handle_get_width(handle.get());
  const int declaredHeight = heif_image_handle_get_height(handle.get());
  if (declaredWidth <= 0 || declaredHeight <= 0 ||
      static_cast<uint64_t>(declaredWidth) * static_cast<uint64_t>(declaredHeight) >
          kMaxHeicPixels) {
    return kMissingFile;
  }
  heif_image* rawImage = nullptr;
  if (heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                        nullptr)
          .code != heif_error_Ok) {
    return kMissingFile;
  }
  HeifImage image(rawImage);
  const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
  const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
  int stride = 0;
  const uint8_t* plane =
      heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
  if (plane == nullptr || width <= 0 || height <= 0 || stride < width * 3) {
    return kMissingFile;
  }
  // The encoder wants rows without padding.
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  for (int y = 0; y < height; ++y) {
    std::copy_n(plane + static_cast<size_t>(y) * static_cast<size_t>(stride),
                static_cast<size_t>(width) * 3,
                pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 3);
  }
  if (stbi_write_jpg_to_func(AppendBytes, &jpeg, width, height, 3, pixels.data(), kJpegQuality) ==
      0) {
    jpeg.clear();
    return kMissingFile;
  }
  return Result::Ok();
}

}  // namespace zbe
