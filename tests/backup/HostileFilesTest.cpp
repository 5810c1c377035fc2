// A FIFO, a socket, a folder or a link loop where a backup's file should be: every reader of
// backup files refuses it with its "cannot open" result, at once, and never waits on it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>

#include "backup/BackupDiscovery.h"
#include "backup/EncryptionProbe.h"
#include "backup/ManifestLoader.h"
#include "backup/StoredFileCopy.h"
#include "backup/StoredFiles.h"
#include "export/Template.h"
#include "records/ResultCodes.h"
#include "support/HostileFiles.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::Hostile;
using test::TempFolder;

struct Place {
  const char* what;
  const char* file;  // below the backup folder
  // Reads the backup "folder" as the program does and returns the result to check.
  std::function<int32_t(const std::string& folder)> read;
  int32_t expected;
  // The expected result for a link loop, where it differs (nothing to open at all).
  int32_t expectedForLoop;
};

const std::vector<Place>& Places() {
  static const std::vector<Place> places = {
      {"Info.plist", "Info.plist",
       [](const std::string& folder) {
         BackupSummary summary;
         return ReadSummaryOfFolder(folder, summary).code();
       },
       kResultMissingFile, kResultMissingFile},
      {"Manifest.mbdb", "Manifest.mbdb",
       [](const std::string& folder) {
         std::vector<ManifestEntry> entries;
         bool usesManifestDb = true;
         return LoadManifest(folder, "", entries, usesManifestDb).code();
       },
       kResultMbdbNotOpenable, kResultMissingFile},
      {"decrypted Manifest.db", "decrypted",
       [](const std::string& folder) {
         test::WriteFile(folder + "/Manifest.db", "");
         std::vector<ManifestEntry> entries;
         bool usesManifestDb = false;
         return LoadManifest(folder, folder + "/decrypted", entries, usesManifestDb).code();
       },
       // The encrypted Manifest.db beside it is read instead, and is no database.
       kResultQueryFailed, kResultQueryFailed},
      {"address book of the encryption probe", "31bb7ba8914766d4ba40d6dfb6113c8b614be442",
       [](const std::string& folder) { return ProbeEncrypted(folder) ? 1 : 0; }, 0, 0},
      {"stored file to copy", "3d0d7e5fb2ce288813306e4d4636395e047a3d28",
       [](const std::string& folder) {
         return CopyStoredFile(folder + "/3d0d7e5fb2ce288813306e4d4636395e047a3d28",
                               folder + "-copy/sms.sqlite", nullptr, nullptr)
             .code();
       },
       kResultMissingFile, kResultMissingFile},
      {"template", "template/Sms.html",
       [](const std::string& folder) {
         HtmlTemplate tmpl;
         return LoadTemplate(TemplateKind::kMessages, folder + "/", "Phone", tmpl) != 0 ? 1 : 0;
       },
       1, 1},
  };
  return places;
}

TEST(HostileFiles, EveryReaderRefusesWhatIsNoRegularFileAtOnce) {
  for (const Place& place : Places()) {
    for (Hostile kind : test::AllHostileKinds()) {
      TempFolder temp;
      std::string folder = temp / "backup";
      std::string path = folder + "/" + place.file;
      ASSERT_TRUE(test::PlaceHostile(kind, path));
      int32_t result = -1;
      EXPECT_TRUE(
          test::EndsWithin(std::chrono::seconds(2), [&] { result = place.read(folder); }, {path}))
          << place.what << ": " << test::HostileName(kind) << " blocks";
      EXPECT_EQ(result, kind == Hostile::kLinkLoop ? place.expectedForLoop : place.expected)
          << place.what << ": " << test::HostileName(kind);
    }
  }
}

// A 4 GB file that takes no disk space: nothing may try to load it whole or walk all of it.
TEST(HostileFiles, GiantSparseFilesAreRefusedOrReadInBoundedTime) {
  constexpr off_t kGiant = off_t{4} << 30;
  struct Case {
    const char* file;
    std::string head;  // the file's first bytes; the rest reads as zeros
    std::function<int32_t(const std::string& folder)> read;
    int32_t expected;
  };
  const std::vector<Case> cases = {
      {"Manifest.db", std::string("SQLite format 3\0", 16),
       [](const std::string& folder) {
         std::vector<ManifestEntry> entries;
         bool usesManifestDb = false;
         return LoadManifest(folder, "", entries, usesManifestDb).code();
       },
       kResultQueryFailed},
      {"Manifest.mbdb", "mbdb\x05\x00",
       [](const std::string& folder) {
         std::vector<ManifestEntry> entries;
         bool usesManifestDb = true;
         return LoadManifest(folder, "", entries, usesManifestDb).code();
       },
       kResultMissingFile},
      {"Info.plist", "<plist>\n<key>Display Name</key>\n<string>Phone</string>\n",
       [](const std::string& folder) {
         BackupSummary summary;
         int32_t result = ReadSummaryOfFolder(folder, summary).code();
         return result != kResultOk ? result : summary.displayName.empty() ? 0 : 1;
       },
       0},
  };
  for (const Case& giant : cases) {
    TempFolder temp;
    std::string path = temp / giant.file;
    test::WriteFile(path, giant.head);
    ASSERT_EQ(truncate(path.c_str(), kGiant), 0);
    int32_t result = -1;
    EXPECT_TRUE(test::EndsWithin(std::chrono::seconds(3), [&] {
      result = giant.read(temp.path());
    })) << giant.file;
    EXPECT_EQ(result, giant.expected) << giant.file;
  }
}

}  // namespace
}  // namespace zbe
