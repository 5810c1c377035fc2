#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace zbe::decrypt {

// The tool's output. Standard output carries the progress lines "Count: N" and the answer
// "Wrong password", each flushed at once, since a parent process polls them; standard error
// carries one line per problem, prefixed "tool: ". No line ever repeats text taken from the
// backup, so nothing in a backup can forge a progress or password line.
class DecryptionReport {
 public:
  DecryptionReport(std::FILE* out, std::FILE* err) : out_(out), err_(err) {}
  DecryptionReport(const DecryptionReport&) = delete;
  DecryptionReport& operator=(const DecryptionReport&) = delete;

  // One more stored file handled (decrypted or not): prints "Count: N".
  void FileDone();
  void WrongPassword();
  // A stored file that was skipped or came out damaged; counted in problems().
  void FileProblem(std::string_view fileId, std::string_view what);
  // The manifest could only be read in part, so files it lists further on were not seen.
  void ManifestIncomplete(std::string_view what);
  // Something worth knowing that does not make a file wrong.
  void Warning(std::string_view message);
  // The reason the whole run ends.
  void Fatal(std::string_view message);

  uint64_t filesDone() const { return filesDone_; }
  uint64_t problems() const { return problems_; }
  bool manifestIncomplete() const { return manifestIncomplete_; }

 private:
  void ErrorLine(std::string_view text);

  std::FILE* const out_;
  std::FILE* const err_;
  uint64_t filesDone_ = 0;
  uint64_t problems_ = 0;
  bool manifestIncomplete_ = false;
};

}  // namespace zbe::decrypt
