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

// Copies "in" (of "size" bytes when opened) to "out". Returns 0, an errno or the answer.
int32_t CopyChunks(int in, int out, uint64_t size, PreviewCopyCallback callback, void* context) {
  std::vector<char> buffer(kChunkBytes);
  uint64_t copied = 0;
  for (;;) {
    ssize_t got = read(in, buffer.data(), buffer.size());
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    if (got == 0) {
      return kResultOk;
    }
    if (int32_t error =
            WriteAllBytes(out, std::string_view(buffer.data(), static_cast<size_t>(got)));
        error != 0) {
      return error;
    }
    copied += static_cast<uint64_t>(got);
    if (callback != nullptr) {
      auto percent = static_cast<int32_t>(copied >= size ? 100 : copied * 100 / size);
      if (int32_t answer = callback(context, percent); answer != 0) {
        return answer;
      }
    }
  }
}

// Writes "bytes" as a fresh private file at "path"; a partial file is removed. Returns 0, 87
// when the file cannot be created, or the errno of a failed write.
int32_t WriteFreshFile(const std::string& path, std::string_view bytes) {
  RemovePath(path);
  UniqueFd out(open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!out.valid()) {
    return kResultMissingFile;
  }
  int32_t result = WriteAllBytes(out.get(), bytes);
  if (out.Reset() != 0 && result == kResultOk) {
    result = errno;
  }
  if (result != kResultOk) {
    RemovePath(path);
  }
  return result;
}

int32_t Copy(const std::string& workFolder, const std::string& storedPath, std::string& copyPath,
             PreviewCopyCallback callback, void* context) {
  if (workFolder.empty()) {
    return kResultMissingFile;
  }
  std::string sniffed;
  int64_t counter = 0;
  SniffFileType(storedPath, sniffed, counter);
  const char* copyName = CopyNameFor(ExtensionOf(sniffed));
  if (copyName == nullptr) {
    return kResultMissingFile;
  }
  copyPath = JoinPath(workFolder, copyName);
  // The preview shows the common picture formats only: a HEIF photo is shown as a JPEG made
  // from it.
  if (AsciiCaseEquals(ExtensionOf(sniffed), ExtensionOfTypeCode(kHeifTypeCode))) {
    RemovePath(copyPath);  // a failed conversion must not leave the previous photo on show
    std::string jpeg;
    int32_t converted = HeicToJpeg(storedPath, jpeg);
    return converted != kResultOk ? converted : WriteFreshFile(copyPath, jpeg);
  }

  UniqueFd in(open(storedPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat info {};
  if (!in.valid() || fstat(in.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return kResultMissingFile;
  }
  // A fresh file rather than an overwrite: a shorter copy must not keep the tail of a longer
  // one, and a player still reading the old copy keeps its bytes.
  RemovePath(copyPath);
  UniqueFd out(open(copyPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!out.valid()) {
    return kResultMissingFile;
  }
  int32_t result =
      CopyChunks(in.get(), out.get(), static_cast<uint64_t>(info.st_size), callback, context);
  if (out.Reset() != 0 && result == kResultOk) {
    result = errno;
  }
  if (result != kResultOk) {
    RemovePath(copyPath);
  }
  return result;
}

}  // namespace

int32_t MakePreviewCopy(const std::string& workFolder, const std::string& storedPath,
                        std::string& copyPath, PreviewCopyCallback callback, void* context) {
  int32_t result = Copy(workFolder, storedPath, copyPath, callback, context);
  if (callback != nullptr) {
    callback(context, 100);
  }
  return result;
}

}  // namespace zbe
