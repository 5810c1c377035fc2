#include "tools/decrypt/PasswordLine.h"

#include <unistd.h>

#include <cerrno>

#include "tools/crypto/CryptoCodes.h"

namespace zbe::decrypt {

Result ReadPasswordLine(int fd, crypto::SecretBytes* password) {
  password->clear();
  password->reserve(256);
  for (;;) {
    uint8_t c = 0;
    const ssize_t n = ::read(fd, &c, 1);
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      const Result rc = Result::System(errno);
      password->clear();
      return rc;
    }
    if (n == 0 || c == '\n') {
      break;
    }
    if (password->size() == kMaxPasswordLine) {
      password->clear();
      return crypto::kBadArgument;
    }
    password->push_back(c);
  }
  if (!password->empty() && password->back() == '\r') {
    password->pop_back();
  }
  return crypto::kOk;
}

}  // namespace zbe::decrypt
