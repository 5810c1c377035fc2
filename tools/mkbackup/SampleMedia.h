#pragma once

#include <cstdint>

#include "tools/mkbackup/SampleBackup.h"

namespace zbe::mkbackup {

// The media files of the sample backup, one generator per kind. Each adds "scale" times its
// set of files (with their folders), drawn from the backup's random source. Besides the files
// that the program lists, each set holds files it must leave out (HEIF images, JPEGs without
// JFIF or Exif segment, voice notes, property lists, an empty download), so that a listing
// shows which files the type detection recognised.

// "CameraRollDomain-Media/DCIM/1xxAPPLE/IMG_nnnn.*": per set 8 Exif JPEGs, 2 QuickTime movies
// and 1 PNG screenshot are listed; 1 HEIF photo is not (nor, once, "DCIM/.MISC/Info.plist").
void AddCameraRoll(SampleBackup& backup, int scale);

// "MediaDomain-Media/PhotoStreamsData/<account>/100APPLE/IMG_nnnn.*": per set 3 JFIF JPEGs and
// 1 PNG are listed; 1 JPEG without JFIF or Exif segment is not.
void AddPhotoStream(SampleBackup& backup, int scale);

// "MediaDomain-Library/SMS/Attachments/xx/nn/<GUID>/<name>": per set an "IMG_nnnn.HEIC" that
// holds a JPEG (listed as "IMG_nnnn.JPG"), a JPEG, a PNG and a QuickTime movie are listed; a
// real HEIF photo and a contact card are not.
void AddMessageAttachments(SampleBackup& backup, int scale);

// Photos and videos of two apps, "AppDomain-com.example.photoframe" (per set 2 JPEGs and 1 PNG)
// and "AppDomain-com.sample.clipmaker" (per set 1 MP4, 1 QuickTime movie, 1 MP3, 1 WAVE and 1
// JPEG thumbnail), plus a cache file of each that is not recognised. App Photos: 4 per set in
// 2 apps; App Videos: 4 per set in 1 app.
void AddAppMedia(SampleBackup& backup, int scale);

// "AppDomain-net.whatsapp.WhatsApp-Library/Media/<jid>/x/y/<uuid>.*": per set 3 JPEGs and 1
// MP4 are listed; a voice note (Ogg Opus) and an empty photo are not.
void AddWhatsAppAttachments(SampleBackup& backup, int scale);

}  // namespace zbe::mkbackup
