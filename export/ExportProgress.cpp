#include "export/ExportProgress.h"

namespace zbe {

int32_t ExportProgressCallback(void* context, int32_t percent, int32_t errorCode,
                               const std::string& path) {
  if (context == nullptr) {
    return 0;
  }
  return static_cast<IExportProgress*>(context)->OnFileProgress(percent, errorCode, path);
}

}  // namespace zbe
