#include "app/CDecryptionWnd.h"

#include <gtest/gtest.h>

#include "app/AskPassword.h"
#include "app/CScanVrtWnd.h"
#include "tests/app/AppTestSupport.h"
#include "ui/EditUI.h"
#include "ui/LayoutsUI.h"
#include "ui/ListUI.h"

namespace zbe::test {
namespace {

// Step 2 of the encrypted demo backup.
void ChooseEncrypted(MainWindowFixture& f) {
  auto* list = dynamic_cast<CListUI*>(f.Find("BackupFileList"));
  ASSERT_TRUE(f.harness().DoubleClick(list->GetItemAt(1)));
  ASSERT_TRUE(f.window().ScanPage().ChosenBackup().encrypted);
}

// A step for the password window: types "password" and presses OK.
ModalScript::Step EnterPassword(const std::string& password) {
  return [password](CWindowWnd& w) {
    EXPECT_EQ(w.GetWindowClassName(), "UIDecryptionWnd");
    UITestHarness h(w);
    h.TypeText(password);
    ClickIn(w, "BtnOK");
  };
}

TEST(PasswordWindow, CancellingKeepsStep2Usable) {
  AppHome home;
  auto settings = MakeSettings(home);
  MainWindowFixture f(*settings);
  ChooseEncrypted(f);
  ModalScript script;
  script.Then([&](CWindowWnd& w) {
    EXPECT_EQ(w.GetWindowRect().Width(), 550);
    EXPECT_EQ(w.GetWindowRect().Height(), 270);
    auto* edit = w.GetManager().Find<CEditUI>("EditPassword");
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->IsFocused());
    EXPECT_TRUE(edit->IsPasswordMode());
    EXPECT_EQ(TextOf(w, "LblPassword"), "Password:");
    EXPECT_NE(TextOf(w, "LblBackupName").find(kEncryptedName), std::string::npos);
    // While the window is open, step 2 takes no input.
    EXPECT_FALSE(f.Find("BtnNext2")->IsEnabled());
    UITestHarness h(w);
    h.TypeText("secret");
    EXPECT_TRUE(
        UITestHarness::RenderWindowsToPng({&f.window(), &w}, ShotsDir() + "/app-password.png"));
    ClickIn(w, "BtnCancel");
  });
  ASSERT_TRUE(f.harness().Click(f.Find("BtnNext2")));
  UIApplication::Instance()->ProcessEvents();
  EXPECT_TRUE(f.Find("BtnNext2")->IsEnabled());
  EXPECT_TRUE(dynamic_cast<CContainerUI*>(f.Find("MainTabPage"))->IsMouseChildEnabled());
  EXPECT_FALSE(f.window().ScanPage().IsScanning());
  EXPECT_EQ(dynamic_cast<CTabLayoutUI*>(f.Find("MainTabPage"))->GetCurSel(), 0);
  EXPECT_TRUE(script.unexpected.empty());
}

TEST(PasswordWindow, AnEmptyPasswordIsWarnedAboutAndAskedAgain) {
  AppHome home;
  auto settings = MakeSettings(home);
  BackupSummary summary;
  summary.encrypted = true;
  summary.displayName = "Phone";
  ModalScript script;
  script.Then(Press("BtnOK"))
      .Then(Press("okbtn", settings->Message("MSG0301")))
      .Then(EnterPassword("p"));
  std::string password = "old";
  EXPECT_EQ(AskPassword(summary, *settings, nullptr, &password), kPasswordReady);
  EXPECT_EQ(password, "p");
  EXPECT_EQ(script.seen,
            (std::vector<std::string>{"UIDecryptionWnd", "UIMessageBox", "UIDecryptionWnd"}));

  // Closing the warning instead goes on with no password.
  script.Then(Press("BtnOK")).Then(Press("closebtn"));
  EXPECT_EQ(AskPassword(summary, *settings, nullptr, &password), kPasswordReady);
  EXPECT_EQ(password, "");

  // 256 characters are taken whole, and no more; Enter confirms; the link opens the page.
  script.Then([](CWindowWnd& w) {
    UITestHarness h(w);
    h.TypeText(std::string(300, 'k'));
    ClickIn(w, "BtnRestoreLink");
    h.Key(UIKey::kReturn, 0, "\r");
  });
  EXPECT_EQ(AskPassword(summary, *settings, nullptr, &password), kPasswordReady);
  EXPECT_EQ(password, std::string(256, 'k'));
  EXPECT_EQ(Services().opened.back(), ProgramFolder() + "docs/forgotten-password.html");

  // A plain backup asks nothing.
  summary.encrypted = false;
  EXPECT_EQ(AskPassword(summary, *settings, nullptr, &password), kPasswordReady);
  EXPECT_EQ(password, "");
  script.Then(Press("closebtn"));
  summary.encrypted = true;
  EXPECT_EQ(AskPassword(summary, *settings, nullptr, &password), kPasswordCancelled);
  EXPECT_TRUE(script.unexpected.empty());
}

TEST(PasswordWindow, AWrongPasswordIsReportedAndTheRightOneScans) {
  AppHome home;
  auto settings = MakeSettings(home);
  MainWindowFixture f(*settings);
  ChooseEncrypted(f);
  ModalScript script;
  script.Then(EnterPassword("not the password"))
      .Then([&](CWindowWnd& box) {
        EXPECT_EQ(TextOf(box, "title"), settings->Message("MSG0403"));
        EXPECT_EQ(TextOf(box, "message"), settings->Message("MSG0302"));
        ClickIn(box, "okbtn");
      })
      .Then(EnterPassword(kDemoPassword));
  ASSERT_TRUE(f.harness().Click(f.Find("BtnNext2")));
  CScanVrtWnd& scan = f.window().ScanPage();
  ASSERT_TRUE(PumpUntil(
      [&] {
        return script.Pending() == 0 && !scan.IsScanning() &&
               f.Find("ReocveryToolBar")->IsVisible();
      },
      60000));
  UIApplication::Instance()->ProcessEvents();
  EXPECT_EQ(scan.Password(), kDemoPassword);
  EXPECT_GT(scan.CategoryCountShown(RecordCategory::kContacts), 0u);
  EXPECT_EQ(dynamic_cast<CTabLayoutUI*>(f.Find("MainTabPage"))->GetCurSel(), 1);
  EXPECT_TRUE(script.unexpected.empty());
}

}  // namespace
}  // namespace zbe::test
