// The media files of WhatsApp: older versions kept them in the app's domain, recent ones in the
// domain of the app group.

#include <string>

#include "tools/mkbackup/SampleMedia.h"
#include "tools/mkbackup/SampleMediaFiles.h"

namespace zbe::mkbackup {
namespace {

constexpr const char* kDomain = "AppDomain-net.whatsapp.WhatsApp";
constexpr const char* kGroupDomain = "AppDomainGroup-group.net.whatsapp.WhatsApp.shared";

std::string Uuid(SampleRandom& random) {
  return random.LowerHex(8) + "-" + random.LowerHex(4) + "-" + random.LowerHex(4) + "-" +
         random.LowerHex(4) + "-" + random.LowerHex(12);
}

std::string MediaPath(SampleRandom& random, const std::string& jid, const char* extension) {
  std::string uuid = Uuid(random);
  return "Library/Media/" + jid + "/" + random.LowerHex(1) + "/" + random.LowerHex(1) + "/" + uuid +
         "." + extension;
}

// In the app group the two folder levels are the first two digits of the file's UUID.
std::string GroupMediaPath(SampleRandom& random, const std::string& jid, const char* extension) {
  std::string uuid = Uuid(random);
  return "Message/Media/" + jid + "/" + uuid.substr(0, 1) + "/" + uuid.substr(1, 1) + "/" + uuid +
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

    backup.AddFile(kGroupDomain, GroupMediaPath(random, person, "jpg"), JfifJpeg(random, 48, 48));
    backup.AddFile(kGroupDomain, GroupMediaPath(random, group, "jpg"), ExifJpeg(random, 64, 40));
    backup.AddFile(kGroupDomain, GroupMediaPath(random, group, "mp4"),
                   Mp4Video(random, 1500 + random.Below(1500)));
    backup.AddFile(kGroupDomain, GroupMediaPath(random, person, "opus"), OpusVoiceNote(random));
    backup.AddFile(kGroupDomain, GroupMediaPath(random, group, "jpg"), std::string());
    // A profile picture: a photo of the group's, but no attachment.
    backup.AddFile(kGroupDomain, "Media/Profile/" + person + "-" + random.Digits(10) + ".jpg",
                   JfifJpeg(random, 32, 32));
  }
}

}  // namespace zbe::mkbackup
