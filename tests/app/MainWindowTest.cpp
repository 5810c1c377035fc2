#include "app/CMainWnd.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/ApplyTexts.h"
#include "tests/app/AppTestSupport.h"
#include "ui/ButtonUI.h"
#include "ui/LayoutsUI.h"
#include "ui/ListElementUI.h"
#include "ui/ListUI.h"
#include "ui/MenuWnd.h"
#include "ui/OptionUI.h"

namespace zbe::test {
namespace {

int TabOf(MainWindowFixture& f, const char* name) {
  auto* tabs = dynamic_cast<CTabLayoutUI*>(f.Find(name));
  return tabs != nullptr ? tabs->GetCurSel() : -1;
}

TEST(MainWindow, OpensOnTheBackupListNewestFirst) {
  AppHome home;
  auto settings = MakeSettings(home);
  MainWindowFixture f(*settings);
  CMainWnd& w = f.window();
  EXPECT_EQ(w.GetWindowClassName(), "FileRecoveryWnd");
  EXPECT_EQ(w.GetTitle(), "Zorvane Backup Extractor");
  EXPECT_EQ(w.GetWindowRect().Width(), 1000);
  EXPECT_EQ(w.GetWindowRect().Height(), 665);
  EXPECT_EQ(f.Find("LblProductName")->GetBkImage(), "file='Others.png' source='1,277,541,333'");
  EXPECT_TRUE(
      std::filesystem::is_directory(home.DataHome() + "/ZorvaneBackupExtractor/viewInstall"));
  EXPECT_EQ(TabOf(f, "MainTabPage"), 0);
  EXPECT_EQ(TabOf(f, "TabPage"), 0);
  EXPECT_TRUE(dynamic_cast<COptionUI*>(f.Find("OptStep1"))->IsSelected());
  EXPECT_FALSE(f.Find("OptStep3")->IsEnabled());
  EXPECT_FALSE(f.Find("HorLayoutScan")->IsVisible());
  EXPECT_TRUE(f.Find("HorLayoutMain")->IsVisible());

  auto* list = dynamic_cast<CListUI*>(f.Find("BackupFileList"));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->GetCount(), 2);
  EXPECT_EQ(list->GetCurSel(), 0);
  auto* newest = dynamic_cast<CListImageTextElementUI*>(list->GetItemAt(0));
  auto* older = dynamic_cast<CListImageTextElementUI*>(list->GetItemAt(1));
  EXPECT_EQ(newest->GetText(0), kPlainName);
  EXPECT_EQ(newest->GetImage(0), "file='Controls.png' source='2,436,50,462' dest='0,0,48,26'");
  EXPECT_EQ(older->GetText(0), kEncryptedName);
  EXPECT_EQ(older->GetImage(0), "file='Controls.png' source='53,436,101,462' dest='0,0,48,26'");
  EXPECT_LT(older->GetText(1), newest->GetText(1));
  EXPECT_FALSE(newest->GetText(2).empty());
  EXPECT_FALSE(f.Find("BackupEmptyState")->IsVisible());
  EXPECT_TRUE(f.harness().RenderToPng(ShotsDir() + "/app-step1.png"));
}

TEST(MainWindow, SwallowsEnterAndEscapeAndMovesByItsHeader) {
  AppHome home;
  auto settings = MakeSettings(home);
  MainWindowFixture f(*settings);
  CMainWnd& w = f.window();
  f.harness().Key(UIKey::kEscape);
  f.harness().Key(UIKey::kReturn);
  UIApplication::Instance()->ProcessEvents();
  EXPECT_FALSE(w.IsClosed());
  EXPECT_EQ(TabOf(f, "TabPage"), 0);

  EXPECT_EQ(w.DoHitTest(UIPoint{600, 40}), UIHitTest::kCaption);  // the header's empty part
  EXPECT_EQ(w.DoHitTest(f.Find("LblProductName")->GetPos().Center()), UIHitTest::kCaption);
  EXPECT_EQ(w.DoHitTest(f.Find("BtnAssist")->GetPos().Center()), UIHitTest::kClient);
  EXPECT_EQ(w.DoHitTest(f.Find("closebtn")->GetPos().Center()), UIHitTest::kClient);
  EXPECT_EQ(w.DoHitTest(UIPoint{500, 300}), UIHitTest::kClient);
  EXPECT_EQ(w.DoHitTest(UIPoint{1, 300}), UIHitTest::kLeft);
  EXPECT_EQ(w.DoHitTest(UIPoint{998, 663}), UIHitTest::kBottomRight);
}

TEST(MainWindow, StepOptionsSwitchThePages) {
  AppHome home;
  auto settings = MakeSettings(home);
  MainWindowFixture f(*settings);
  ASSERT_TRUE(f.harness().Click(f.Find("OptStep2")));
  EXPECT_EQ(TabOf(f, "TabPage"), 1);  // even before a backup was chosen
  EXPECT_FALSE(f.harness().Click(f.Find("OptStep3")) && TabOf(f, "TabPage") == 2);
  ASSERT_TRUE(f.harness().Click(f.Find("OptStep1")));
  EXPECT_EQ(TabOf(f, "TabPage"), 0);
}

// Opens the assist menu and runs "inMenu" with it.
void WithAssistMenu(MainWindowFixture& f, ModalScript& script,
                    std::function<void(CMenuWnd&)> inMenu) {
  script.Then([inMenu](CWindowWnd& w) {
    auto* menu = dynamic_cast<CMenuWnd*>(&w);
    ASSERT_NE(menu, nullptr);
    inMenu(*menu);
  });
  ASSERT_TRUE(f.harness().Click(f.Find("BtnAssist")));
}

TEST(MainWindow, AssistMenuOpensPagesAndOffersTheLanguages) {
  AppHome home;
  auto settings = MakeSettings(home);
  MainWindowFixture f(*settings);
  ModalScript script;
  WithAssistMenu(f, script, [&](CMenuWnd& menu) {
    EXPECT_EQ(menu.FindElement("item_faq")->GetText(), "Frequently asked questions");
    CMenuElementUI* language = menu.FindElement("item_language");
    ASSERT_NE(language, nullptr);
    EXPECT_TRUE(language->IsVisible());
    ASSERT_EQ(language->GetSubItemCount(), 3);
    EXPECT_EQ(language->GetSubItem(0)->GetName(), "English");
    EXPECT_EQ(language->GetSubItem(2)->GetText(), "Espa\xC3\xB1ol");
    EXPECT_NE(menu.GetManager().FindSubControlByName(language->GetSubItem(0), "LanguageCheck"),
              nullptr);
    EXPECT_EQ(menu.GetManager().FindSubControlByName(language->GetSubItem(1), "LanguageCheck"),
              nullptr);
    UITestHarness h(menu);
    h.Hover(language);
    ASSERT_NE(menu.GetSubMenuWindow(0), nullptr);
    UITestHarness sub(*menu.GetSubMenuWindow(0));
    sub.Hover(language->GetSubItem(1));
    EXPECT_TRUE(UITestHarness::RenderWindowsToPng({&f.window(), &menu, menu.GetSubMenuWindow(0)},
                                                  ShotsDir() + "/app-menu.png"));
    h.Click(menu.FindElement("item_help"));
  });
  ASSERT_FALSE(Services().opened.empty());
  EXPECT_EQ(Services().opened.back(), ProgramFolder() + "docs/help.html");
  EXPECT_TRUE(std::filesystem::exists(Services().opened.back()));

  WithAssistMenu(f, script, [](CMenuWnd& menu) { ClickIn(menu, "item_support"); });
  EXPECT_EQ(Services().opened.back(), ProgramFolder() + "docs/about.html#support");
  WithAssistMenu(f, script, [](CMenuWnd& menu) { ClickIn(menu, "item_faq"); });
  EXPECT_TRUE(std::filesystem::exists(Services().opened.back()));

  // Exit closes the window as its close button does.
  WithAssistMenu(f, script, [](CMenuWnd& menu) { ClickIn(menu, "item_exit"); });
  UIApplication::Instance()->ProcessEvents();
  EXPECT_TRUE(f.window().IsClosed());
  EXPECT_TRUE(script.unexpected.empty());
}

TEST(MainWindow, SwitchingToGermanRelabelsTheWindowAndIsRemembered) {
  AppHome home;
  auto settings = MakeSettings(home);
  MainWindowFixture f(*settings);
  ModalScript script;
  WithAssistMenu(f, script, [](CMenuWnd& menu) {
    UITestHarness h(menu);
    h.Hover(menu.FindElement("item_language"));
    ASSERT_NE(menu.GetSubMenuWindow(0), nullptr);
    UITestHarness sub(*menu.GetSubMenuWindow(0));
    CMenuElementUI* german = menu.FindElement("German");
    ASSERT_NE(german, nullptr);
    sub.Hover(german);
    EXPECT_TRUE(sub.Click(german));
  });
  UIApplication::Instance()->ProcessEvents();
  EXPECT_EQ(settings->CurrentLanguage(), "German");
  EXPECT_EQ(ReadFile(home.UserConfig()), "[DefaultLanguage]\nDefault=German\n");
  EXPECT_EQ(f.Find("BtnAssist")->GetText(), "Hilfe");
  EXPECT_EQ(f.Find("OptStep1")->GetText(), "1   Backup w\xC3\xA4hlen");
  EXPECT_EQ(f.Find("BtnNext1")->GetText(), "Weiter");
  EXPECT_EQ(f.Find("BackupListHeader2")->GetText(), "Letztes Backup");
  EXPECT_EQ(f.Find("BtnNext2")->GetText(), "Weiter");
  EXPECT_TRUE(f.harness().RenderToPng(ShotsDir() + "/app-step1-de.png"));
  // The menu now marks German.
  WithAssistMenu(f, script, [](CMenuWnd& menu) {
    EXPECT_EQ(menu.FindElement("item_language")->GetText(), "Sprache");
    EXPECT_NE(menu.GetManager().FindSubControlByName(menu.FindElement("German"), "LanguageCheck"),
              nullptr);
    UITestHarness(menu).Key(UIKey::kEscape);
  });
  EXPECT_TRUE(script.unexpected.empty());
}

TEST(MainWindow, LanguageTextsSkipMissingControlsAndKeepDisabledOnesDisabled) {
  AppHome home;
  TempFolder program;
  WriteFile(program / "config.ini", "[DefaultLanguage]\nDefault=Test\n");
  WriteFile(program / "Languages/Test.ini",
            "[PageScan]\nNoSuchControl=ignored\nBtnHome=Start over\n[MainWnd]\nBtnScanStop=Halt\n");
  CSettings settings(program.path() + "/", "");
  settings.Load();
  auto real = MakeSettings(home);
  MainWindowFixture f(*real);
  CControlUI* homeButton = f.Find("BtnHome");
  homeButton->SetEnabled(false);
  EXPECT_EQ(ApplyTexts(f.window().GetManager(), settings, "PageScan"), 1);
  EXPECT_EQ(homeButton->GetText(), "Start over");
  EXPECT_FALSE(homeButton->IsEnabled());
  EXPECT_EQ(ApplyTexts(f.window().GetManager(), settings, "MainWnd", TextTarget::kPopup), 1);
  EXPECT_EQ(f.Find("BtnScanStop")->GetText(), "Halt");
}

}  // namespace
}  // namespace zbe::test
