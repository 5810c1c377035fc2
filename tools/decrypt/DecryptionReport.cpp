#include "tools/decrypt/DecryptionReport.h"

#include "backup/DecryptionProtocol.h"

namespace zbe::decrypt {

void DecryptionReport::FileDone() {
  ++filesDone_;
  std::fprintf(out_, "%s %llu\n", kToolProgressMarker, static_cast<unsigned long long>(filesDone_));
  std::fflush(out_);
}

void DecryptionReport::WrongPassword() {
  std::fprintf(out_, "%s\n", kToolWrongPassword);
  std::fflush(out_);
}

void DecryptionReport::FileProblem(std::string_view fileId, std::string_view what) {
  ++problems_;
  std::string line(fileId);
  line.append(": ").append(what);
  ErrorLine(line);
}

void DecryptionReport::ManifestIncomplete(std::string_view what) {
  manifestIncomplete_ = true;
  ErrorLine(what);
}

void DecryptionReport::Warning(std::string_view message) {
  ErrorLine(std::string("warning: ").append(message));
}

void DecryptionReport::Fatal(std::string_view message) {
  ErrorLine(message);
}

void DecryptionReport::ErrorLine(std::string_view text) {
  // Keep the two streams in order when they share one pipe.
  std::fflush(out_);
  std::fprintf(err_, "tool: %.*s\n", static_cast<int>(text.size()), text.data());
  std::fflush(err_);
}

}  // namespace zbe::decrypt
