#include "tools/mkbackup/NoteDataArchive.h"

#include <zlib.h>

#include <stdexcept>

#include "NoteStoreData.pb.h"  // generated from records/NoteStoreData.proto
#include "platform/Utf8.h"

namespace zbe::mkbackup {
namespace {

// "bytes" as one gzip member (no name, no time stamp, so the bytes depend on the input only).
std::string Gzip(const std::string& bytes) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8,
                   Z_DEFAULT_STRATEGY) != Z_OK) {
    throw std::runtime_error("cannot compress a note's data");
  }
  std::string compressed(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(compressed.data());
  stream.avail_out = static_cast<uInt>(compressed.size());
  int status = deflate(&stream, Z_FINISH);
  compressed.resize(stream.total_out);
  deflateEnd(&stream);
  if (status != Z_STREAM_END) {
    throw std::runtime_error("cannot compress a note's data");
  }
  return compressed;
}

}  // namespace

std::string NoteDataArchive(std::string_view text) {
  notestore::NoteStoreProto store;
  notestore::Document* document = store.mutable_document();
  document->set_version(0);
  notestore::Note* note = document->mutable_note();
  note->set_note_text(std::string(text));
  note->add_attribute_run()->set_length(static_cast<int32_t>(Utf16FromUtf8(text).size()));
  return Gzip(store.SerializeAsString());
}

}  // namespace zbe::mkbackup
