#pragma once

#include <cstdint>

#include "tools/mkbackup/SampleBackup.h"

namespace zbe::mkbackup {

// The media files of the sample backup, one generator per kind. Each adds "scale" times its
// set of files (with their folders), drawn from the backup's random source. Besides the files
// that the program lists, most sets hold files it must leave out (a camera raw file of another
// brand, voice notes, property lists, a contact card, an empty download), so that a listing
// shows which files the type detection recognised.

// "CameraRollDomain-Media/DCIM/1xxAPPLE/IMG_nnnn.*": per set 8 Exif JPEGs, 1 HEIF photo, 2
// QuickTime movies and 1 PNG screenshot are listed; 1 camera raw file is not (nor, once,
// "DCIM/.MISC/Info.plist").
void AddCameraRoll(SampleBackup& backup, int scale);

// "MediaDomain-Media/PhotoStreamsData/<account>/100APPLE/IMG_nnnn.*": per set 3 JFIF JPEGs, 1
// JPEG without JFIF or Exif segment and 1 PNG, all listed.
void AddPhotoStream(SampleBackup& backup, int scale);

// "MediaDomain-Library/SMS/Attachments/xx/nn/<GUID>/<name>": per set an "IMG_nnnn.HEIC" that
// holds a JPEG (listed as "IMG_nnnn.JPG"), a JPEG, a real HEIF photo, a PNG and a QuickTime
// movie are listed; a contact card is not.
void AddMessageAttachments(SampleBackup& backup, int scale);

// Photos and videos of two apps, "AppDomain-com.example.photoframe" (per set 2 JPEGs and 1 PNG)
// and "AppDomain-com.sample.clipmaker" (per set 1 MP4, 1 QuickTime movie, 1 MP3, 1 WAVE and 1
// JPEG thumbnail), plus a cache file of each that is not recognised. App Photos: 4 per set in
// 2 apps; App Videos: 4 per set in 1 app.
void AddAppMedia(SampleBackup& backup, int scale);

// WhatsApp's media of older versions, "AppDomain-net.whatsapp.WhatsApp-Library/Media/<jid>/x/y/
// <uuid>.*" (per set 3 JPEGs and 1 MP4 are listed; a voice note (Ogg Opus) and an empty photo are
// not), and of recent ones, "AppDomainGroup-group.net.whatsapp.WhatsApp.shared-Message/Media/
// <jid>/x/y/<uuid>.*" (per set 2 JPEGs and 1 MP4 are listed; a voice note and an empty photo are
// not, nor a profile picture of the same domain outside "Message/Media/").
void AddWhatsAppAttachments(SampleBackup& backup, int scale);

}  // namespace zbe::mkbackup
