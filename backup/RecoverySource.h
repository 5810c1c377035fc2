#pragma once

#include <cstdint>
#include <memory>

#include "backup/IPhoneRecoveryParse.h"

namespace zbe {

class CBackupParser;

// The one kind of recovery source: a local backup read through the backup parser.
inline constexpr int32_t kLocalBackupSource = 1;

// Creates a recovery source of "kind" and initialises it with "context" (for kind 1 the
// CBackupParser, which must outlive the source). Returns null for any other kind. The caller
// owns the source; destroying it leaves the parser and its manifest intact.
std::unique_ptr<IPhoneRecoveryParse> CreateRecoverySource(int32_t kind, void* context);

// The recovery source of kind 1 over "parser" (borrowed; it must outlive the source), for
// callers that hold the parser: the same source, without the untyped context.
std::unique_ptr<IPhoneRecoveryParse> CreateLocalBackupSource(CBackupParser& parser);

}  // namespace zbe
