#pragma once

#include <cstdint>
#include <memory>

#include "backup/IPhoneRecoveryParse.h"

namespace zbe {

// The one kind of recovery source: a local backup read through the backup parser.
inline constexpr int32_t kLocalBackupSource = 1;

// Creates a recovery source of "kind" and initialises it with "context" (for kind 1 the
// CBackupParser, which must outlive the source). Returns null for any other kind. The caller
// owns the source; destroying it leaves the parser and its manifest intact.
std::unique_ptr<IPhoneRecoveryParse> CreateRecoverySource(int32_t kind, void* context);

}  // namespace zbe
