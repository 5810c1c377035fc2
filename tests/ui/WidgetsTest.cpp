// The richer controls: the animated GIF button, the rich edit, the web browser, pop-up menus,
// and the system services behind the toolkit's shortcuts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/ui/UITestSupport.h"
#include "ui/DialogBuilder.h"
#include "ui/MenuWnd.h"
#include "ui/RichEditUI.h"
#include "ui/SystemServices.h"
#include "ui/WebBrowserUI.h"

namespace zbe::test {
namespace {

// Reads the layouts of this suite from a "Skins" folder made in code, with a GIF whose two
// frames last 50 and 200 ms.
class WidgetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = UIApplication::Instance();
    saved_ = app_->GetProgramFolder();
    const std::string program = MakeTempDir("program");
    const std::string skin = program + "/Skins";
    WriteBytes(skin + "/two.gif", TwoFrameGif(5, 20));
    std::vector<uint8_t> bytes;
    ASSERT_EQ(app_->ReadSkinFile("Controls.png", &bytes), 0);
    WriteBytes(skin + "/Controls.png", bytes);
    std::filesystem::create_directories(skin + "/xml");
    std::ofstream(skin + "/xml/widgets.xml") << R"(<Window size="600,400">
      <Font id="0" name="DejaVu Sans" size="13" default="true"/>
      <HorizontalLayout bkcolor="#FFFFFFFF">
        <VerticalLayout width="120">
          <ButtonGif name="Gif" normalgiffile="two.gif" width="40" height="40"/>
          <VerticalLayout name="GifBox" height="60">
            <GifButton name="GifAuto" normalgiffile="two.gif" width="40" height="40"/>
          </VerticalLayout>
        </VerticalLayout>
        <RichEdit name="Rich" width="220" inset="4,4,4,4"/>
        <WebBrowser name="Web" homepage="about:blank"/>
      </HorizontalLayout>
    </Window>)";
    std::ofstream(skin + "/xml/menu.xml") << R"(<Window>
      <Font id="0" name="DejaVu Sans" size="13" default="true"/>
      <Menu name="menu_test">
        <MenuElement name="item_help" text="Help"/>
        <MenuElement name="item_language" text="Language">
          <MenuElement name="English" text="English"/>
        </MenuElement>
        <MenuElement line="true"/>
        <MenuElement name="item_exit" text="Exit"/>
      </Menu>
    </Window>)";
    app_->SetProgramFolder(program);
    ASSERT_TRUE(wnd_.Open());
    dir_ = MakeTempDir("files");
  }
  void TearDown() override { app_->SetProgramFolder(saved_); }

  CPaintManagerUI& M() { return wnd_.GetManager(); }

  UIApplication* app_ = nullptr;
  std::string saved_, dir_;
  TestWindow wnd_{"xml/widgets.xml"};
  UITestHarness h_{wnd_};
};

TEST_F(WidgetsTest, GifButtonShowsEachFrameForItsOwnDelayOnTimer15) {
  auto* gif = M().Find<CGifButtonUI>("Gif");
  ASSERT_EQ(gif->GetFrameCount(), 2);
  EXPECT_FALSE(gif->IsPlaying()) << "the application's ButtonGif starts when told";
  gif->PlayGif();
  EXPECT_TRUE(app_->HasTimer(gif, CGifButtonUI::kAnimationTimerId));
  h_.AdvanceTimers(49);
  EXPECT_EQ(gif->GetCurrentFrame(), 0);
  h_.AdvanceTimers(1);
  EXPECT_EQ(gif->GetCurrentFrame(), 1);
  h_.AdvanceTimers(199);
  EXPECT_EQ(gif->GetCurrentFrame(), 1) << "the second frame lasts 200 ms";
  h_.AdvanceTimers(1);
  EXPECT_EQ(gif->GetCurrentFrame(), 0);
  EXPECT_EQ(Count(wnd_.notes, "timer:Gif"), 0) << "the animation timer is the control's own";
  gif->StopGif();
  h_.AdvanceTimers(1000);
  EXPECT_EQ(gif->GetCurrentFrame(), 0);
}

TEST_F(WidgetsTest, GifButtonStopsWhileHidden) {
  auto* gif = M().Find<CGifButtonUI>("GifAuto");
  EXPECT_TRUE(gif->IsPlaying()) << "the toolkit's own GifButton plays by itself";
  M().FindControl("GifBox")->SetVisible(false);
  EXPECT_FALSE(app_->HasTimer(gif, CGifButtonUI::kAnimationTimerId));
  h_.AdvanceTimers(500);
  EXPECT_EQ(gif->GetCurrentFrame(), 0);
  M().FindControl("GifBox")->SetVisible(true);
  h_.AdvanceTimers(50);
  EXPECT_EQ(gif->GetCurrentFrame(), 1);
  gif->SetVisible(false);
  EXPECT_FALSE(app_->HasTimer(gif, CGifButtonUI::kAnimationTimerId));
  gif->SetVisible(true);
  EXPECT_TRUE(app_->HasTimer(gif, CGifButtonUI::kAnimationTimerId));
}

