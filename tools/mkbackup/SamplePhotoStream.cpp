// The photo stream of the sample backup.

#include <cstdio>
#include <string>

#include "tools/mkbackup/SampleMedia.h"
#include "tools/mkbackup/SampleMediaFiles.h"

namespace zbe::mkbackup {

void AddPhotoStream(SampleBackup& backup, int scale) {
  SampleRandom& random = backup.random();
  // The stream's files lie below the account's numeric identifier.
  std::string folder = "Media/PhotoStreamsData/" + random.Digits(10) + "/100APPLE/";
  uint32_t number = 1 + random.Below(5000);
  auto next = [&](const char* extension) {
    char name[32];
    std::snprintf(name, sizeof name, "IMG_%04u.%s", number++, extension);
    return folder + name;
  };
  for (int set = 0; set < scale; ++set) {
    backup.AddFile("MediaDomain", next("JPG"), JfifJpeg(random, 64, 48));
    // Shared by a device that writes no JFIF or Exif segment.
    backup.AddFile("MediaDomain", next("JPG"), BareJpeg(random, 64, 48));
    backup.AddFile("MediaDomain", next("JPG"), JfifJpeg(random, 48, 64));
    backup.AddFile("MediaDomain", next("PNG"), PngImage(random, 56, 40));
    backup.AddFile("MediaDomain", next("JPG"), JfifJpeg(random, 64, 64));
  }
}

}  // namespace zbe::mkbackup
