// Decryption of an encrypted backup as the scan runs it (the tool as a child process, its
// output read for the progress), against OpenSSL's AES-256-CBC over the same bytes; and the
// keybag unlock with a device's rounds, against OpenSSL's PBKDF2 with the same parameters.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <openssl/evp.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <system_error>

#include "backup/DecryptionProtocol.h"
#include "backup/DecryptionRunner.h"
#include "bench/BenchSetup.h"
#include "platform/FileSystem.h"
#include "platform/UniqueFd.h"
#include "tools/crypto/ClassKeys.h"
#include "tools/crypto/Keybag.h"
#include "tools/crypto/ManifestPlist.h"
#include "tools/crypto/OpenSslHandles.h"

namespace zbe::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The encrypted files of a backup, as the tool decrypts them: every file but the property lists
// (which are stored plain), with their total size.
struct EncryptedFiles {
  std::vector<std::string> paths;
  double bytes = 0;
};

EncryptedFiles ListEncryptedFiles(const std::string& backupFolder) {
  EncryptedFiles files;
  std::error_code error;
  for (fs::recursive_directory_iterator it(backupFolder, error), end; !error && it != end;
       it.increment(error)) {
    if (it->is_regular_file() && it->path().extension() != ".plist") {
      files.paths.push_back(it->path().string());
      files.bytes += static_cast<double>(it->file_size());
    }
  }
  return files;
}

// Any key: AES takes the same time whatever the key, and the floor checks no padding.
constexpr unsigned char kFloorKey[32] = {1, 2, 3};
constexpr unsigned char kZeroIv[16] = {};

crypto::UniqueCipherCtx NewDecryption() {
  crypto::UniqueCipherCtx ctx = crypto::NewCipherCtx();
  if (ctx == nullptr ||
      EVP_DecryptInit_ex(ctx.get(), EVP_aes_256_cbc(), nullptr, kFloorKey, kZeroIv) != 1) {
    return nullptr;
  }
  EVP_CIPHER_CTX_set_padding(ctx.get(), 0);
  return ctx;
}

