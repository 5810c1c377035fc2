#pragma once

#include <cstddef>
#include <string>

#include "tools/mkbackup/SampleRandom.h"

namespace zbe::mkbackup {

// The bytes of sample media files: real small images (written with stb_image_write) and audio
// and video files with valid headers, every one at least 512 bytes long so that the file type
// detection sees it whole. Each draws its variety from "random".

// A JPEG with a JFIF segment, as apps and messages save them.
std::string JfifJpeg(SampleRandom& random, int width, int height);
// A JPEG with an Exif segment (and no JFIF segment), as the camera writes them.
std::string ExifJpeg(SampleRandom& random, int width, int height);
// A valid JPEG that goes straight from its start marker to its tables (FF D8 FF DB), without
// JFIF or Exif, as many cameras and editors write them.
std::string BareJpeg(SampleRandom& random, int width, int height);
std::string PngImage(SampleRandom& random, int width, int height);
// A real HEIF photo ("ftypheic"), HEVC coded with libheif, as an iPhone's camera takes them.
// The same pixels give the same bytes. Throws std::runtime_error when no HEVC encoder is
// available.
std::string HeicImage(SampleRandom& random, int width, int height);
// A camera raw file in the ISO box structure whose file type box has another brand ("crx "):
// not recognised.
std::string CameraRawImage(SampleRandom& random);

// An MPEG-4 file: "ftyp" with the major brand "isom" (or "mp42" when "mp42"), a movie header
// and "mdatBytes" bytes of media data.
std::string Mp4Video(SampleRandom& random, size_t mdatBytes, bool mp42 = false);
// A QuickTime movie ("ftyp" with the brand "qt  ").
std::string MovVideo(SampleRandom& random, size_t mdatBytes);
// A PCM WAVE file (mono, 8000 Hz, 16 bits) of "milliseconds" of a tone.
std::string WavAudio(SampleRandom& random, int milliseconds);
// An MP3 file: an ID3v2.3 tag with a title, then "frames" silent MPEG-1 layer III frames.
std::string Mp3Audio(const std::string& title, int frames);
// An Ogg Opus voice note's first page: not recognised.
std::string OpusVoiceNote(SampleRandom& random);

}  // namespace zbe::mkbackup
