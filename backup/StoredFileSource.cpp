#include "backup/StoredFileSource.h"

#include "backup/CBackupParser.h"

namespace zbe {

int32_t ParserStoredFiles::CopyStoredFile(const std::string& source, const std::string& destination,
                                          FileCopyCallback callback, void* context) {
  return parser_.CopyStoredFile(source, destination, callback, context);
}

int32_t ParserStoredFiles::CopyMessagesDatabase(const std::string& destination) {
  return parser_.CopyMessagesDatabase(destination);
}

int32_t ParserStoredFiles::CopyContactsDatabase(const std::string& destination) {
  return parser_.CopyContactsDatabase(destination);
}

}  // namespace zbe
