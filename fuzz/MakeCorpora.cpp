// fuzz_make_corpora OUTDIR: writes the seed corpus of every fuzz target into OUTDIR/<target>/,
// taken from sample backups of the sample generator (plain with either manifest, encrypted with
// either keybag) and from the real data beside the checkout when it is there. The corpora are
// made at build time, never committed; small hand-made seeds live in fuzz/seeds/.

#include <plist/plist.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "records/SqliteDatabase.h"
#include "tools/crypto/AesKeyWrap.h"
#include "tools/crypto/ClassKeys.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/KeySource.h"
#include "tools/crypto/Keybag.h"
#include "tools/crypto/ManifestPlist.h"
#include "tools/crypto/NewKeybag.h"
#include "tools/crypto/PlistNodes.h"
#include "tools/crypto/SqliteHandles.h"
#include "tools/mkbackup/BackupWriter.h"
#include "tools/mkbackup/EncryptedWriter.h"
#include "tools/mkbackup/SampleContent.h"

namespace fs = std::filesystem;

namespace {

using zbe::crypto::Bytes;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class Corpora {
 public:
  explicit Corpora(fs::path root) : root_(std::move(root)) {}

  // Adds "bytes" to the corpus of "target" as "name" (the same bytes once per target).
  void Add(const std::string& target, const std::string& name, const std::string& bytes) {
    if (!seen_.insert(target + '\0' + bytes).second) {
      return;
    }
    fs::create_directories(root_ / target);
    std::ofstream out(root_ / target / name, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) {
      std::cerr << "fuzz_make_corpora: cannot write " << (root_ / target / name) << "\n";
      failed_ = true;
    }
    ++count_;
  }
  void Add(const std::string& target, const std::string& name, const Bytes& bytes) {
    Add(target, name, std::string(bytes.begin(), bytes.end()));
  }
  void AddFile(const std::string& target, const std::string& name, const fs::path& path) {
    if (fs::is_regular_file(path)) {
      Add(target, name, ReadAll(path));
    }
  }

  bool failed() const { return failed_; }
  int count() const { return count_; }

 private:
  fs::path root_;
  std::set<std::string> seen_;
  bool failed_ = false;
  int count_ = 0;
};

// The same property list in binary form, or "" when "text" is none.
std::string BinaryPlistOf(const std::string& text) {
  zbe::crypto::UniquePlist root = zbe::crypto::ParsePlist(zbe::crypto::AsBytes(text));
  Bytes binary;
  if (!root || zbe::crypto::ToBinaryPlist(root.get(), &binary) != zbe::crypto::kOk) {
    return {};
  }
  return std::string(binary.begin(), binary.end());
}

// The "file" blobs of the first rows of each kind (file, folder, link) of a plain Manifest.db.
void AddFileRecords(Corpora& corpora, const std::string& prefix, const fs::path& manifestDb) {
  zbe::SqliteDatabase db;
  zbe::crypto::UniqueStatement select;  // finalized before "db" closes
  if (!db.Open(manifestDb).ok() ||
      zbe::crypto::Prepare(db.handle(),
                           "SELECT flags, file FROM Files WHERE file IS NOT NULL ORDER BY fileID",
                           &select) != SQLITE_OK) {
    return;
  }
  std::map<int, int> perFlag;
  while (sqlite3_step(select.get()) == SQLITE_ROW) {
    int flags = sqlite3_column_int(select.get(), 0);
    if (perFlag[flags]++ >= 3) {
      continue;
    }
    const auto* blob = static_cast<const char*>(sqlite3_column_blob(select.get(), 1));
    int size = sqlite3_column_bytes(select.get(), 1);
    corpora.Add("manifest_file_record",
                prefix + "-flags" + std::to_string(flags) + "-" + std::to_string(perFlag[flags]),
                std::string(blob, static_cast<size_t>(size)));
  }
}

// A keybag whose passcode-wrapped class keys are wrapped under the all-zero key that the keybag
// target unlocks with, so that the fuzzer starts from inputs that unlock.
Bytes KeybagUnlockingWithZeroKey() {
  zbe::crypto::KeySource source = zbe::crypto::KeySource::Seeded(15);
  zbe::crypto::Keybag keybag;
  zbe::crypto::ClassKeys keys;
  zbe::crypto::MakeBackupKeybag(zbe::crypto::AsBytes("seed"), zbe::crypto::KeybagKind::kModern, 1,
                                1, source, &keybag, &keys);
  const Bytes zeroKek(32, 0);
  for (zbe::crypto::KeybagClassKey& classKey : keybag.classKeys) {
    Bytes plain(32, static_cast<uint8_t>(classKey.protectionClass.value_or(0)));
    zbe::crypto::AesKeyWrap(zeroKek, plain, &classKey.wrappedKey);
  }
  return zbe::crypto::SerializeKeybag(keybag);
}

// Plain and encrypted sample backups written into "scratch".
bool AddSamples(Corpora& corpora, const fs::path& scratch) {
  namespace mk = zbe::mkbackup;
  std::string error;
  for (mk::ManifestLayout layout : {mk::ManifestLayout::kDatabase, mk::ManifestLayout::kMbdb}) {
    bool mbdb = layout == mk::ManifestLayout::kMbdb;
    mk::SampleOptions options;
    options.seed = mbdb ? 2 : 1;
    options.displayName = mbdb ? "Old iPhone <&> \"x\"" : "iPhone";
    options.productVersion = mbdb ? "9.3.5" : "17.1";
    options.oldCalls = mbdb;
    options.oldNotes = mbdb;
    mk::SampleBackup sample = mk::MakeSampleBackup(options);
    fs::path folder = scratch / (mbdb ? "mbdb" : "db");
    if (mk::WriteBackup(sample, folder, mk::WriteOptions{layout}, error) != 0) {
      std::cerr << "fuzz_make_corpora: " << error << "\n";
      return false;
    }
    std::string name = mbdb ? "sample-mbdb" : "sample-db";
    std::string infoPlist = ReadAll(folder / "Info.plist");
    corpora.Add("info_plist_xml", name, infoPlist);
    corpora.Add("info_plist_binary", name, BinaryPlistOf(infoPlist));
    corpora.AddFile("manifest_plist", name + "-plain", folder / "Manifest.plist");
    corpora.AddFile("manifest_mbdb", name, folder / "Manifest.mbdb");
    AddFileRecords(corpora, name, folder / "Manifest.db");
    // The first bytes of every stored file: media of every kind and the databases.
    for (const mk::StoredFile& file : sample.files()) {
      if (file.contents.size() >= 512) {
        corpora.Add("file_type", file.fileID(), file.contents.substr(0, 1024));
      }
    }
  }
  for (bool legacy : {false, true}) {
    mk::SampleOptions options;
    options.recordDatabases = false;
    mk::SampleBackup sample = mk::MakeSampleBackup(options);
    mk::EncryptionSettings settings;
    settings.password = "fuzz";
    settings.legacyKeybag = legacy;
    settings.iterations = 1;
    fs::path folder = scratch / (legacy ? "encrypted-legacy" : "encrypted");
    if (mk::WriteEncryptedBackup(sample, folder, mk::WriteOptions{}, settings, error) != 0) {
      std::cerr << "fuzz_make_corpora: " << error << "\n";
      return false;
    }
    std::string name = legacy ? "sample-encrypted-legacy" : "sample-encrypted";
    corpora.AddFile("manifest_plist", name, folder / "Manifest.plist");
    zbe::crypto::ManifestPlistKeys keys;
    if (zbe::crypto::ReadManifestPlist(folder / "Manifest.plist", &keys) == zbe::crypto::kOk) {
      corpora.Add("keybag", name, keys.backupKeyBag);
    }
  }
  corpora.Add("keybag", "unlocks-with-zero-key", KeybagUnlockingWithZeroKey());
  return true;
}

void AddRealData(Corpora& corpora, const fs::path& realdata) {
  if (!fs::is_directory(realdata)) {
    std::cerr << "fuzz_make_corpora: no real data at " << realdata << "; samples only\n";
    return;
  }
  fs::path mvt = realdata / "mvt-ios-backup";
  corpora.AddFile("info_plist_binary", "real-mvt", mvt / "Info.plist");
  AddFileRecords(corpora, "real-mvt", mvt / "Manifest.db");
  if (fs::is_directory(mvt)) {
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(mvt)) {
      if (entry.is_regular_file() && entry.path().filename().string().size() == 40) {
        corpora.Add("file_type", "real-" + entry.path().filename().string(),
                    ReadAll(entry.path()).substr(0, 1024));
      }
    }
  }
  fs::path encrypted = realdata / "encrypted-pw0000";
  corpora.AddFile("manifest_plist", "real-encrypted", encrypted / "Manifest.plist");
  corpora.AddFile("info_plist_xml", "real-encrypted", encrypted / "Info.plist");
  corpora.AddFile("info_plist_binary", "real-encrypted", encrypted / "Info.plist");
  fs::path keybags = realdata / "encrypted-pw0000-keybags";
  corpora.AddFile("keybag", "real-10.2", keybags / "keybag-10.2.bin");
  corpora.AddFile("keybag", "real-pre-10.2", keybags / "keybag-pre-10.2.bin");
  corpora.AddFile("manifest_mbdb", "real-encrypted-record", keybags / "encrypted-record.mbdb");
  fs::path typedstream = realdata / "typedstream";
  if (fs::is_directory(typedstream)) {
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(typedstream)) {
      std::string file = entry.path().filename().string();
      if (entry.is_regular_file() && file.find('.') == std::string::npos) {
        corpora.Add("message_text", "real-" + file, ReadAll(entry.path()));
      }
    }
  }
}

