#include <gtest/gtest.h>

#include <filesystem>

#include "app/CPreviewVrtWnd.h"
#include "export/Formats.h"
#include "export/windows/CPrintWnd.h"
#include "export/windows/CRecoverProcessWnd.h"
#include "records/CategoryTable.h"
#include "tests/app/ScanTestSupport.h"
#include "ui/OptionUI.h"
#include "ui/RichEditUI.h"

namespace zbe::test {
namespace {

using C = RecordCategory;

CListUI* Bubbles(MainWindowFixture& f) {
  return dynamic_cast<CListUI*>(f.Find("MessagesList"));
}

CRichEditUI* PreviewEdit(MainWindowFixture& f) {
  return dynamic_cast<CRichEditUI*>(f.Find("PreviewEdit"));
}

// The demo backup, scanned with every kind of data.
class Results : public ::testing::Test {
 protected:
  void SetUp() override {
    settings_ = MakeSettings(home_);
    f_ = std::make_unique<MainWindowFixture>(*settings_);
    GoToStep2(*f_);
    ScanToTheEnd(*f_);
  }
  void TearDown() override {
    EXPECT_TRUE(script_.unexpected.empty()) << script_.unexpected.front();
  }
  MainWindowFixture& f() { return *f_; }
  CScanVrtWnd& scan() { return f_->window().ScanPage(); }

