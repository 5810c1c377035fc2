#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "backup/ManifestEntry.h"
#include "backup/RecoveryCallbacks.h"
#include "backup/StoredFiles.h"

namespace zbe {

// What the media gathering walks need of the opened backup and of the scan's progress. Built
// by the parser for one operation; it borrows the parser's manifest and running progress, which
// must outlive it. Used on the scan thread only.
struct MediaWalk {
  const std::vector<ManifestEntry>& manifest;
  const std::string& backupFolder;
  StoredFileLayout layout;
  RecoveryProgressCallback callback;  // may be null
  void* userData;
  int32_t& runningProgress;  // the scan's running total; each operation adds its share at its end
  int32_t entryShare;        // what the per-entry reports of the walk span (EntryProgress)
  int32_t endShare;          // what the operation adds at its end

  // The stored file of "entry" in the backup's layout.
  std::string StoredPath(const ManifestEntry& entry) const;
  // Reports "progress"; returns the callback's answer (0 without a callback).
  int32_t Report(int32_t progress) const;
  // Adds "share" to the running progress and reports the new total; returns the answer.
  int32_t Finish(int32_t share) const;
};

// The per-entry reports of one walk: running progress + entryShare × k / N, k counting the
// reports from 1 and N the number of manifest entries, in unsigned arithmetic.
class EntryProgress {
 public:
  explicit EntryProgress(const MediaWalk& walk)
      : walk_(walk),
        share_(static_cast<uint32_t>(walk.entryShare)),
        entries_(walk.manifest.size()) {}
  // Makes the next report; returns the callback's answer (non-zero: stop the walk).
  int32_t Next();

 private:
  const MediaWalk& walk_;
  const uint32_t share_;
  const size_t entries_;
  uint64_t reports_ = 0;
};

// The part of a manifest path after its last "/" (the whole path when it has none), with
// ill-formed UTF-8 repaired: the name a device gave the file.
std::string BaseName(std::string_view manifestPath);

// "baseName" cut at its last "." (kept whole when it has none), then "." and "sniffedExtension"
// in upper case: the name under which a file is listed when its type decides its extension
// ("IMG_0001.HEIC" holding a JPEG becomes "IMG_0001.JPG").
std::string AdjustedName(std::string_view baseName, std::string_view sniffedExtension);

// Longest app name kept, in characters (code points); longer names are cut there.
inline constexpr size_t kMaxAppNameLength = 259;

// The app that an app-domain manifest path belongs to: the text after the first "com." (or,
// when the path has none, after the first "net.") up to the next "-", cut to kMaxAppNameLength
// characters; "other" when the path has neither or no "-" follows. For
// "AppDomain-com.example.photos-Documents/a.jpg" the app is "example.photos".
std::string AppNameOf(std::string_view manifestPath);

}  // namespace zbe
