#include "tests/app/ScanTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "app/StartupSteps.h"
#include "records/CategoryTable.h"
#include "support/SampleBackups.h"
#include "tools/mkbackup/BackupWriter.h"
#include "ui/OptionUI.h"

namespace zbe::test {

void GoToStep2(MainWindowFixture& f, int row) {
  auto* list = dynamic_cast<CListUI*>(f.Find("BackupFileList"));
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(f.harness().DoubleClick(list->GetItemAt(row)));
}

void ChooseOnly(MainWindowFixture& f, const std::vector<std::string>& options) {
  for (const RecordCategoryInfo& info : RecordCategories()) {
    auto* option = dynamic_cast<COptionUI*>(f.Find(std::string(info.optionControl)));
    ASSERT_NE(option, nullptr);
    const bool wanted =
        std::find(options.begin(), options.end(), info.optionControl) != options.end();
    if (option->IsSelected() != wanted) {
      ASSERT_TRUE(f.harness().Click(option)) << info.optionControl;
    }
  }
}

bool ScanShownFinished(MainWindowFixture& f) {
  return !f.window().ScanPage().IsScanning() && f.Find("ReocveryToolBar")->IsVisible();
}

void ScanToTheEnd(MainWindowFixture& f) {
  ASSERT_TRUE(f.harness().Click(f.Find("BtnNext2")));
  ASSERT_TRUE(PumpUntil([&] { return ScanShownFinished(f); }));
  f.harness().Layout();
}

CListUI* DataList(MainWindowFixture& f) {
  return dynamic_cast<CListUI*>(f.Find("DataList"));
}

CListImageTextElementUI* Row(MainWindowFixture& f, int row) {
  return dynamic_cast<CListImageTextElementUI*>(DataList(f)->GetItemAt(row));
}

CTreeNodeUI* NodeOf(MainWindowFixture& f, RecordCategory category) {
  return f.window().ScanPage().Tree().Node(category);
}

void ClickNode(MainWindowFixture& f, RecordCategory category) {
  CTreeNodeUI* node = NodeOf(f, category);
  ASSERT_NE(node, nullptr);
  ASSERT_TRUE(f.harness().Click(node));
  UIApplication::Instance()->ProcessEvents();
  f.harness().Layout();
}

std::vector<std::string> HeaderTitles(MainWindowFixture& f) {
  std::vector<std::string> titles;
  for (int i = 1; i <= 6; ++i) {
    CControlUI* column = f.Find("Col" + std::to_string(i));
    if (column != nullptr && column->IsVisible())
      titles.push_back(column->GetText());
  }
  return titles;
}

void WriteBackupInto(const AppHome& home, const mkbackup::SampleBackup& sample) {
  WriteSample(sample, home.MobileSyncRoot() + "/" + sample.device().uniqueIdentifier);
}

mkbackup::SampleBackup CameraRollBackup(
    const std::string& name, const std::vector<std::pair<std::string, std::string>>& files) {
  mkbackup::SampleBackup sample(11, 1591003800);
  sample.device().displayName = name;
  for (const auto& [file, bytes] : files)
    sample.AddFile("CameraRollDomain", "Media/DCIM/100APPLE/" + file, bytes);
  return sample;
}

FakePlayers::FakePlayers(bool withMpv)
    // Without mpv nothing else is on the path either, so no installed player is found.
    : path_("PATH", (bin_.path() + (withMpv ? ":/usr/bin:/bin" : "")).c_str()) {
  auto add = [this](const std::string& name, const std::string& script) {
    WriteFile(bin_ / name, "#!/bin/sh\n" + script);
    chmod((bin_ / name).c_str(), 0755);
  };
  if (withMpv) {
    add("mpv",
        "echo \"$@\" >> " + (bin_ / "mpv.log") + "\necho 'Playing tmp.avi: 0%'\nexec sleep 30\n");
  }
  add("xdg-open", "echo \"$@\" >> " + (bin_ / "open.log") + "\n");
}

FakePlayers::~FakePlayers() {
  EndStartedPlayers();
}

std::string FakePlayers::MpvLog() const {
  return ReadFile(bin_ / "mpv.log");
}

std::string FakePlayers::OpenLog() const {
  return ReadFile(bin_ / "open.log");
}

}  // namespace zbe::test
