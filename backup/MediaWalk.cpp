#include "backup/MediaWalk.h"

#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"
#include "platform/Utf8.h"

namespace zbe {
namespace {

// Byte length of the first "count" code points of the valid UTF-8 "text".
size_t PrefixBytes(std::string_view text, size_t count) {
  size_t bytes = 0;
  for (size_t seen = 0; bytes < text.size() && seen < count; ++seen) {
    ++bytes;
    while (bytes < text.size() && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) {
      ++bytes;
    }
  }
  return bytes;
}

}  // namespace

std::string MediaWalk::StoredPath(const ManifestEntry& entry) const {
  return StoredFilePath(backupFolder, entry.fileID, layout);
}

int32_t MediaWalk::Report(int32_t progress) const {
  return callback != nullptr ? callback(userData, progress) : 0;
}

int32_t MediaWalk::Finish(int32_t share) const {
  runningProgress += share;
  return Report(runningProgress);
}

int32_t EntryProgress::Next() {
  ++reports_;
  // k never exceeds N, so the quotient stays within the share.
  uint64_t part = entries_ == 0 ? 0 : static_cast<uint64_t>(share_) * reports_ / entries_;
  return walk_.Report(walk_.runningProgress + static_cast<int32_t>(part));
}

std::string BaseName(std::string_view manifestPath) {
  size_t slash = manifestPath.rfind('/');
  return RepairUtf8(slash == std::string_view::npos ? manifestPath
                                                    : manifestPath.substr(slash + 1));
}

std::string AdjustedName(std::string_view baseName, std::string_view sniffedExtension) {
  size_t dot = baseName.rfind('.');
  std::string name(dot == std::string_view::npos ? baseName : baseName.substr(0, dot));
  return name + "." + AsciiUpper(sniffedExtension);
}

std::string AppNameOf(std::string_view manifestPath) {
  size_t match = manifestPath.find("com.");
  if (match == std::string_view::npos) {
    match = manifestPath.find("net.");
  }
  if (match == std::string_view::npos) {
    return "other";
  }
  size_t start = match + 4;
  size_t dash = manifestPath.find('-', start);
  if (dash == std::string_view::npos) {
    return "other";
  }
  // Bundle identifiers are far shorter; a longer name comes from a damaged or crafted manifest.
  // Cutting it keeps the app's files listed under a recognisable name.
  std::string app = RepairUtf8(manifestPath.substr(start, dash - start));
  return app.substr(0, PrefixBytes(app, kMaxAppNameLength));
}

}  // namespace zbe
