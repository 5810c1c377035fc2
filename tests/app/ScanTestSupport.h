// Shared pieces of the scan page's suites: walking to step 2, choosing kinds of data, running a
// scan to its end, finding the page's parts, backups made for one test, and players that stand
// in for mpv and xdg-open.
#pragma once

#include <string>
#include <vector>

#include "app/CScanVrtWnd.h"
#include "records/RecordCategory.h"
#include "tests/app/AppTestSupport.h"
#include "tools/mkbackup/SampleBackup.h"
#include "ui/ListElementUI.h"
#include "ui/ListUI.h"
#include "ui/TreeViewUI.h"

namespace zbe::test {

// Double-clicks backup "row" of step 1, which leads to step 2.
void GoToStep2(MainWindowFixture& f, int row = 0);
// Leaves only "options" checked on step 2 (option control names).
void ChooseOnly(MainWindowFixture& f, const std::vector<std::string>& options);
// Presses "Next" on step 2 and waits until the scan has finished and the page shows it.
void ScanToTheEnd(MainWindowFixture& f);
// Whether the page has shown the end of its scan.
bool ScanShownFinished(MainWindowFixture& f);

CListUI* DataList(MainWindowFixture& f);
CListImageTextElementUI* Row(MainWindowFixture& f, int row);
CTreeNodeUI* NodeOf(MainWindowFixture& f, RecordCategory category);
// Selects the node of "category" with a click, which shows its rows and previews the first.
void ClickNode(MainWindowFixture& f, RecordCategory category);
// The texts of the shown header columns ("Col1" on).
std::vector<std::string> HeaderTitles(MainWindowFixture& f);

// Writes "sample" as a backup into the MobileSync folder of "home".
void WriteBackupInto(const AppHome& home, const mkbackup::SampleBackup& sample);
// A backup of "name" holding only the camera roll files "files" (name, bytes), in that order
// (the scan sorts them by name).
mkbackup::SampleBackup CameraRollBackup(
    const std::string& name, const std::vector<std::pair<std::string, std::string>>& files);

// While it lives, PATH leads to a "mpv" that says it plays and then waits, and an "xdg-open"
// that records its arguments; with "withMpv" false there is no video player at all.
class FakePlayers {
 public:
  explicit FakePlayers(bool withMpv = true);
  ~FakePlayers();
  // What the fake players were given, one line per start.
  std::string MpvLog() const;
  std::string OpenLog() const;

 private:
  TempFolder bin_;
  ScopedEnv path_;
};

}  // namespace zbe::test