TEST_F(WidgetsTest, RichEditShowsColouredTextAndImages) {
  auto* rich = M().Find<CRichEditUI>("Rich");
  rich->AppendText("Title:\n", 0xFF404040);
  rich->AppendText("\xE2\x96\x88\xE2\x96\x88\xE2\x96\x88\xE2\x96\x88", 0xFFFF0000);  // red blocks
  EXPECT_EQ(rich->GetText(), "Title:\n\xE2\x96\x88\xE2\x96\x88\xE2\x96\x88\xE2\x96\x88");
  const std::string shot = dir_ + "/rich.png";
  ASSERT_TRUE(h_.RenderToPng(shot));
  EXPECT_GT(CountPixels(shot, rich->GetPos(), [](uint32_t c) { return c == 0xFFFF0000; }), 50);

  WriteBytes(dir_ + "/anim.gif", TwoFrameGif(5, 20));
  EXPECT_EQ(rich->InsertImage(dir_ + "/anim.gif"), 0);
  EXPECT_EQ(rich->InsertImage(dir_ + "/missing.png"), 87);
  std::ofstream(dir_ + "/text.png") << "not an image";
  EXPECT_EQ(rich->InsertImage(dir_ + "/text.png"), 22);
  EXPECT_EQ(rich->GetImageCount(), 1);
  EXPECT_TRUE(rich->HasAnimations());
  EXPECT_FALSE(rich->AdvanceAnimations(49));
  EXPECT_TRUE(rich->AdvanceAnimations(1));

  rich->SelectAll();
  EXPECT_NE(rich->GetSelText().find("Title:"), std::string::npos);
  rich->Clear();
  EXPECT_EQ(rich->GetText(), "");
  EXPECT_EQ(rich->GetImageCount(), 0);
}

TEST_F(WidgetsTest, RichEditFitsWideImagesIntoItsWidth) {
  auto* rich = M().Find<CRichEditUI>("Rich");
  std::vector<uint8_t> png;
  ASSERT_EQ(app_->ReadSkinFile("Controls.png", &png), 0);  // 600 x 490
  WriteBytes(dir_ + "/wide.png", png);
  h_.Layout();
  ASSERT_EQ(rich->InsertImage(dir_ + "/wide.png"), 0);
  h_.Layout();
  EXPECT_LT(rich->GetContentHeight(), 250) << "scaled down to the view's width";
  EXPECT_GT(rich->GetContentHeight(), 120);
  rich->Clear();
  ASSERT_EQ(rich->InsertImage(dir_ + "/wide.png", 60), 0);
  h_.Layout();
  EXPECT_LT(rich->GetContentHeight(), 70) << "or to the width asked for";
}

TEST_F(WidgetsTest, RichEditScrollsLongText) {
  auto* rich = M().Find<CRichEditUI>("Rich");
  for (int i = 0; i < 80; ++i)
    rich->AppendText("line " + std::to_string(i) + "\n");
  h_.Layout();
  EXPECT_GT(rich->GetContentHeight(), rich->GetPos().Height());
  EXPECT_GT(rich->GetScrollRange().cy, 0);
  h_.Wheel(rich, -2);
  EXPECT_GT(rich->GetScrollPos().cy, 0);
}

// The read-only text views share their keyboard scrolling: Down and Page Down move on, End
// reaches the bottom, Home the top; a drag selects the text under the mouse.
TEST_F(WidgetsTest, TextViewsScrollWithTheKeyboardAndSelectByDragging) {
  auto* rich = M().Find<CRichEditUI>("Rich");
  auto* web = M().Find<CWebBrowserUI>("Web");
  std::string page = "<html><body>";
  for (int i = 0; i < 80; ++i) {
    rich->AppendText("line " + std::to_string(i) + "\n");
    page += "<p>paragraph " + std::to_string(i) + "</p>";
  }
  std::ofstream(dir_ + "/long.html") << page << "</body></html>";
  ASSERT_EQ(web->Navigate(dir_ + "/long.html"), 0);
  h_.ProcessEvents();
  h_.Layout();
  for (CContainerUI* view : {static_cast<CContainerUI*>(rich), static_cast<CContainerUI*>(web)}) {
    SCOPED_TRACE(view->GetName());
    ASSERT_GT(view->GetScrollRange().cy, 0);
    ASSERT_TRUE(h_.Click(view));
    h_.Key(UIKey::kDown);
    const int afterDown = view->GetScrollPos().cy;
    EXPECT_GT(afterDown, 0);
    h_.Key(UIKey::kNext);
    EXPECT_GT(view->GetScrollPos().cy, afterDown);
    h_.Key(UIKey::kEnd);
    EXPECT_EQ(view->GetScrollPos().cy, view->GetScrollRange().cy);
    h_.Key(UIKey::kHome);
    EXPECT_EQ(view->GetScrollPos().cy, 0);
  }

  const UIRect r = rich->GetPos();
  h_.MouseDown(UIPoint{r.left + 6, r.top + 8});
  h_.MouseMove(UIPoint{r.left + 120, r.top + 60});
  h_.MouseUp(UIPoint{r.left + 120, r.top + 60});
  const std::string selected = rich->GetSelText();
  EXPECT_EQ(selected.rfind("line 0", 0), 0u) << selected;
  EXPECT_NE(selected.find("line 1"), std::string::npos) << selected;
}

