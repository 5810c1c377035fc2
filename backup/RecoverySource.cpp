#include "backup/RecoverySource.h"

#include "backup/CLocalBuckupRecovery.h"

namespace zbe {

std::unique_ptr<IPhoneRecoveryParse> CreateRecoverySource(int32_t kind, void* context) {
  if (kind != kLocalBackupSource) {
    return nullptr;
  }
  auto source = std::make_unique<CLocalBuckupRecovery>();
  source->Init(context);
  return source;
}

std::unique_ptr<IPhoneRecoveryParse> CreateLocalBackupSource(CBackupParser& parser) {
  return std::make_unique<CLocalBuckupRecovery>(parser);
}

}  // namespace zbe
