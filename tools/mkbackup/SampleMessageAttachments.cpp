// The message attachments of the sample backup.

#include <cstdio>
#include <string>

#include "tools/mkbackup/SampleMedia.h"
#include "tools/mkbackup/SampleMediaFiles.h"

namespace zbe::mkbackup {
namespace {

std::string Guid(SampleRandom& random) {
  return random.UpperHex(8) + "-" + random.UpperHex(4) + "-" + random.UpperHex(4) + "-" +
         random.UpperHex(4) + "-" + random.UpperHex(12);
}

// Where the messages app keeps one attachment: two levels of hashed folders, then a folder
// named after the transfer's GUID.
std::string AttachmentPath(SampleRandom& random, const std::string& name) {
  char folders[16];
  std::snprintf(folders, sizeof folders, "%02x/%02u/", random.Below(256), random.Below(16));
  return "Library/SMS/Attachments/" + std::string(folders) + Guid(random) + "/" + name;
}

std::string ContactCard(SampleRandom& random) {
  std::string card = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Okafor;Ngozi;;;\r\nFN:Ngozi Okafor\r\n";
  card += "TEL;type=CELL:+44 7700 9" + random.Digits(5) + "\r\n";
  return card + "END:VCARD\r\n";
}

}  // namespace

void AddMessageAttachments(SampleBackup& backup, int scale) {
  SampleRandom& random = backup.random();
  uint32_t number = 1;
  auto image = [&](const char* extension) {
    char name[32];
    std::snprintf(name, sizeof name, "IMG_%04u.%s", number++, extension);
    return std::string(name);
  };
  for (int set = 0; set < scale; ++set) {
    // Sent as HEIC but converted to JPEG on the way: listed under its detected type.
    backup.AddFile("MediaDomain", AttachmentPath(random, image("HEIC")), JfifJpeg(random, 64, 48));
    backup.AddFile("MediaDomain", AttachmentPath(random, image("jpeg")), ExifJpeg(random, 48, 64));
    backup.AddFile("MediaDomain", AttachmentPath(random, image("HEIC")), HeicImage(random, 48, 64));
    backup.AddFile("MediaDomain", AttachmentPath(random, "Screenshot " + random.Digits(4) + ".png"),
                   PngImage(random, 40, 72));
    backup.AddFile("MediaDomain", AttachmentPath(random, image("MOV")),
                   MovVideo(random, 1500 + random.Below(2000)));
    backup.AddFile("MediaDomain", AttachmentPath(random, "Ngozi Okafor.vcf"), ContactCard(random));
  }
}

}  // namespace zbe::mkbackup
