#include "app/CSpecifyFileVrtWnd.h"

#include <gtest/gtest.h>

#include "app/CScanVrtWnd.h"
#include "records/CategoryTable.h"
#include "tests/app/AppTestSupport.h"
#include "ui/LayoutsUI.h"
#include "ui/ListUI.h"
#include "ui/OptionUI.h"
#include "ui/TreeViewUI.h"

namespace zbe::test {
namespace {

CCheckBoxUI* SelectAll(MainWindowFixture& f) {
  return dynamic_cast<CCheckBoxUI*>(f.Find("ChkSelAll"));
}

void GoToStep2(MainWindowFixture& f, int row) {
  auto* list = dynamic_cast<CListUI*>(f.Find("BackupFileList"));
  ASSERT_TRUE(f.harness().DoubleClick(list->GetItemAt(row)));
}

TEST(FilePage, SelectAllFollowsTheOptionsAndNextNeedsOne) {
  AppHome home;
  auto settings = MakeSettings(home);
  MainWindowFixture f(*settings);
  GoToStep2(f, 0);
  CCheckBoxUI* all = SelectAll(f);
  CControlUI* next = f.Find("BtnNext2");
  EXPECT_EQ(all->GetCheckState(), UICheckState::kChecked);
  EXPECT_TRUE(next->IsEnabled());
  EXPECT_TRUE(f.harness().RenderToPng(ShotsDir() + "/app-step2.png"));

  // Unchecking every option one by one: half-checked on the way, unchecked at the end.
  for (const RecordCategoryInfo& info : RecordCategories()) {
    ASSERT_TRUE(f.harness().Click(f.Find(std::string(info.optionControl)))) << info.optionControl;
    if (info.category != RecordCategory::kSafariBookmark) {
      EXPECT_EQ(all->GetCheckState(), UICheckState::kHalfChecked);
      EXPECT_TRUE(next->IsEnabled());
    }
  }
  EXPECT_EQ(all->GetCheckState(), UICheckState::kUnchecked);
  EXPECT_FALSE(next->IsEnabled());
  EXPECT_TRUE(f.window().FilePage().ChosenCategories().empty());

  ASSERT_TRUE(f.harness().Click(f.Find("OptNotes")));
  EXPECT_EQ(all->GetCheckState(), UICheckState::kHalfChecked);
  EXPECT_TRUE(next->IsEnabled());
  EXPECT_TRUE(f.window().FilePage().IsChosen(RecordCategory::kNotes));

  // "Select all" on a half-checked box checks everything, also the three without a reader.
  ASSERT_TRUE(f.harness().Click(all));
  EXPECT_EQ(all->GetCheckState(), UICheckState::kChecked);
  for (const RecordCategoryInfo& info : RecordCategories())
    EXPECT_TRUE(f.window().FilePage().IsChosen(info.category)) << info.optionControl;
  ASSERT_TRUE(f.harness().Click(all));
  EXPECT_EQ(all->GetCheckState(), UICheckState::kUnchecked);
  EXPECT_FALSE(next->IsEnabled());
  EXPECT_FALSE(f.window().FilePage().IsChosen(RecordCategory::kCalendar));
}

TEST(FilePage, APlainBackupScansWithoutAPasswordAndShowsTheCounts) {
  AppHome home;
  auto settings = MakeSettings(home);
  MainWindowFixture f(*settings);
  GoToStep2(f, 0);
  ModalScript script;  // no window may open
  ASSERT_TRUE(f.harness().Click(f.Find("BtnNext2")));
  CScanVrtWnd& scan = f.window().ScanPage();
  ASSERT_TRUE(
      PumpUntil([&] { return !scan.IsScanning() && f.Find("ReocveryToolBar")->IsVisible(); }));
  UIApplication::Instance()->ProcessEvents();
  EXPECT_TRUE(script.unexpected.empty());
  EXPECT_TRUE(script.seen.empty());
  EXPECT_EQ(dynamic_cast<CTabLayoutUI*>(f.Find("MainTabPage"))->GetCurSel(), 1);
  EXPECT_TRUE(f.Find("HorLayoutScan")->IsVisible());
  EXPECT_FALSE(f.Find("HorLayoutMain")->IsVisible());
  EXPECT_TRUE(f.Find("BtnNext2")->IsEnabled());
  EXPECT_TRUE(f.Find("ReocveryToolBar")->IsVisible());
  EXPECT_FALSE(f.Find("ScanToolBar")->IsVisible());
  EXPECT_TRUE(f.Find("BtnHome")->IsEnabled());
  EXPECT_TRUE(scan.HasResults());
  EXPECT_GT(scan.CategoryCountShown(RecordCategory::kMessages), 0u);
  EXPECT_GT(scan.CategoryCountShown(RecordCategory::kCameraRoll), 0u);
  EXPECT_EQ(scan.Selection().Totals().totalCount, scan.Selection().Totals().checkedCount);
  // The tree shows each count in its label.
  auto* tree = dynamic_cast<CTreeViewUI*>(f.Find("NodeTree"));
  ASSERT_NE(tree, nullptr);
  bool found = false;
  for (int i = 0; i < tree->GetCount(); ++i) {
    auto* node = dynamic_cast<CTreeNodeUI*>(tree->GetItemAt(i));
    found =
        found ||
        node->GetItemText() ==
            "Messages (" + std::to_string(scan.CategoryCountShown(RecordCategory::kMessages)) + ")";
  }
  EXPECT_TRUE(found);
  EXPECT_NE(f.Find("LblStatistics")->GetText().find("You have selected"), std::string::npos);
  EXPECT_TRUE(f.harness().RenderToPng(ShotsDir() + "/app-scan-done.png"));

  // Home asks first, because there are results; "OK" goes back to step 1.
  script.Then(Press("okbtn", settings->Message("MSG0510")));
  ASSERT_TRUE(f.harness().Click(f.Find("BtnHome")));
  EXPECT_EQ(dynamic_cast<CTabLayoutUI*>(f.Find("MainTabPage"))->GetCurSel(), 0);
  EXPECT_TRUE(f.Find("HorLayoutMain")->IsVisible());
  EXPECT_FALSE(scan.HasResults());
  EXPECT_TRUE(script.unexpected.empty());
}

TEST(FilePage, ClosingWhileResultsExistAsksAndCancelKeepsTheWindow) {
  AppHome home;
  auto settings = MakeSettings(home);
  MainWindowFixture f(*settings);
  GoToStep2(f, 0);
  // Only Notes, to be quick.
  ASSERT_TRUE(f.harness().Click(SelectAll(f)));
  ASSERT_TRUE(f.harness().Click(f.Find("OptNotes")));
  ASSERT_TRUE(f.harness().Click(f.Find("BtnNext2")));
  CScanVrtWnd& scan = f.window().ScanPage();
  ASSERT_TRUE(
      PumpUntil([&] { return !scan.IsScanning() && f.Find("ReocveryToolBar")->IsVisible(); }));
  UIApplication::Instance()->ProcessEvents();
  ASSERT_TRUE(scan.HasResults());
  ModalScript script;
  script.Then([&](CWindowWnd& box) {
    EXPECT_EQ(TextOf(box, "title"), settings->Message("MSG0405"));
    EXPECT_EQ(TextOf(box, "message"), settings->Message("MSG0511"));
    ClickIn(box, "cancelbtn");
  });
  f.window().Close(2);
  UIApplication::Instance()->ProcessEvents();
  EXPECT_FALSE(f.window().IsClosed());
  EXPECT_TRUE(script.unexpected.empty());
}

}  // namespace
}  // namespace zbe::test
