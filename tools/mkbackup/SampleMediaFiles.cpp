#include "tools/mkbackup/SampleMediaFiles.h"

#include <libheif/heif.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/HeifHandles.h"

namespace zbe::mkbackup {
namespace {

constexpr size_t kJfifSegmentEnd = 20;  // SOI (2 bytes) and the 18-byte JFIF segment of stb

void AppendStbBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                             static_cast<size_t>(size));
}

void Big16(std::string& out, uint32_t value) {
  out += static_cast<char>((value >> 8) & 0xFF);
  out += static_cast<char>(value & 0xFF);
}

void Big32(std::string& out, uint32_t value) {
  Big16(out, value >> 16);
  Big16(out, value & 0xFFFF);
}

void Little16(std::string& out, uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Little32(std::string& out, uint32_t value) {
  Little16(out, value & 0xFFFF);
  Little16(out, value >> 16);
}

std::string RandomBytes(SampleRandom& random, size_t count) {
  std::string bytes;
  bytes.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    bytes += static_cast<char>(random.Below(256));
  }
  return bytes;
}

// A picture: a diagonal blend of two random colours with a little grain, so that it looks like
// something and does not compress to nothing.
std::vector<unsigned char> Picture(SampleRandom& random, int width, int height) {
  unsigned char from[3];
  unsigned char to[3];
  for (int c = 0; c < 3; ++c) {
    from[c] = static_cast<unsigned char>(random.Below(256));
    to[c] = static_cast<unsigned char>(random.Below(256));
  }
  std::vector<unsigned char> pixels(static_cast<size_t>(width * height * 3));
  int span = width + height - 2 > 0 ? width + height - 2 : 1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < 3; ++c) {
        int value = (from[c] * (span - x - y) + to[c] * (x + y)) / span;
        value += static_cast<int>(random.Below(17)) - 8;
        value = value < 0 ? 0 : value > 255 ? 255 : value;
        pixels[static_cast<size_t>((y * width + x) * 3 + c)] = static_cast<unsigned char>(value);
      }
    }
  }
  return pixels;
}

// An ISO base media box: size, type, payload.
std::string Box(const char* type, const std::string& payload) {
  std::string box;
  Big32(box, static_cast<uint32_t>(8 + payload.size()));
  box += type;
  box += payload;
  return box;
}

std::string FileTypeBox(const char* major, uint32_t minor,
                        std::initializer_list<const char*> compatible) {
  std::string payload = major;
  Big32(payload, minor);
  for (const char* brand : compatible) {
    payload += brand;
  }
  return Box("ftyp", payload);
}

// A movie box holding a movie header of "seconds" at a time scale of 600.
std::string MovieBox(SampleRandom& random, uint32_t seconds) {
  std::string header(4, '\0');  // version 0, no flags
  // Seconds since 1904 of a date in 2019.
  uint32_t created = 3629000000u + random.Below(30000000);
  Big32(header, created);
  Big32(header, created);
  Big32(header, 600);
  Big32(header, seconds * 600);
  Big32(header, 0x00010000);  // rate 1.0
  Big16(header, 0x0100);      // volume 1.0
  header += std::string(10, '\0');
  // The identity matrix.
  for (uint32_t value : {0x00010000u, 0u, 0u, 0u, 0x00010000u, 0u, 0u, 0u, 0x40000000u}) {
    Big32(header, value);
  }
  header += std::string(24, '\0');
  Big32(header, 2);  // next track ID
  return Box("moov", Box("mvhd", header));
}

std::string EncodeJpeg(SampleRandom& random, int width, int height) {
  std::vector<unsigned char> pixels = Picture(random, width, height);
  std::string bytes;
  stbi_write_jpg_to_func(AppendStbBytes, &bytes, width, height, 3, pixels.data(), 85);
  return bytes;
}

// A sample that cannot be made is a fault of the machine (no HEVC encoder), not of the data.
void Check(const heif_error& error) {
  if (error.code != heif_error_Ok) {
    throw std::runtime_error(std::string("cannot encode a HEIF image: ") + error.message);
  }
}

heif_error AppendHeifBytes(heif_context*, const void* data, size_t size, void* userData) {
  static_cast<std::string*>(userData)->append(static_cast<const char*>(data), size);
  return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
}

}  // namespace

std::string JfifJpeg(SampleRandom& random, int width, int height) {
  return EncodeJpeg(random, width, height);
}

std::string ExifJpeg(SampleRandom& random, int width, int height) {
  std::string jfif = EncodeJpeg(random, width, height);
  // A little-endian TIFF structure with one entry: Orientation = 1.
  std::string tiff = "II*";
  tiff += '\0';
  Little32(tiff, 8);
  Little16(tiff, 1);
  Little16(tiff, 0x0112);
  Little16(tiff, 3);
  Little32(tiff, 1);
  Little32(tiff, 1);
  Little32(tiff, 0);  // no further directory
  std::string segment = std::string("Exif\0\0", 6) + tiff;
  std::string jpeg = "\xFF\xD8\xFF\xE1";
  Big16(jpeg, static_cast<uint32_t>(segment.size() + 2));
  return jpeg + segment + jfif.substr(kJfifSegmentEnd);
}

std::string BareJpeg(SampleRandom& random, int width, int height) {
  std::string jfif = EncodeJpeg(random, width, height);
  return "\xFF\xD8" + jfif.substr(kJfifSegmentEnd);
}

std::string PngImage(SampleRandom& random, int width, int height) {
  std::vector<unsigned char> pixels = Picture(random, width, height);
  std::string bytes;
  stbi_write_png_to_func(AppendStbBytes, &bytes, width, height, 3, pixels.data(), width * 3);
  return bytes;
}

