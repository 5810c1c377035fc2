#include "backup/StoredFileSource.h"

#include "backup/CBackupParser.h"
#include "backup/StoredFileCopy.h"
#include "backup/StoredFiles.h"

namespace zbe {

Result ParserStoredFiles::CopyStoredFile(const std::string& source, const std::string& destination,
                                         FileCopyCallback callback, void* context) {
  return zbe::CopyStoredFile(source, destination, callback, context);
}

Result ParserStoredFiles::CopyMessagesDatabase(const std::string& destination) {
  return CopyStoredDatabase(parser_.StoredFilePath(kMessagesHashedName), destination);
}

Result ParserStoredFiles::CopyContactsDatabase(const std::string& destination) {
  return CopyStoredDatabase(parser_.StoredFilePath(kAddressBookHashedName), destination);
}

}  // namespace zbe
