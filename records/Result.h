#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace zbe {

// One of this program's own result codes (never an SQLite or system code), with the English
// sentence that says what it means.
struct ResultCode {
  int32_t value;
  const char* text;
};

// The outcome of an internal call: success, a stop, one of our own codes, an SQLite result code
// or a system error (errno). Codes of different origins share numbers (2 is a stop, ENOENT and
// SQLITE_INTERNAL; 14 is SQLITE_CANTOPEN and EFAULT), so the core passes this value between its
// own functions and turns it into the bare number (code()) only where an interface of the
// product carries one: the recovery source's operations, the callbacks, the export observer and
// the command line's exit status. Functions whose only failures are system errors return the
// errno value (0 for success), as platform/ does; callers wrap it (Result::System) where it meets
// results of other kinds. A small copyable value.
class Result {
 public:
  enum class Kind : int32_t {
    kOk,
    kStopped,  // a progress callback answered non-zero (2 when the user stopped)
    kOwn,      // one of our own codes (ResultCode)
    kSqlite,   // an SQLite result code
    kSystem,   // an errno value
  };

  // Success.
  constexpr Result() = default;
  // One of our own codes; "own.text" must be a static text.
  constexpr Result(const ResultCode& own)  // NOLINT: a code is a result
      : kind_(Kind::kOwn), code_(own.value), text_(own.text) {}

  static constexpr Result Ok() { return Result(); }
  // Stopped by a callback's answer "answer" (non-zero).
  static constexpr Result Stopped(int32_t answer = 2) { return Result(Kind::kStopped, answer); }
  // A callback's answer: 0 goes on (success), anything else stops.
  static constexpr Result Answer(int32_t answer) {
    return answer == 0 ? Result() : Stopped(answer);
  }
  // SQLite's result code "code"; SQLITE_OK (0) is success.
  static constexpr Result Sqlite(int32_t code) {
    return code == 0 ? Result() : Result(Kind::kSqlite, code);
  }
  // The system error "error" (an errno value); 0 is success.
  static constexpr Result System(int32_t error) {
    return error == 0 ? Result() : Result(Kind::kSystem, error);
  }

  constexpr Kind kind() const { return kind_; }
  constexpr bool ok() const { return kind_ == Kind::kOk; }
  constexpr bool stopped() const { return kind_ == Kind::kStopped; }

  // The bare number that the product's interfaces carry: 0, the stopping answer (2), our own
  // code, SQLite's code or the errno value.
  constexpr int32_t code() const { return code_; }

  // The English text: "Success"; "Stopped"; our code's sentence; "A database could not be
  // opened" for SQLITE_CANTOPEN, else "A database reported: " and SQLite's text; for a system
  // error the system's text in the C locale ("No space left on device"), whatever the user's
  // locale. Safe to call from any thread.
  std::string Text() const;

  friend constexpr bool operator==(const Result& a, const Result& b) {
    return a.kind_ == b.kind_ && a.code_ == b.code_;
  }

 private:
  constexpr Result(Kind kind, int32_t code) : kind_(kind), code_(code) {}

  Kind kind_ = Kind::kOk;
  int32_t code_ = 0;
  const char* text_ = nullptr;  // our own code's sentence
};

// "sqlite 14 (A database could not be opened)" and the like, for test failure messages.
void PrintTo(const Result& result, std::ostream* out);

}  // namespace zbe