TEST_F(WidgetsTest, WebBrowserShowsALocalPageWithoutRunningScripts) {
  auto* web = M().Find<CWebBrowserUI>("Web");
  std::vector<uint8_t> png;
  ASSERT_EQ(app_->ReadSkinFile("Controls.png", &png), 0);
  WriteBytes(dir_ + "/img/c.png", png);
  std::ofstream(dir_ + "/page") << "<html><head><title>Print page</title></head><body>"
                                   "<p>Hello <b>world</b></p><img src=\"img/c.png\"/>"
                                   "<script>document.write('SCRIPT RAN');</script></body></html>";
  h_.ProcessEvents();  // the home page's completion
  wnd_.notes.clear();
  std::vector<std::string> completed;
  web->SetNavigateCompleteHandler(
      [&](CWebBrowserUI&, const std::string& url) { completed.push_back(url); });
  ASSERT_EQ(web->Navigate(dir_ + "/page"), 0);
  EXPECT_TRUE(completed.empty()) << "completion follows after the call";
  h_.ProcessEvents();
  EXPECT_EQ(completed, std::vector<std::string>{dir_ + "/page"});
  EXPECT_EQ(Count(wnd_.notes, "navigatecomplete:Web"), 1);
  EXPECT_EQ(web->GetDocumentTitle(), "Print page");
  EXPECT_NE(web->GetDocumentText().find("Hello world"), std::string::npos);
  EXPECT_EQ(web->GetDocumentText().find("SCRIPT"), std::string::npos);
  EXPECT_EQ(web->GetDocumentText().find("document.write"), std::string::npos);

  EXPECT_EQ(web->Navigate("file://" + dir_ + "/page"), 0);
  EXPECT_EQ(web->Navigate(dir_ + "/missing"), 87);
  EXPECT_EQ(web->GetLocationURL(), "file://" + dir_ + "/page")
      << "a failed navigation changes nothing";
  EXPECT_EQ(web->Navigate("https://example.invalid/"), 22);
  EXPECT_EQ(web->Navigate("about:blank"), 0);
  EXPECT_EQ(web->GetDocumentText(), "");
}

TEST_F(WidgetsTest, WebPageImagesComeFromBesideThePageOnly) {
  auto* web = M().Find<CWebBrowserUI>("Web");
  std::vector<uint8_t> png;
  ASSERT_EQ(app_->ReadSkinFile("Controls.png", &png), 0);
  WriteBytes(dir_ + "/img/c.png", png);
  std::ofstream(dir_ + "/page.html")
      << "<html><body><img src=\"img/c.png\" width=\"150\" height=\"120\"/>"
         "<img src=\"https://example.invalid/x.png\" width=\"50\" height=\"50\"/></body></html>";
  ASSERT_EQ(web->Navigate(dir_ + "/page.html"), 0);
  const std::string shot = dir_ + "/web.png";
  ASSERT_TRUE(h_.RenderToPng(shot));
  // The check boxes and icons of Controls.png show as blue pixels inside the page.
  EXPECT_GT(CountPixels(shot, web->GetPos(),
                        [](uint32_t c) { return (c & 0xFF) > 180 && ((c >> 16) & 0xFF) < 120; }),
            20);
}

TEST_F(WidgetsTest, WebPagesInOtherEncodingsReadCorrectly) {
  auto* web = M().Find<CWebBrowserUI>("Web");
  std::ofstream(dir_ + "/latin1.html", std::ios::binary)
      << "<html><head><meta charset=\"iso-8859-1\"><title>caf\xE9</title></head>"
         "<body><p>na\xEFve</p></body></html>";
  ASSERT_EQ(web->Navigate(dir_ + "/latin1.html"), 0);
  EXPECT_EQ(web->GetDocumentTitle(), "caf\xC3\xA9");
  EXPECT_NE(web->GetDocumentText().find("na\xC3\xAFve"), std::string::npos);
  EXPECT_EQ(web->Navigate(dir_), 87) << "a folder is no page";
}

