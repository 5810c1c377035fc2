#include "records/NoteData.h"

#include <zlib.h>

#include "NoteStoreData.pb.h"  // generated from records/NoteStoreData.proto
#include "platform/Utf8.h"

namespace zbe {
namespace {

constexpr size_t kChunkBytes = 64 * 1024;

// The inflated bytes of the gzip data "compressed" (one member; trailing bytes are ignored), or
// nullopt.
std::optional<std::string> Gunzip(std::string_view compressed) {
  if (compressed.size() < 2 || static_cast<uint8_t>(compressed[0]) != 0x1F ||
      static_cast<uint8_t>(compressed[1]) != 0x8B) {
    return std::nullopt;
  }
  z_stream stream{};
  // 16 + the largest window: gzip framing only.
  if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) {
    return std::nullopt;
  }
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  stream.avail_in = static_cast<uInt>(compressed.size());
  std::string inflated;
  int status = Z_OK;
  while (status == Z_OK) {
    if (inflated.size() >= kMaxNoteDataBytes) {
      break;
    }
    size_t done = inflated.size();
    inflated.resize(done + kChunkBytes);
    stream.next_out = reinterpret_cast<Bytef*>(inflated.data() + done);
    stream.avail_out = static_cast<uInt>(kChunkBytes);
    status = inflate(&stream, Z_NO_FLUSH);
    inflated.resize(done + (kChunkBytes - stream.avail_out));
  }
  // Anything but the end of the data (cut short, damaged, too large) gives no text.
  inflateEnd(&stream);
  if (status != Z_STREAM_END || inflated.size() > kMaxNoteDataBytes) {
    return std::nullopt;
  }
  return inflated;
}

}  // namespace

std::optional<std::string> NoteDataText(std::string_view data) {
  std::optional<std::string> inflated = Gunzip(data);
  if (!inflated) {
    return std::nullopt;
  }
  notestore::NoteStoreProto store;
  if (!store.ParseFromString(*inflated) || !store.has_document() || !store.document().has_note() ||
      !store.document().note().has_note_text()) {
    return std::nullopt;
  }
  return RepairUtf8(store.document().note().note_text());
}

}  // namespace zbe
