#pragma once

#include <cstdint>
#include <string>

#include "backup/RecoveryCallbacks.h"
#include "records/Result.h"

namespace zbe {

class CBackupParser;

// What an export needs of the opened backup: copies of its stored files and of its messages
// and address book databases, nothing more. Called on the export's worker after the scan has
// ended; the calls only read the backup.
class IStoredFileSource {
 public:
  virtual ~IStoredFileSource() = default;

  // Copies the stored file "source" to "destination" (see CopyStoredFile in
  // backup/StoredFileCopy.h for the callback's reports and every result).
  virtual Result CopyStoredFile(const std::string& source, const std::string& destination,
                                FileCopyCallback callback, void* context) = 0;
  // Copy the stored messages ("sms.db") and address book databases to "destination"
  // (CopyStoredDatabase: success, 87 when the stored database is missing, or an errno).
  virtual Result CopyMessagesDatabase(const std::string& destination) = 0;
  virtual Result CopyContactsDatabase(const std::string& destination) = 0;
};

// The stored files of the backup that "parser" has opened; the parser is borrowed and must
// outlive this object. Not copyable.
class ParserStoredFiles final : public IStoredFileSource {
 public:
  explicit ParserStoredFiles(const CBackupParser& parser) : parser_(parser) {}
  ParserStoredFiles(const ParserStoredFiles&) = delete;
  ParserStoredFiles& operator=(const ParserStoredFiles&) = delete;

  Result CopyStoredFile(const std::string& source, const std::string& destination,
                        FileCopyCallback callback, void* context) override;
  Result CopyMessagesDatabase(const std::string& destination) override;
  Result CopyContactsDatabase(const std::string& destination) override;

 private:
  const CBackupParser& parser_;
};

}  // namespace zbe