// Reads "source", decrypts it and writes the result to the new file "destination", 1 MiB at a
// time. False on a failure.
bool DecryptFileBare(const std::string& source, const std::string& destination,
                     std::vector<unsigned char>& in, std::vector<unsigned char>& out) {
  UniqueFd input(open(source.c_str(), O_RDONLY | O_CLOEXEC));
  UniqueFd output(open(destination.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  crypto::UniqueCipherCtx ctx = NewDecryption();
  if (input.get() < 0 || output.get() < 0 || ctx == nullptr) {
    return false;
  }
  while (true) {
    size_t got = 0;
    if (ReadUpTo(input.get(), in.data(), in.size(), got) != 0) {
      return false;
    }
    if (got == 0) {
      return true;
    }
    int produced = 0;
    if (EVP_DecryptUpdate(ctx.get(), out.data(), &produced, in.data(), static_cast<int>(got)) !=
            1 ||
        WriteAllBytes(output.get(), std::string_view(reinterpret_cast<const char*>(out.data()),
                                                     static_cast<size_t>(produced))) != 0) {
      return false;
    }
  }
}

void RegisterDecryption(const BenchOptions& options, const std::string& sample,
                        std::vector<TableRow>& rows) {
  auto files = std::make_shared<EncryptedFiles>(ListEncryptedFiles(sample));
  benchmark::RegisterBenchmark(
      "decrypt/tool",
      [options, sample, files](benchmark::State& state) {
        std::string toolFolder = NewWorkFolder(options, "decrypt-tool");
        std::string output = NewWorkFolder(options, "decrypted");
        if (toolFolder.empty() || output.empty()) {
          state.SkipWithError("cannot make the work folders");
          return;
        }
        // As CBackupParser's decryption step sets the run up.
        DecryptionRun run;
        run.toolSource = JoinPath(options.programDir, kDecryptionToolName);
        run.toolCopy = JoinPath(toolFolder, kDecryptionToolName);
        run.backupFolder = sample;
        run.outputFolder = output;
        std::vector<std::string> backupFiles;
        ListBackupFiles(sample, backupFiles);
        run.fileTotal = static_cast<int64_t>(backupFiles.size());
        run.stepWeight = 10;
        for (auto _ : state) {
          int32_t running = 0;
          auto start = Clock::now();
          Result result = RunDecryption(run, kSamplePassword, running, [](int32_t) { return 0; });
          double seconds = Since(start);
          if (!result.ok()) {
            state.SkipWithError(("the decryption failed: " + result.Text()).c_str());
            break;
          }
          state.SetIterationTime(seconds);
        }
        state.counters["bytes"] = files->bytes;
      })
      ->Iterations(1)
      ->Repetitions(options.repetitions)
      ->UseManualTime();

  benchmark::RegisterBenchmark(
      "floor/decrypt-files",
      [options, files](benchmark::State& state) {
        std::string output = NewWorkFolder(options, "decrypted");
        std::vector<unsigned char> in(1 << 20);
        std::vector<unsigned char> out(in.size() + 16);
        for (auto _ : state) {
          bool done = true;
          for (size_t i = 0; done && i < files->paths.size(); ++i) {
            done = DecryptFileBare(files->paths[i], JoinPath(output, std::to_string(i)), in, out);
          }
          if (!done) {
            state.SkipWithError("cannot decrypt the files");
            break;
          }
        }
        state.counters["bytes"] = files->bytes;
      })
      ->Iterations(1)
      ->Repetitions(options.repetitions)
      ->UseRealTime();

  auto held = std::make_shared<std::vector<unsigned char>>();
  benchmark::RegisterBenchmark(
      "floor/decrypt-memory",
      [files, held](benchmark::State& state) {
        if (held->empty()) {
          for (const std::string& path : files->paths) {
            std::string bytes;
            ReadFileBytes(path, SIZE_MAX, bytes);
            held->insert(held->end(), bytes.begin(), bytes.end());
          }
        }
        std::vector<unsigned char> out(held->size() + 16);
        crypto::UniqueCipherCtx ctx = NewDecryption();
        int produced = 0;
        for (auto _ : state) {
          if (ctx == nullptr || EVP_DecryptUpdate(ctx.get(), out.data(), &produced, held->data(),
                                                  static_cast<int>(held->size())) != 1) {
            state.SkipWithError("cannot decrypt in memory");
            break;
          }
        }
        benchmark::DoNotOptimize(out.data());
        state.counters["bytes"] = static_cast<double>(held->size());
      })
      ->Iterations(1)
      ->Repetitions(options.repetitions)
      ->UseRealTime();

  rows.push_back({std::string("decryption, ") + kEncryptedSample + " (tool, files to files)",
                  "decrypt/tool", "floor/decrypt-files", RowKind::kByteRate, "≥ 0.8"});
  rows.push_back({"decryption against AES-256-CBC in memory", "decrypt/tool",
                  "floor/decrypt-memory", RowKind::kByteRate, "(for comparison)"});
}

void RegisterKeybagUnlock(const std::string& sample, std::vector<TableRow>& rows) {
  auto keybag = std::make_shared<crypto::Keybag>();
  benchmark::RegisterBenchmark(
      "keybag/unlock",
      [sample, keybag](benchmark::State& state) {
        for (auto _ : state) {
          // What the tool does before the first file: read Manifest.plist, parse the keybag, derive
          // the passcode key and unwrap the class keys.
          crypto::ManifestPlistKeys plist;
          crypto::ClassKeys keys;
          std::string password = kSamplePassword;
          if (crypto::ReadManifestPlist(JoinPath(sample, "Manifest.plist"), &plist) !=
                  crypto::kOk ||
              crypto::ParseKeybag(plist.backupKeyBag, keybag.get()) != crypto::kOk ||
              crypto::UnlockWithPassword(
                  *keybag,
                  crypto::ByteView(reinterpret_cast<const uint8_t*>(password.data()),
                                   password.size()),
                  &keys) != crypto::kOk) {
            state.SkipWithError("the keybag does not unlock");
            break;
          }
        }
      })
      ->Iterations(1)
      ->Repetitions(1)
      ->UseRealTime();
  benchmark::RegisterBenchmark(
      "floor/pbkdf2",
      [keybag](benchmark::State& state) {
        const crypto::Keybag& k = *keybag;
        if (!k.iterations || k.salt.empty()) {
          state.SkipWithError("no keybag read");
          return;
        }
        std::string password = kSamplePassword;
        unsigned char stage1[32];
        unsigned char kek[32];
        for (auto _ : state) {
          const unsigned char* input = reinterpret_cast<const unsigned char*>(password.data());
          int inputSize = static_cast<int>(password.size());
          bool ok = true;
          if (k.dpIterations && !k.dpSalt.empty()) {
            ok = PKCS5_PBKDF2_HMAC(
                     password.data(), inputSize, k.dpSalt.data(), static_cast<int>(k.dpSalt.size()),
                     static_cast<int>(*k.dpIterations), EVP_sha256(), 32, stage1) == 1;
            input = stage1;
            inputSize = 32;
          }
          ok = ok && PKCS5_PBKDF2_HMAC(reinterpret_cast<const char*>(input), inputSize,
                                       k.salt.data(), static_cast<int>(k.salt.size()),
                                       static_cast<int>(*k.iterations), EVP_sha1(), 32, kek) == 1;
          if (!ok) {
            state.SkipWithError("PBKDF2 failed");
            break;
          }
          benchmark::DoNotOptimize(kek);
        }
      })
      ->Iterations(1)
      ->Repetitions(1)
      ->UseRealTime();
  rows.push_back({"keybag unlock, device rounds (not in the MB/s above)", "keybag/unlock",
                  "floor/pbkdf2", RowKind::kTime, "≈ 1"});
}

}  // namespace

void RegisterDecryptionBenchmarks(const BenchOptions& options, std::vector<TableRow>& rows) {
  if (std::string sample = SamplePath(options, kEncryptedSample); !sample.empty()) {
    RegisterDecryption(options, sample, rows);
  }
  if (std::string sample = SamplePath(options, kKeybagSample); !sample.empty()) {
    RegisterKeybagUnlock(sample, rows);
  }
}

}  // namespace zbe::bench