// Files that ship beside the program or in its skin.
void AddProgramFiles(Corpora& corpora, const fs::path& source) {
  auto addFolder = [&](const std::string& target, const fs::path& folder, const std::string& ext) {
    if (!fs::is_directory(folder)) {
      return;
    }
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
      if (entry.is_regular_file() && entry.path().extension() == ext) {
        corpora.Add(target, entry.path().filename().string(), ReadAll(entry.path()));
      }
    }
  };
  addFolder("template", source / "template", ".html");
  addFolder("skin_layout", source / "skin", ".xml");
  addFolder("skin_layout", source / "tests/ui/skin", ".xml");
  addFolder("language_ini", source / "Languages", ".ini");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: fuzz_make_corpora OUTDIR\n";
    return 1;
  }
  Corpora corpora(argv[1]);
  std::error_code ignored;
  fs::path scratch = fs::path(argv[1]) / ".scratch";
  fs::remove_all(scratch, ignored);
  bool made = AddSamples(corpora, scratch);
  fs::remove_all(scratch, ignored);
  AddRealData(corpora, ZBE_REALDATA_DIR);
  AddProgramFiles(corpora, ZBE_SOURCE_DIR);
  if (!made || corpora.failed()) {
    return 1;
  }
  std::cout << "fuzz_make_corpora: " << corpora.count() << " seeds in " << argv[1] << "\n";
  return 0;
}
