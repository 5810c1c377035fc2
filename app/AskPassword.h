// The password step before a scan.
#pragma once

#include <string>

namespace zbe {

class CSettings;
class CWindowWnd;
struct BackupSummary;

// Results of AskPassword.
inline constexpr int kPasswordReady = 0;      // go on: "*password" holds it (maybe empty)
inline constexpr int kPasswordCancelled = 1;  // the user cancelled; "*password" is unchanged

// Asks for the password of "summary" when it is encrypted. A plain backup answers
// kPasswordReady at once with an empty password. Otherwise the password window (over "owner",
// 550 by 270) asks; cancelling it answers kPasswordCancelled. An empty password is warned about
// ("MSG0301"): OK asks again, closing the warning goes on with the empty password.
int AskPassword(const BackupSummary& summary, const CSettings& settings, CWindowWnd* owner,
                std::string* password);

}  // namespace zbe
