// The camera roll of the sample backup.

#include <cstdio>
#include <string>

#include "tools/mkbackup/SampleMedia.h"
#include "tools/mkbackup/SampleMediaFiles.h"

namespace zbe::mkbackup {
namespace {

constexpr const char* kDomain = "CameraRollDomain";

// The camera numbers its files from 1 and starts a new folder every 1000 files.
std::string CameraFile(uint32_t number, const char* extension) {
  char path[64];
  std::snprintf(path, sizeof path, "Media/DCIM/%uAPPLE/IMG_%04u.%s", 100 + (number - 1) / 1000,
                number, extension);
  return path;
}

}  // namespace

void AddCameraRoll(SampleBackup& backup, int scale) {
  SampleRandom& random = backup.random();
  backup.AddFile(kDomain, "Media/DCIM/.MISC/Info.plist",
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
                 "\t<key>LastFileGroupNumber</key>\n\t<integer>100</integer>\n</dict>\n</plist>\n");
  uint32_t number = 1;
  for (int set = 0; set < scale; ++set) {
    // Shots of one outing: photos, a clip, a photo in the camera's own format (HEIF), a
    // screenshot and a raw photo imported from a camera.
    for (int i = 0; i < 4; ++i) {
      backup.AddFile(kDomain, CameraFile(number++, "JPG"), ExifJpeg(random, 64, 48));
    }
    backup.AddFile(kDomain, CameraFile(number++, "MOV"),
                   MovVideo(random, 2000 + random.Below(3000)));
    backup.AddFile(kDomain, CameraFile(number++, "HEIC"), HeicImage(random, 64, 48));
    for (int i = 0; i < 4; ++i) {
      backup.AddFile(kDomain, CameraFile(number++, "JPG"), ExifJpeg(random, 48, 64));
    }
    backup.AddFile(kDomain, CameraFile(number++, "PNG"), PngImage(random, 40, 72));
    backup.AddFile(kDomain, CameraFile(number++, "CR3"), CameraRawImage(random));
    backup.AddFile(kDomain, CameraFile(number++, "MOV"),
                   MovVideo(random, 2000 + random.Below(3000)));
  }
}

}  // namespace zbe::mkbackup