  FakePlayers players_;
  AppHome home_;
  std::unique_ptr<CSettings> settings_;
  std::unique_ptr<MainWindowFixture> f_;
  ModalScript script_;
};

TEST_F(Results, EveryCategoryShowsItsColumnsAndPreviewsItsFirstRow) {
  struct Expected {
    C category;
    std::vector<std::string> columns;
  };
  const Expected expected[] = {
      {C::kCameraRoll, {"File Name", "File Size"}},
      {C::kPhotoStream, {"File Name", "File Size"}},
      {C::kAppPhotos, {"File Name", "App Name", "Size"}},  // inside the first app's folder
      {C::kAppVideos, {"File Name", "App Name", "Size"}},
      {C::kMessages, {"User Name", "Phone Number", "Date", "Message"}},
      {C::kMessageAttachments, {"File Name", "File Size"}},
      {C::kContacts, {"Name", "Company", "Phone", "Email", "Home Page"}},
      {C::kCallHistory, {"User Name", "Phone Number", "Date", "Call Status", "Duration", "Status"}},
      {C::kNotes, {"Title", "Date", "Note"}},
      {C::kWhatsApp, {"Chats", "Name", "Phone"}},
      {C::kWhatsAppAttachments, {"File Name", "File Size"}},
  };
  CPreviewVrtWnd& preview = f().window().PreviewPane();
  for (const Expected& e : expected) {
    SCOPED_TRACE(CategoryInfo(e.category).name);
    ClickNode(f(), e.category);
    if (CategoryInfo(e.category).shape == CategoryShape::kAppFiles) {
      EXPECT_EQ(HeaderTitles(f()), (std::vector<std::string>{"App Name", "Type"}));
      ASSERT_TRUE(f().harness().DoubleClick(Row(f(), 0)));
      UIApplication::Instance()->ProcessEvents();
      EXPECT_TRUE(f().Find("BtnBackAppDir")->IsVisible());
    }
    EXPECT_EQ(HeaderTitles(f()), e.columns);
    ASSERT_GT(DataList(f())->GetCount(), 0);
    EXPECT_EQ(DataList(f())->GetCurSel(), 0);
    EXPECT_EQ(Row(f(), 0)->GetCheckState(), UICheckState::kChecked);
    EXPECT_TRUE(f().Find("PreviewLayout")->IsVisible());
    const bool records = CategoryInfo(e.category).shape == CategoryShape::kRecords ||
                         CategoryInfo(e.category).shape == CategoryShape::kThreads;
    EXPECT_EQ(f().Find("FilterToolBar")->IsVisible(), records);
    switch (CategoryInfo(e.category).shape) {
      case CategoryShape::kFiles:
      case CategoryShape::kAppFiles:
        EXPECT_TRUE(PreviewEdit(f())->IsVisible());
        EXPECT_NE(preview.LastCopyKind(), CPreviewVrtWnd::CopyKind::kNone);
        if (preview.LastCopyKind() == CPreviewVrtWnd::CopyKind::kImage) {
          EXPECT_EQ(PreviewEdit(f())->GetImageCount(), 1);
        }
        break;
      case CategoryShape::kThreads:
        EXPECT_GT(Bubbles(f())->GetCount(), 1);
        break;
      default:
        break;
    }
    UIApplication::Instance()->ProcessEvents();
    f().harness().Layout();
    EXPECT_TRUE(f().harness().RenderToPng(ShotsDir() + "/app-results-" +
                                          std::string(CategoryInfo(e.category).cliName) + ".png"));
  }
}

TEST_F(Results, RecordPreviewsShowTheCardTheNoteAndNothingForCalls) {
  ClickNode(f(), C::kContacts);
  const ContactRecord& contact = scan().Results().contacts.front();
  ASSERT_EQ(Bubbles(f())->GetCount(), 1);
  CPaintManagerUI& m = f().window().GetManager();
  CControlUI* card = Bubbles(f())->GetItemAt(0);
  EXPECT_EQ(m.FindSubControlByName(card, "TxtUserName")->GetText(), contact.name);
  EXPECT_EQ(m.FindSubControlByName(card, "TxtPhone")->GetText(), contact.phone);
  EXPECT_EQ(m.FindSubControlByName(card, "LblPhoneDesc")->GetText(), "Mobile Phone: ");
  // No reader fills addresses: the line is hidden.
  EXPECT_FALSE(m.FindSubControlByName(card, "AddressLine")->IsVisible());
  EXPECT_EQ(Row(f(), 0)->GetText(3),
            std::string(contact.phone.substr(0, contact.phone.find('\n'))));

  ClickNode(f(), C::kCallHistory);
  EXPECT_EQ(Bubbles(f())->GetCount(), 0);
  EXPECT_TRUE(Bubbles(f())->IsVisible());
  EXPECT_EQ(Row(f(), 0)->GetText(6), "Normal");

  ClickNode(f(), C::kNotes);
  const NoteRecord& note = scan().Results().notes.front();
  EXPECT_EQ(PreviewEdit(f())->GetText(),
            "  ---------------------------------------------------  \nTitle:\n    " + note.title +
                "\nNote:\n     " + note.body);

  ClickNode(f(), C::kMessages);
  const MessageRecord& row = scan().Results().conversationRows.front();
  const auto& thread = scan().Results().messages.at(row.handleId);
  ASSERT_EQ(Bubbles(f())->GetCount(), static_cast<int>(thread.size()) + 1);
  const MessageRecord& first = thread.front();
  const std::string title = f().window()
                                .GetManager()
                                .FindSubControlByName(Bubbles(f())->GetItemAt(1), "LblMsgTitle")
                                ->GetText();
  EXPECT_EQ(title, first.isFromMe != 0
                       ? first.date + " Me:"
                       : first.date + " " +
                             (first.contactName.empty() ? first.sender : first.contactName) + ":");
}

TEST_F(Results, TheFilterHidesTheRowsOfItsNodeOnly) {
  ClickNode(f(), C::kContacts);
  const int rows = DataList(f())->GetCount();
  ASSERT_GT(rows, 0);
  ASSERT_TRUE(f().harness().Click(f().Find("OptOnOffFilter")));
  EXPECT_EQ(DataList(f())->GetCount(), 0);
  EXPECT_TRUE(f().Find("LblFilterCount")->IsVisible());
  EXPECT_EQ(f().Find("LblFilterCount")->GetText(), "Files Filtered: 0 item(s)");
  EXPECT_EQ(f().Find("Option")->GetBkImage(), "file='optionOn.png' source='0,0,78,19'");
  EXPECT_EQ(NodeOf(f(), C::kContacts)->GetUserData(), "D");
  // Another node keeps its own state; coming back restores the filter.
  ClickNode(f(), C::kNotes);
  EXPECT_GT(DataList(f())->GetCount(), 0);
  EXPECT_FALSE(dynamic_cast<COptionUI*>(f().Find("OptOnOffFilter"))->IsSelected());
  EXPECT_FALSE(f().Find("LblFilterCount")->IsVisible());
  ClickNode(f(), C::kContacts);
  EXPECT_EQ(DataList(f())->GetCount(), 0);
  EXPECT_TRUE(dynamic_cast<COptionUI*>(f().Find("OptOnOffFilter"))->IsSelected());
  ASSERT_TRUE(f().harness().Click(f().Find("OptOnOffFilter")));
  EXPECT_EQ(DataList(f())->GetCount(), rows);
  EXPECT_EQ(NodeOf(f(), C::kContacts)->GetUserData(), "N");
  // The filter is a view: what is checked stays checked.
  EXPECT_EQ(scan().Selection().CategoryState(C::kContacts), CheckState::kChecked);
}

TEST_F(Results, ChecksFollowRowsNodesAndTheStatisticsLine) {
  ClickNode(f(), C::kCameraRoll);
  const StatisticsTotals before = scan().Selection().Totals();
  const uint64_t size = std::max<uint64_t>(scan().Results().cameraRoll[1].size, 1024);
  const std::string lineBefore = f().Find("LblStatistics")->GetText();
  ASSERT_TRUE(f().harness().CheckListRow(DataList(f()), 1));
  EXPECT_EQ(Row(f(), 1)->GetCheckState(), UICheckState::kUnchecked);
  EXPECT_EQ(NodeOf(f(), C::kCameraRoll)->GetCheckState(), UICheckState::kHalfChecked);
  const StatisticsTotals after = scan().Selection().Totals();
  EXPECT_EQ(after.checkedCount, before.checkedCount - 1);
  EXPECT_EQ(after.checkedSize, before.checkedSize - size);
  EXPECT_EQ(after.totalSize, before.totalSize);
  EXPECT_NE(f().Find("LblStatistics")->GetText(), lineBefore);
  EXPECT_TRUE(f().Find("BtnRecovery")->IsEnabled());
  EXPECT_TRUE(f().Find("BtnPrint")->IsEnabled());

  // The node's box: checked from half-checked, then unchecked; the rows follow.
  ASSERT_TRUE(f().harness().CheckTreeNode(NodeOf(f(), C::kCameraRoll)));
  EXPECT_EQ(Row(f(), 1)->GetCheckState(), UICheckState::kChecked);
  EXPECT_EQ(scan().Selection().Totals().checkedSize, before.checkedSize);
  ASSERT_TRUE(f().harness().CheckTreeNode(NodeOf(f(), C::kCameraRoll)));
  EXPECT_EQ(Row(f(), 0)->GetCheckState(), UICheckState::kUnchecked);
  EXPECT_EQ(scan().Selection().CategoryState(C::kCameraRoll), CheckState::kUnchecked);

  // Unchecking both roots leaves nothing to recover.
  for (int i = 0; i < 2; ++i) {
    auto* tree = dynamic_cast<CTreeViewUI*>(f().Find("NodeTree"));
    CTreeNodeUI* root = tree->GetRootNode(i);
    while (root->GetCheckState() != UICheckState::kUnchecked)
      ASSERT_TRUE(f().harness().CheckTreeNode(root));
  }
  EXPECT_EQ(scan().Selection().Totals().checkedCount, 0u);
  EXPECT_FALSE(f().Find("BtnRecovery")->IsEnabled());
  EXPECT_FALSE(f().Find("BtnPrint")->IsEnabled());
  EXPECT_EQ(f().Find("LblStatistics")->GetText(),
            "You have selected 0 MB in 0 item(s) of " +
                FormatSize(static_cast<int64_t>(before.totalSize)) + " in " +
                std::to_string(before.totalCount) + " item(s)");
}

TEST_F(Results, AppFoldersOpenWithADoubleClickAndCheckAsOne) {
  ClickNode(f(), C::kAppPhotos);
  ASSERT_GT(DataList(f())->GetCount(), 0);
  EXPECT_EQ(Row(f(), 0)->GetImage(1), "file='Controls.png' source='2,465,20,483'");
  const std::string app = Row(f(), 0)->GetText(1);
  ASSERT_TRUE(f().harness().DoubleClick(Row(f(), 0)));
  UIApplication::Instance()->ProcessEvents();
  ASSERT_GT(DataList(f())->GetCount(), 1);
  EXPECT_EQ(Row(f(), 0)->GetText(2), app);
  ASSERT_TRUE(f().harness().CheckListRow(DataList(f()), 0));
  ASSERT_TRUE(f().harness().Click(f().Find("BtnBackAppDir")));
  EXPECT_FALSE(f().Find("BtnBackAppDir")->IsVisible());
  EXPECT_EQ(Row(f(), 0)->GetCheckState(), UICheckState::kHalfChecked);
  EXPECT_EQ(NodeOf(f(), C::kAppPhotos)->GetCheckState(), UICheckState::kHalfChecked);
  DataList(f())->SelectItem(0, false, true);
  f().harness().Layout();
  EXPECT_TRUE(f().harness().RenderToPng(ShotsDir() + "/app-app-folder.png"));
  // The folder's box checks all of its files again.
  ASSERT_TRUE(f().harness().CheckListRow(DataList(f()), 0));
  EXPECT_EQ(Row(f(), 0)->GetCheckState(), UICheckState::kChecked);
  EXPECT_EQ(scan().Selection().CategoryState(C::kAppPhotos), CheckState::kChecked);
}

// "Recover" exports the checked items into the folder picked (the first time none is picked);
// "Print" prints the checked records of the selected category.
TEST_F(Results, RecoverAndPrintTakeTheCheckedItems) {
  TempFolder out;
  ClickNode(f(), C::kNotes);
  ASSERT_TRUE(f().harness().CheckListRow(DataList(f()), 0));  // one note fewer
  Services().folderToPick.clear();
  Services().pickTitles.clear();
  ASSERT_TRUE(f().harness().Click(f().Find("BtnRecovery")));
  EXPECT_EQ(Services().pickTitles, std::vector<std::string>{settings_->Message("MSG0509")});
  EXPECT_TRUE(script_.seen.empty());

  Services().folderToPick = out.path();
  script_.Then([&](CWindowWnd& window) {
    auto* recover = dynamic_cast<CRecoverProcessWnd*>(&window);
    ASSERT_NE(recover, nullptr);
    ASSERT_TRUE(
        PumpUntil([&] { return recover->GetState() == CRecoverProcessWnd::State::kFinished; }));
    EXPECT_EQ(recover->Counts().total, static_cast<int>(scan().Selection().Totals().checkedCount));
    EXPECT_EQ(recover->Counts().failed, 0);
    window.Close(1);
  });
  ASSERT_TRUE(f().harness().Click(f().Find("BtnRecovery")));
  EXPECT_EQ(script_.seen, std::vector<std::string>{"UIRecoverProcessWnd"});
  EXPECT_TRUE(std::filesystem::is_directory(out / "Notes"));

  Services().printedTitles.clear();
  script_.Then([&](CWindowWnd& window) {
    auto* print = dynamic_cast<CPrintWnd*>(&window);
    ASSERT_NE(print, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return print->LastPrintResult() != 0; }));
    EXPECT_EQ(print->GetState(), CPrintWnd::State::kShown);
    window.Close(1);
  });
  ASSERT_TRUE(f().harness().Click(f().Find("BtnPrint")));
  EXPECT_EQ(script_.seen.back(), "UIPrintWnd");
  EXPECT_EQ(Services().printedTitles.size(), 1u);
}

}  // namespace
}  // namespace zbe::test
