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

// Bytes copied between two progress reports (and two looks at the cancel answer).
constexpr size_t kChunkBytes = 65536;

// Reports "copied" of "size" and the write error; answers the callback's answer.
int32_t Report(uint64_t copied, uint64_t size, int32_t writeError, const std::string& destination,
               FileCopyCallback callback, void* context) {
  // A source that grew while being copied is still copied whole; the percentage stays <= 100.
  auto percent = static_cast<int32_t>(copied >= size ? 100 : copied * 100 / size);
  return callback != nullptr ? callback(context, percent, writeError, destination) : 0;
}

// Copies the open "in" to "out" through a buffer. Returns success, an errno or the callback's
// answer.
Result CopyThroughBuffer(int in, int out, uint64_t copied, uint64_t size,
                         const std::string& destination, FileCopyCallback callback, void* context) {
  std::vector<char> buffer(kChunkBytes);
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
    int32_t answer = Report(copied, size, writeError, destination, callback, context);
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

// Copies the open "in" to "out" in the kernel (no pass through our memory; on file systems that
// share blocks, no copy at all), and through a buffer where the kernel cannot (another file
// system on an older kernel, a file system without support). Returns as CopyThroughBuffer.
Result CopyChunks(int in, int out, uint64_t size, const std::string& destination,
                  FileCopyCallback callback, void* context) {
  uint64_t copied = 0;
  for (;;) {
    ssize_t put = copy_file_range(in, nullptr, out, nullptr, kChunkBytes, 0);
    if (put < 0) {
      if (errno == EINTR) {
        continue;
      }
      if (copied == 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS ||
                          errno == EOPNOTSUPP || errno == EBADF)) {
        return CopyThroughBuffer(in, out, copied, size, destination, callback, context);
      }
      int32_t error = errno;
      // A failed write is told with its percent first, as the buffered copy tells it.
      if (error == ENOSPC || error == EDQUOT || error == EFBIG) {
        Report(copied, size, error, destination, callback, context);
      }
      return Result::System(error);
    }
    if (put == 0) {
      // Some file systems answer 0 where they cannot copy; the buffer then finds out.
      if (copied == 0 && size > 0) {
        return CopyThroughBuffer(in, out, copied, size, destination, callback, context);
      }
      return Result::Ok();
    }
    copied += static_cast<uint64_t>(put);
    if (int32_t answer = Report(copied, size, 0, destination, callback, context); answer != 0) {
      return Result::Answer(answer);
    }
  }
}

}  // namespace

Result CopyStoredFile(const std::string& source, const std::string& destination,
                      FileCopyCallback callback, void* context) {
  Result result;
  UniqueFd in;
  UniqueFd out;
  struct stat inInfo {};
  struct stat outInfo {};
  bool created = false;  // "out" is a file this call made: it cannot be the source
  if (OpenRegularFile(source, in, inInfo) == 0) {
    // An export copies to a name where nothing is: made new, the file needs no further checks.
    // The folder is made only when it is missing.
    constexpr int kCreate = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
    out.Reset(open(destination.c_str(), kCreate, 0644));
    if (!out.valid() && errno == ENOENT) {
      CreateFolders(ParentFolder(destination));
      out.Reset(open(destination.c_str(), kCreate, 0644));
    }
    created = out.valid();
    if (!created && errno == EEXIST) {
      out.Reset(open(destination.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    }
  }
  // Truncating only after this check keeps a copy onto itself from emptying a stored file.
  if (!out.valid() ||
      (!created && (fstat(out.get(), &outInfo) != 0 ||
                    (inInfo.st_dev == outInfo.st_dev && inInfo.st_ino == outInfo.st_ino) ||
                    (S_ISREG(outInfo.st_mode) && ftruncate(out.get(), 0) != 0)))) {
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
