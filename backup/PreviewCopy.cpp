#include "backup/PreviewCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "backup/FileTypeSniffer.h"
#include "backup/HeicPreview.h"
#include "backup/MediaExtensions.h"
#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"
#include "platform/UniqueFd.h"
#include "records/ResultCodes.h"

namespace zbe {
namespace {

constexpr size_t kChunkBytes = 65536;

// The preview copy's name for the sniffed extension (case ignored), or nullptr when no list
// holds it.
const char* CopyNameFor(std::string_view extension) {
  switch (MediaKindOfExtension(extension)) {
    case MediaKind::kPicture:
      return "tmp.jpg";
    case MediaKind::kAudio:
      return "tmp.wav";
    case MediaKind::kVideo:
      return "tmp.avi";
    case MediaKind::kNone:
      break;
  }
  return nullptr;
}

// Copies "in" (of "size" bytes when opened) to "out". Returns success, an errno or the answer.
Result CopyChunks(int in, int out, uint64_t size, PreviewCopyCallback callback, void* context) {
  std::vector<char> buffer(kChunkBytes);
  uint64_t copied = 0;
  for (;;) {
    ssize_t got = read(in, buffer.data(), buffer.size());
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      return Result::System(errno);
    }
    if (got == 0) {
      return Result::Ok();
    }
    if (int32_t error =
            WriteAllBytes(out, std::string_view(buffer.data(), static_cast<size_t>(got)));
        error != 0) {
      return Result::System(error);
    }
    copied += static_cast<uint64_t>(got);
    if (callback != nullptr) {
      auto percent = static_cast<int32_t>(copied >= size ? 100 : copied * 100 / size);
      if (int32_t answer = callback(context, percent); answer != 0) {
        return Result::Answer(answer);
      }
    }
  }
}

// Writes "bytes" as a fresh private file at "path"; a partial file is removed. Returns success,
// kMissingFile when the file cannot be created, or the errno of a failed write.
Result WriteFreshFile(const std::string& path, std::string_view bytes) {
  RemovePath(path);
  UniqueFd out(open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!out.valid()) {
    return kMissingFile;
  }
  int32_t error = WriteAllBytes(out.get(), bytes);
  if (out.Reset() != 0 && error == 0) {
    error = errno;
  }
  if (error != 0) {
    RemovePath(path);
  }
  return Result::System(error);
}

Result Copy(const std::string& workFolder, const std::string& storedPath, std::string& copyPath,
            PreviewCopyCallback callback, void* context) {
  if (workFolder.empty()) {
    return kMissingFile;
  }
  std::string sniffed;
  int64_t counter = 0;
  SniffFileType(storedPath, sniffed, counter);
  const char* copyName = CopyNameFor(ExtensionOf(sniffed));
  if (copyName == nullptr) {
    return kMissingFile;
  }
  copyPath = JoinPath(workFolder, copyName);
  // The preview shows the common picture formats only: a HEIF photo is shown as a JPEG made
  // from it.
  if (AsciiCaseEquals(ExtensionOf(sniffed), ExtensionOfTypeCode(kHeifTypeCode))) {
    RemovePath(copyPath);  // a failed conversion must not leave the previous photo on show
    std::string jpeg;
    Result converted = HeicToJpeg(storedPath, jpeg);
    return converted.ok() ? WriteFreshFile(copyPath, jpeg) : converted;
  }

  UniqueFd in(open(storedPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat info {};
  if (!in.valid() || fstat(in.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return kMissingFile;
  }
  // A fresh file rather than an overwrite: a shorter copy must not keep the tail of a longer
  // one, and a player still reading the old copy keeps its bytes.
  RemovePath(copyPath);
  UniqueFd out(open(copyPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!out.valid()) {
    return kMissingFile;
  }
  Result result =
      CopyChunks(in.get(), out.get(), static_cast<uint64_t>(info.st_size), callback, context);
  if (out.Reset() != 0 && result.ok()) {
    result = Result::System(errno);
  }
  if (!result.ok()) {
    RemovePath(copyPath);
  }
  return result;
}

}  // namespace

Result MakePreviewCopy(const std::string& workFolder, const std::string& storedPath,
                       std::string& copyPath, PreviewCopyCallback callback, void* context) {
  Result result = Copy(workFolder, storedPath, copyPath, callback, context);
  if (callback != nullptr) {
    callback(context, 100);
  }
  return result;
}

}  // namespace zbe
