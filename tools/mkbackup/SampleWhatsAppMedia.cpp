// The media files that WhatsApp keeps in its app domain.

#include <string>

#include "tools/mkbackup/SampleMedia.h"
#include "tools/mkbackup/SampleMediaFiles.h"

namespace zbe::mkbackup {
namespace {

constexpr const char* kDomain = "AppDomain-net.whatsapp.WhatsApp";

std::string MediaPath(SampleRandom& random, const std::string& jid, const char* extension) {
  std::string uuid = random.LowerHex(8) + "-" + random.LowerHex(4) + "-" + random.LowerHex(4) +
                     "-" + random.LowerHex(4) + "-" + random.LowerHex(12);
  return "Library/Media/" + jid + "/" + random.LowerHex(1) + "/" + random.LowerHex(1) + "/" + uuid +
         "." + extension;
}

}  // namespace

void AddWhatsAppAttachments(SampleBackup& backup, int scale) {
  SampleRandom& random = backup.random();
  for (int set = 0; set < scale; ++set) {
    std::string person = "4477009" + random.Digits(5) + "@s.whatsapp.net";
    std::string group = "4477009" + random.Digits(5) + "-" + random.Digits(10) + "@g.us";
    backup.AddFile(kDomain, MediaPath(random, person, "jpg"), JfifJpeg(random, 64, 48));
    backup.AddFile(kDomain, MediaPath(random, group, "jpg"), JfifJpeg(random, 48, 64));
    backup.AddFile(kDomain, MediaPath(random, group, "mp4"),
                   Mp4Video(random, 2000 + random.Below(2000)));
    backup.AddFile(kDomain, MediaPath(random, person, "opus"), OpusVoiceNote(random));
    backup.AddFile(kDomain, MediaPath(random, group, "jpg"), JfifJpeg(random, 56, 56));
    // A photo whose download never completed.
    backup.AddFile(kDomain, MediaPath(random, person, "jpg"), std::string());
  }
}

}  // namespace zbe::mkbackup
