// Photos and videos that two apps keep in their documents.

#include <cstdio>
#include <string>

#include "tools/mkbackup/SampleMedia.h"
#include "tools/mkbackup/SampleMediaFiles.h"

namespace zbe::mkbackup {
namespace {

constexpr const char* kPhotoApp = "AppDomain-com.example.photoframe";
constexpr const char* kClipApp = "AppDomain-com.sample.clipmaker";

std::string Numbered(const char* pattern, uint32_t number) {
  char name[96];
  std::snprintf(name, sizeof name, pattern, number);
  return name;
}

}  // namespace

void AddAppMedia(SampleBackup& backup, int scale) {
  SampleRandom& random = backup.random();
  for (uint32_t set = 1; set <= static_cast<uint32_t>(scale); ++set) {
    backup.AddFile(kPhotoApp, Numbered("Documents/Frames/frame_%03u.jpg", 2 * set - 1),
                   JfifJpeg(random, 64, 48));
    backup.AddFile(kPhotoApp, Numbered("Documents/Frames/frame_%03u.jpg", 2 * set),
                   ExifJpeg(random, 64, 64));
    backup.AddFile(kPhotoApp, Numbered("Documents/Exports/Export %u.png", set),
                   PngImage(random, 48, 48));
    backup.AddFile(kClipApp, Numbered("Documents/Clips/clip_%03u.mp4", set),
                   Mp4Video(random, 2000 + random.Below(3000), /*mp42=*/set % 2 == 0));
    backup.AddFile(kClipApp, Numbered("Documents/Clips/TAKE_%03u.MOV", set),
                   MovVideo(random, 2000 + random.Below(3000)));
    backup.AddFile(kClipApp, Numbered("Documents/Audio/voiceover_%03u.mp3", set),
                   Mp3Audio(Numbered("Voice-over %u", set), 3 + static_cast<int>(random.Below(4))));
    backup.AddFile(kClipApp, Numbered("Documents/Audio/tone_%03u.wav", set),
                   WavAudio(random, 250 + static_cast<int>(random.Below(500))));
    backup.AddFile(kClipApp, Numbered("Documents/Thumbnails/clip_%03u.jpg", set),
                   JfifJpeg(random, 32, 24));
  }
  // Caches that are no pictures.
  backup.AddFile(kPhotoApp, "Library/Caches/render.cache", std::string(2048, '\x5A'));
  backup.AddFile(kClipApp, "Library/Preferences/com.sample.clipmaker.plist",
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
                 "\t<key>LastProject</key>\n\t<string>clip_001</string>\n</dict>\n</plist>\n");
}

}  // namespace zbe::mkbackup
