// The custom window messages of the main window (wParam in the comments). Each handler answers
// 1 when it used the message.
#pragma once

#include <cstdint>

namespace zbe::AppMsg {

inline constexpr uint32_t kPreviewReady = 1027;     // 0: a preview copy is ready to show
inline constexpr uint32_t kLanguageChanged = 1030;  // 0: apply the texts again
inline constexpr uint32_t kStartScan = 1031;        // the source kind (1, a backup)
inline constexpr uint32_t kRelabelTree = 1032;      // 0: the category counts changed
inline constexpr uint32_t kSelectFirstNode = 1033;  // 0: select the first non-empty category
inline constexpr uint32_t kScanFinished = 1034;     // 0: the scan run ended (0 or 2)
inline constexpr uint32_t kScanProgress = 1035;     // 0: first progress; 1: wrong password

// wParam of kScanProgress.
inline constexpr uintptr_t kFirstProgress = 0;
inline constexpr uintptr_t kWrongPassword = 1;

// wParam of kStartScan: the recovery source reads a backup.
inline constexpr uintptr_t kSourceBackup = 1;

}  // namespace zbe::AppMsg
