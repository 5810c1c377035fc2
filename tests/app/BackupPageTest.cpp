#include "app/CItunesBackupVrtWnd.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/app/AppTestSupport.h"
#include "ui/LayoutsUI.h"
#include "ui/ListUI.h"

namespace zbe::test {
namespace {

constexpr char kRetryQuestion[] = "Can not found the backup file, do you want to try again?";

int StepPage(MainWindowFixture& f) {
  return dynamic_cast<CTabLayoutUI*>(f.Find("TabPage"))->GetCurSel();
}

TEST(BackupPage, NextAndDoubleClickTakeTheSelectedBackup) {
  AppHome home;
  auto settings = MakeSettings(home);
  MainWindowFixture f(*settings);
  auto* list = dynamic_cast<CListUI*>(f.Find("BackupFileList"));
  ASSERT_EQ(list->GetCount(), 2);

  ASSERT_TRUE(f.harness().Click(f.Find("BtnNext1")));
  EXPECT_EQ(StepPage(f), 1);
  EXPECT_EQ(f.window().ScanPage().ChosenBackup().displayName, kPlainName);
  EXPECT_FALSE(f.window().ScanPage().ChosenBackup().encrypted);

  ASSERT_TRUE(f.harness().Click(f.Find("OptStep1")));
  ASSERT_TRUE(f.harness().DoubleClick(list->GetItemAt(1)));
  EXPECT_EQ(StepPage(f), 1);
  EXPECT_EQ(f.window().ScanPage().ChosenBackup().displayName, kEncryptedName);
  EXPECT_TRUE(f.window().ScanPage().ChosenBackup().encrypted);
  EXPECT_TRUE(std::filesystem::equivalent(f.window().ScanPage().ChosenBackup().folderPath,
                                          AppHome::EncryptedBackup()));
}

TEST(BackupPage, AFolderWithoutABackupAsksToRetry) {
  AppHome home;
  auto settings = MakeSettings(home);
  MainWindowFixture f(*settings);
  TempFolder notABackup;
  Services().folderToPick = notABackup.path();
  Services().pickTitles.clear();
  ModalScript script;
  // "OK" asks again; the second question is answered "Cancel", which stops.
  script.Then([](CWindowWnd& box) {
    EXPECT_EQ(TextOf(box, "title"), "Question");
    EXPECT_EQ(TextOf(box, "message"), kRetryQuestion);
    ClickIn(box, "okbtn");
  });
  script.Then(Press("cancelbtn", kRetryQuestion));
  ASSERT_TRUE(f.harness().Click(f.Find("BtnSelDir")));
  ASSERT_EQ(Services().pickTitles.size(), 2u);
  EXPECT_EQ(Services().pickTitles[0],
            "Select the iTunes Backup File from other folder to recover your data.");
  EXPECT_EQ(StepPage(f), 0);
  EXPECT_TRUE(f.window().ScanPage().ChosenBackup().folderPath.empty());
  EXPECT_TRUE(script.unexpected.empty());
  EXPECT_EQ(script.Pending(), 0u);

  // A cancelled picker asks nothing.
  Services().folderToPick.clear();
  ASSERT_TRUE(f.harness().Click(f.Find("BtnSelDir")));
  EXPECT_TRUE(script.unexpected.empty());
}

TEST(BackupPage, AChosenFolderReplacesTheRowsBackupAndKeepsTheRowSelected) {
  AppHome home;
  auto settings = MakeSettings(home);
  MainWindowFixture f(*settings);
  ASSERT_TRUE(f.harness().Click(f.Find("BtnNext1")));
  ASSERT_TRUE(f.harness().Click(f.Find("OptStep1")));
  Services().folderToPick = AppHome::EncryptedBackup();
  ASSERT_TRUE(f.harness().Click(f.Find("BtnSelDir")));
  EXPECT_EQ(StepPage(f), 1);
  EXPECT_EQ(f.window().ScanPage().ChosenBackup().displayName, kEncryptedName);
  auto* list = dynamic_cast<CListUI*>(f.Find("BackupFileList"));
  EXPECT_EQ(list->GetCurSel(), 0);
  EXPECT_EQ(list->GetCount(), 2);  // the folder is not added to the list
  Services().folderToPick.clear();
}

TEST(BackupPage, WithoutBackupsSaysWhereItLooked) {
  AppHome home(false);
  auto settings = MakeSettings(home);
  MainWindowFixture f(*settings);
  EXPECT_FALSE(f.Find("BackupFileList")->IsVisible());
  EXPECT_TRUE(f.Find("BackupEmptyState")->IsVisible());
  EXPECT_EQ(f.Find("LblNoBackupFolder")->GetText(),
            home.DataHome() + "/Apple Computer/MobileSync/backup/");
  EXPECT_FALSE(f.Find("BtnNext1")->IsEnabled());
  EXPECT_TRUE(f.Find("BtnSelDir")->IsEnabled());
  f.harness().Click(f.Find("BtnNext1"));
  EXPECT_EQ(StepPage(f), 0);
  EXPECT_TRUE(f.harness().RenderToPng(ShotsDir() + "/app-step1-empty.png"));
}

}  // namespace
}  // namespace zbe::test
