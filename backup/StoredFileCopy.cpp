#include "backup/StoredFileCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/UniqueFd.h"
#include "records/ResultCodes.h"

namespace zbe {
namespace {

constexpr size_t kChunkBytes = 65536;

// Copies the open "in" to "out". Returns success, an errno or the callback's answer.
Result CopyChunks(int in, int out, uint64_t size, const std::string& destination,
                  FileCopyCallback callback, void* context) {
  std::vector<char> buffer(kChunkBytes);
  uint64_t copied = 0;
  for (;;) {
    ssize_t got = read(in, buffer.data(), buffer.size());
    if (got < 0) {
      if (errno == EINTR)
        continue;
      return Result::System(errno);
    }
    if (got == 0) {
      return Result::Ok();
    }
    int32_t writeError =
        WriteAllBytes(out, std::string_view(buffer.data(), static_cast<size_t>(got)));
    copied += static_cast<uint64_t>(got);
    // A source that grew while being copied is still copied whole; the percentage stays <= 100.
    auto percent = static_cast<int32_t>(copied >= size ? 100 : copied * 100 / size);
    int32_t answer = callback != nullptr ? callback(context, percent, writeError, destination) : 0;
    // A failed write ends the copy even when the callback answers "go on": a file with a hole
    // must not pass for a copy.
    if (writeError != 0) {
      return Result::System(writeError);
    }
    if (answer != 0) {
      return Result::Answer(answer);
    }
  }
}

}  // namespace

Result CopyStoredFile(const std::string& source, const std::string& destination,
                      FileCopyCallback callback, void* context) {
  CreateFolders(ParentFolder(destination));
  Result result;
  UniqueFd in;
  UniqueFd out;
  struct stat inInfo {};
  struct stat outInfo {};
  if (OpenRegularFile(source, in) == 0 && fstat(in.get(), &inInfo) == 0) {
    out.Reset(open(destination.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
  }
  // Truncating only after this check keeps a copy onto itself from emptying a stored file.
  if (!out.valid() || fstat(out.get(), &outInfo) != 0 ||
      (inInfo.st_dev == outInfo.st_dev && inInfo.st_ino == outInfo.st_ino) ||
      (S_ISREG(outInfo.st_mode) && ftruncate(out.get(), 0) != 0)) {
    result = kMissingFile;
  } else if (inInfo.st_size > 0) {
    result = CopyChunks(in.get(), out.get(), static_cast<uint64_t>(inInfo.st_size), destination,
                        callback, context);
  }
  if (out.valid() && out.Reset() != 0 && result.ok()) {
    result = Result::System(errno);
  }
  // The callback gets the code the product's interfaces carry; a stop with a negative answer
  // makes no last call.
  if (result.code() > 0 && callback != nullptr) {
    callback(context, 100, result.code(), destination);
  }
  return result;
}

Result CopyStoredDatabase(const std::string& source, const std::string& destination) {
  if (!IsRegularFile(source)) {
    return kMissingFile;
  }
  return Result::System(CopyFileBytes(source, destination));
}

}  // namespace zbe