std::string HeicImage(SampleRandom& random, int width, int height) {
  std::vector<unsigned char> pixels = Picture(random, width, height);
  // Loading libheif's plug-ins costs more than encoding a small photo: they stay loaded until
  // the program ends.
  static HeifLibrary library;
  HeifContext context(heif_context_alloc());
  heif_encoder* rawEncoder = nullptr;
  Check(heif_context_get_encoder_for_format(context.get(), heif_compression_HEVC, &rawEncoder));
  HeifEncoder encoder(rawEncoder);
  heif_encoder_set_lossy_quality(encoder.get(), 60);
  // A small photo needs no search for the best coding, nor a pool of threads (whose start-up
  // costs more than the photo), and one thread gives the same bytes every time.
  Check(heif_encoder_set_parameter(encoder.get(), "preset", "ultrafast"));
  Check(heif_encoder_set_parameter(encoder.get(), "x265:pools", "none"));
  Check(heif_encoder_set_parameter(encoder.get(), "x265:frame-threads", "1"));
  heif_image* rawImage = nullptr;
  Check(heif_image_create(width, height, heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                          &rawImage));
  HeifImage image(rawImage);
  Check(heif_image_add_plane(image.get(), heif_channel_interleaved, width, height, 8));
  int stride = 0;
  uint8_t* plane = heif_image_get_plane(image.get(), heif_channel_interleaved, &stride);
  for (int y = 0; y < height; ++y) {
    std::copy_n(pixels.data() + static_cast<size_t>(y * width * 3), static_cast<size_t>(width * 3),
                plane + static_cast<size_t>(y) * static_cast<size_t>(stride));
  }
  Check(heif_context_encode_image(context.get(), image.get(), encoder.get(), nullptr, nullptr));
  std::string bytes;
  heif_writer writer{1, AppendHeifBytes};
  Check(heif_context_write(context.get(), &writer, &bytes));
  return bytes;
}

std::string CameraRawImage(SampleRandom& random) {
  return FileTypeBox("crx ", 1, {"crx ", "isom"}) + Box("moov", "") +
         Box("mdat", RandomBytes(random, 1500 + random.Below(1500)));
}

std::string Mp4Video(SampleRandom& random, size_t mdatBytes, bool mp42) {
  std::string type = mp42 ? FileTypeBox("mp42", 0, {"mp41", "mp42", "isom"})
                          : FileTypeBox("isom", 0x200, {"isom", "iso2", "avc1", "mp41"});
  return type + Box("free", "") + Box("mdat", RandomBytes(random, mdatBytes)) +
         MovieBox(random, 1 + random.Below(30));
}

std::string MovVideo(SampleRandom& random, size_t mdatBytes) {
  return FileTypeBox("qt  ", 0, {"qt  "}) + Box("wide", "") +
         Box("mdat", RandomBytes(random, mdatBytes)) + MovieBox(random, 1 + random.Below(30));
}

std::string WavAudio(SampleRandom& random, int milliseconds) {
  const uint32_t rate = 8000;
  uint32_t samples = rate * static_cast<uint32_t>(milliseconds) / 1000;
  // A triangle wave (integer arithmetic keeps the bytes the same everywhere).
  uint32_t period = 10 + random.Below(30);
  std::string data;
  for (uint32_t i = 0; i < samples; ++i) {
    int32_t phase = static_cast<int32_t>(i % period);
    int32_t half = static_cast<int32_t>(period / 2);
    int32_t level = (phase < half ? phase : static_cast<int32_t>(period) - phase) * 8000 / half;
    Little16(data, static_cast<uint32_t>(static_cast<int16_t>(level - 4000)));
  }
  std::string wav = "RIFF";
  Little32(wav, static_cast<uint32_t>(36 + data.size()));
  wav += "WAVEfmt ";
  Little32(wav, 16);
  Little16(wav, 1);  // PCM
  Little16(wav, 1);  // mono
  Little32(wav, rate);
  Little32(wav, rate * 2);
  Little16(wav, 2);
  Little16(wav, 16);
  wav += "data";
  Little32(wav, static_cast<uint32_t>(data.size()));
  return wav + data;
}

std::string Mp3Audio(const std::string& title, int frames) {
  std::string frameBody = std::string(1, '\0') + title;  // ISO-8859-1 text
  std::string tag = "TIT2";
  Big32(tag, static_cast<uint32_t>(frameBody.size()));
  tag += std::string(2, '\0');
  tag += frameBody;
  std::string mp3 = "ID3";
  mp3 += '\x03';
  mp3 += '\0';
  mp3 += '\0';
  // The tag size in four 7-bit groups.
  auto size = static_cast<uint32_t>(tag.size());
  for (int shift = 21; shift >= 0; shift -= 7) {
    mp3 += static_cast<char>((size >> shift) & 0x7F);
  }
  mp3 += tag;
  // MPEG-1 layer III, 128 kbit/s, 44100 Hz, mono: 417 bytes a frame; all-zero side information
  // and data decode as silence.
  for (int i = 0; i < frames; ++i) {
    mp3 += "\xFF\xFB\x90\xC4";
    mp3 += std::string(413, '\0');
  }
  return mp3;
}

std::string OpusVoiceNote(SampleRandom& random) {
  std::string head = "OpusHead";
  head += '\x01';
  head += '\x01';
  Little16(head, 312);
  Little32(head, 48000);
  Little16(head, 0);
  head += '\0';
  std::string page = "OggS";
  page += '\0';
  page += '\x02';
  page += std::string(8, '\0');
  Little32(page, random.Next());
  Little32(page, 0);
  Little32(page, 0);
  page += '\x01';
  page += static_cast<char>(head.size());
  return page + head + RandomBytes(random, 600 + random.Below(600));
}

}  // namespace zbe::mkbackup