TEST_F(WidgetsTest, InitPrintsThroughThePrintDialog) {
  auto* web = M().Find<CWebBrowserUI>("Web");
  std::ofstream(dir_ + "/page") << "<html><head><title>Messages</title></head><body>"
                                   "<p>From: Anna</p></body></html>";
  ASSERT_EQ(web->Navigate(dir_ + "/page"), 0);
  UITestServices& services = Services();
  services.printedTitles.clear();
  services.printToPdf = dir_ + "/out.pdf";
  EXPECT_TRUE(web->CallPageFunction("Init"));
  services.printToPdf.clear();
  EXPECT_EQ(services.printedTitles, std::vector<std::string>{"Messages"});
  std::ifstream pdf(dir_ + "/out.pdf", std::ios::binary);
  std::string head(4, '\0');
  pdf.read(head.data(), 4);
  EXPECT_EQ(head, "%PDF");
  EXPECT_FALSE(web->CallPageFunction("Other"));
  EXPECT_EQ(services.printedTitles.size(), 1u);
  services.printResult = 2;
  EXPECT_EQ(web->Print(), 2) << "a cancelled dialog is reported";
  services.printResult = 1;
}

TEST_F(WidgetsTest, MenuReturnsTheClickedElementAndNotifies) {
  CMenuWnd menu;
  ASSERT_TRUE(menu.Init(&wnd_, "xml/menu.xml"));
  RecordingPage listener;
  menu.GetManager().AddNotifier(&listener);
  CMenuElementUI* language = menu.FindElement("item_language");
  ASSERT_NE(language, nullptr);
  CMenuElementUI* german = menu.AddElement(language, "Deutsch", "Deutsch");
  ASSERT_NE(german, nullptr);
  german->SetChecked(true);
  EXPECT_EQ(language->GetSubItemCount(), 2);
  // Texts can be set by name, also on submenu elements.
  ASSERT_NE(menu.GetManager().FindControl("English"), nullptr);
  menu.GetManager().FindControl("item_help")->SetText("Hilfe");
  EXPECT_EQ(menu.FindElement("item_help")->GetText(), "Hilfe");

  menu.PostTask([&] {
    UITestHarness hm(menu);
    hm.Click(language);
    EXPECT_FALSE(menu.IsClosed()) << "an element with a submenu opens it instead of closing";
    ASSERT_EQ(menu.OpenSubMenuCount(), 1);
    UITestHarness hs(*menu.GetSubMenuWindow(0));
    hs.Click(german);
  });
  EXPECT_EQ(menu.TrackPopup(UIPoint{50, 50}), "Deutsch");
  EXPECT_EQ(Count(listener.notes, "itemclick:Deutsch"), 1);
  EXPECT_EQ(listener.notes.back(), "itemclick:Deutsch");
  EXPECT_EQ(language->GetSubItemCount(), 2) << "the submenu's items are back with their element";
}

TEST_F(WidgetsTest, MenuDismissedWithEscapeReturnsNothing) {
  CMenuWnd menu;
  ASSERT_TRUE(menu.Init(&wnd_, "xml/menu.xml"));
  menu.PostTask([&] { UITestHarness(menu).Key(UIKey::kEscape); });
  EXPECT_EQ(menu.TrackPopup(UIPoint{10, 10}), "");
  EXPECT_EQ(menu.GetClickedElement(), nullptr);

  CMenuWnd second;
  ASSERT_TRUE(second.Init(&wnd_, "xml/menu.xml"));
  second.PostTask([&] {
    UITestHarness hm(second);
    hm.Key(UIKey::kDown);
    hm.Key(UIKey::kReturn);
  });
  EXPECT_EQ(second.TrackPopup(UIPoint{10, 10}), "item_help") << "keys choose elements too";
}

TEST_F(WidgetsTest, SystemServicesShortcutsUseTheCurrentServices) {
  UITestServices& services = Services();
  services.folderToPick = "/data/backups";
  std::string folder;
  EXPECT_TRUE(UIPickFolder(&wnd_, "Select the iTunes Backup File", &folder));
  EXPECT_EQ(folder, "/data/backups");
  EXPECT_EQ(services.pickTitles.back(), "Select the iTunes Backup File");
  services.folderToPick.clear();
  EXPECT_FALSE(UIPickFolder(&wnd_, "cancel me", &folder));
  EXPECT_TRUE(UIShellOpen("https://example.invalid/help"));
  EXPECT_EQ(services.opened.back(), "https://example.invalid/help");
  UISystemMessageBox(nullptr, "Information", "COM component registration failed");
  EXPECT_EQ(services.messages.back(), (std::pair<std::string, std::string>{
                                          "Information", "COM component registration failed"}));
}

}  // namespace
}  // namespace zbe::test
