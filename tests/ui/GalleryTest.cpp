// Renders the gallery layout with every control family in its states into build/ui-shots:
// gallery.png (the whole window) and one image per family.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/ui/UITestSupport.h"
#include "ui/EditUI.h"
#include "ui/ListElementUI.h"
#include "ui/MenuWnd.h"
#include "ui/OptionUI.h"
#include "ui/RichEditUI.h"
#include "ui/WebBrowserUI.h"

namespace zbe::test {
namespace {

const char kCheck[] = "file='Controls.png' source='340,75,355,90'";
const char kUncheck[] = "file='Controls.png' source='325,75,340,90'";

std::string Icon(int x) {
  return "file='Controls.png' source='" + std::to_string(x) + ",410," + std::to_string(x + 18) +
         ",428'";
}

void FillList(CListUI* list) {
  struct Row {
    const char* name;
    const char* date;
    const char* serial;
    bool locked;
    bool checked;
  };
  const Row rows[] = {
      {"iPhone of Anna", "2020-06-01 09:30:12", "F17XK2ABHG7F", false, true},
      {"Work phone", "2020-05-28 18:02:45", "DNPVQ0B3JCL8", true, true},
      {"Ben's iPhone SE with a very long device name", "2019-12-24 07:15:00", "C39ZL1N2N735", false,
       false},
      {"iPad Air", "2019-08-13 21:44:09", "DMPXK9ABFK10", true, false},
      {"Old iPhone 6", "2017-03-02 12:00:00", "F2LQG0CKG5MR", false, true},
  };
  for (const Row& r : rows) {
    auto row = std::make_unique<CListImageTextElementUI>();
    row->SetImage(1, r.locked ? "file='Controls.png' source='53,436,101,462' dest='0,0,48,26'"
                              : "file='Controls.png' source='2,436,50,462' dest='0,0,48,26'");
    row->SetText(1, r.name);
    row->SetText(2, r.date);
    row->SetText(3, r.serial);
    row->SetCheck(r.checked);
    list->Add(std::move(row));
  }
  auto failed = std::make_unique<CListImageTextElementUI>();
  failed->SetImage(1, "file='Controls.png' source='29,465,47,483'");
  failed->SetText(1, "IMG_0042.JPG");
  failed->SetText(2, "No such file or directory");
  failed->SetTextColor(0xFFDC2626);
  failed->SetCheckVisible(false);
  list->Add(std::move(failed));
  list->SelectItem(1, false, false);
}

void FillTree(CTreeViewUI* tree) {
  auto add = [](CTreeNodeUI* parent, const std::string& text, const std::string& icon) {
    auto node = std::make_unique<CTreeNodeUI>();
    node->SetItemText(text);
    if (!icon.empty())
      node->SetItemIcon(icon);
    node->SetCheckState(UICheckState::kChecked);
    CTreeNodeUI* raw = node.get();
    parent->AddChildNode(std::move(node));
    return raw;
  };
  auto media = std::make_unique<CTreeNodeUI>();
  media->SetItemText("Photos & Videos");
  media->SetItemFont(1);
  CTreeNodeUI* m = media.get();
  add(m, "Camera Roll (128)", Icon(1));
  add(m, "Photo Stream (36)", Icon(19));
  CTreeNodeUI* appPhotos = add(m, "App Photos (12)", Icon(37));
  add(m, "App Videos (3)", Icon(55));
  auto messages = std::make_unique<CTreeNodeUI>();
  messages->SetItemText("Messages & Call logs");
  messages->SetItemFont(1);
  CTreeNodeUI* msg = messages.get();
  add(msg, "Messages (57)", Icon(73));
  CTreeNodeUI* att = add(msg, "Messages Attachments (9)", Icon(91));
  add(msg, "Contacts (214)", Icon(109));
  add(msg, "Call History (88)", Icon(127));
  add(msg, "Notes (16)", Icon(145));
  add(msg, "WhatsApp (4)", Icon(163));
  auto others = std::make_unique<CTreeNodeUI>();
  others->SetItemText("Other data");
  others->SetItemFont(1);
  CTreeNodeUI* oth = others.get();
  add(oth, "Calendar (0)", Icon(199));
  tree->Add(std::move(media));
  tree->Add(std::move(messages));
  tree->Add(std::move(others));
  att->SetCheckState(UICheckState::kUnchecked);
  appPhotos->SetCheckState(UICheckState::kUnchecked);
  m->SetCheckState(UICheckState::kHalfChecked);
  msg->SetCheckState(UICheckState::kHalfChecked);
  oth->SetExpanded(false);
  tree->SelectItem(1, false, false);
}

std::string WritePage(const std::string& dir) {
  const std::string path = dir + "/page.html";
  std::ofstream(path) << R"(<html><head><title>Print preview</title>
<style>
body { font-family: 'DejaVu Sans'; font-size: 12px; color: #1f2933; }
h3 { color: #0f172a; margin-bottom: 6px; }
span { color: #64748b; }
p { margin: 2px 0; }
</style></head>
<body><h3>Messages</h3>
<div><p><span>From:</span> Anna (+1 555 0100)</p><p><span>Date:</span> 2020-06-01 09:30:12</p>
<p><span>Content:</span> See you at the station at nine!</p></div><hr/>
<div><p><span>To:</span> Ben (+1 555 0199)</p><p><span>Date:</span> 2020-06-01 09:31:40</p>
<p><span>Content:</span> Great, I will bring the tickets.</p></div><hr/>
<table border="0" cellspacing="0" cellpadding="3"><tr><td><b>Name</b></td><td><b>Phone</b></td></tr>
<tr><td>Anna</td><td>+1 555 0100</td></tr><tr><td>Ben</td><td>+1 555 0199</td></tr></table>
<script>function Init() { window.print(); }</script>
</body></html>)";
  return path;
}

// Copies a file of the skin out to disk (the rich edit shows files, not skin images).
std::string SkinFileOnDisk(const std::string& name, const std::string& dir) {
  std::vector<uint8_t> bytes;
  EXPECT_EQ(UIApplication::Instance()->ReadSkinFile(name, &bytes), 0);
  const std::string path = dir + "/" + name;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return path;
}

bool Shot(UITestHarness& h, CControlUI* family, const std::string& file) {
  if (family == nullptr)
    return false;
  const UIRect r = family->GetPos();
  const int m = 10;
  return h.RenderRectToPng(UIRect{r.left - m, r.top - m, r.right + m, r.bottom + m},
                           ShotsDir() + "/" + file);
}

TEST(Gallery, RendersEveryControlFamilyInItsStates) {
  const std::string dir = MakeTempDir("gallery");
  TestWindow wnd("xml/gallery.xml");
  ASSERT_TRUE(wnd.Open());
  UITestHarness h(wnd);
  CPaintManagerUI& m = wnd.GetManager();

  FillList(m.Find<CListUI>("BackupFileList"));
  FillTree(m.Find<CTreeViewUI>("NodeTree"));
  auto* edit = m.Find<CRichEditUI>("PreviewEdit");
  ASSERT_NE(edit, nullptr);
  edit->AppendText("  ---------------------------------------------------  \n", 0xFFD7D7D7);
  edit->AppendText(
      "Title:\n    Shopping list\nNote:\n    Bread, coffee, oranges and a birthday "
      "card for Ben.\n\n",
      0xFF404040);
  ASSERT_EQ(edit->InsertImage(SkinFileOnDisk("loading.gif", dir)), 0);
  edit->AppendText("\nA picture inserted in the text.", 0xFF64748B);
  auto* web = m.Find<CWebBrowserUI>("WebPagePrint");
  ASSERT_NE(web, nullptr);
  ASSERT_EQ(web->Navigate(WritePage(dir)), 0);

  // States that a user would show one at a time.
  m.FindControl("BtnHot")->SetState(UIState::kHot);
  m.FindControl("BtnPushed")->SetState(UIState::kHot | UIState::kPushed);
  m.FindControl("BtnFocused")->SetState(UIState::kFocused);
  m.FindControl("OptB")->SetState(UIState::kHot);
  auto* name = m.Find<CEditUI>("EditName");
  h.Click(name);
  name->SetSel(0, 6);
  m.Find<CButtonGifUI>("BtnGifLoading")->PlayGif();
  h.AdvanceTimers(160);
  h.ProcessEvents();
  h.Hover(m.Find<CListUI>("BackupFileList")->GetItemAt(3));

  ASSERT_TRUE(h.RenderToPng(ShotsDir() + "/gallery.png"));
  EXPECT_TRUE(Shot(h, m.FindControl("FamilyButtons"), "buttons.png"));
  EXPECT_TRUE(Shot(h, m.FindControl("FamilyOptions"), "options.png"));
  EXPECT_TRUE(Shot(h, m.FindControl("FamilyEdits"), "edits.png"));
  EXPECT_TRUE(Shot(h, m.FindControl("FamilyProgress"), "progress.png"));
  EXPECT_TRUE(Shot(h, m.FindControl("FamilyLabels"), "labels.png"));
  EXPECT_TRUE(Shot(h, m.FindControl("FamilyTabs"), "tabs.png"));
  EXPECT_TRUE(Shot(h, m.FindControl("FamilyGif"), "gifbutton.png"));
  EXPECT_TRUE(Shot(h, m.FindControl("FamilyList"), "list.png"));
  EXPECT_TRUE(Shot(h, m.FindControl("FamilyTree"), "tree.png"));
  EXPECT_TRUE(Shot(h, m.FindControl("FamilyScroll"), "scrollbar.png"));
  EXPECT_TRUE(Shot(h, m.FindControl("FamilyRichEdit"), "richedit.png"));
  EXPECT_TRUE(Shot(h, m.FindControl("FamilyWeb"), "webbrowser.png"));
  EXPECT_TRUE(Shot(h, m.FindControl("Header"), "caption.png"));

  // The rendering shows what the layout asks for: white header, card borders, the selected row.
  const std::string shot = ShotsDir() + "/gallery.png";
  EXPECT_EQ(PixelAt(shot, 700, 30), 0xFFFFFFFFu);
  EXPECT_EQ(PixelAt(shot, 0, 0) >> 24, 0u) << "rounded corners stay transparent";
  const UIRect selected = m.Find<CListUI>("BackupFileList")->GetItemAt(1)->GetPos();
  EXPECT_EQ(PixelAt(shot, selected.right - 30, selected.top + 3), 0xFFDCEBFBu);
}

TEST(Gallery, RendersMenuAndMessageBox) {
  TestWindow owner("xml/gallery.xml");
  ASSERT_TRUE(owner.Open());

  CMenuWnd menu;
  ASSERT_TRUE(menu.Init(&owner, "xml/gallery_menu.xml"));
  CMenuElementUI* language = menu.FindElement("item_language");
  ASSERT_NE(language, nullptr);
  menu.AddElement(language, "Deutsch", "Deutsch");
  menu.AddElement(language, "Francais",
                  "Fran\xC3\xA7"
                  "ais");
  CMenuElementUI* english = menu.FindElement("English");
  ASSERT_NE(english, nullptr);
  auto mark = std::make_unique<CLabelUI>();
  mark->SetFixedWidth(16);
  mark->SetBkImage("file='Controls.png' source='359,38,375,54' dest='0,4,16,20'");
  english->Add(std::move(mark));
  menu.PostTask([&] {
    UITestHarness hm(menu);
    hm.Hover(language);
    EXPECT_TRUE(hm.RenderToPng(ShotsDir() + "/menu.png"));
    ASSERT_NE(menu.GetSubMenuWindow(0), nullptr);
    UITestHarness hs(*menu.GetSubMenuWindow(0));
    hs.Hover(english);
    EXPECT_TRUE(hs.RenderToPng(ShotsDir() + "/menu_submenu.png"));
    hs.Click(english);
  });
  const UIPoint at = owner.ClientToScreen(UIPoint{1100, 50});
  EXPECT_EQ(menu.TrackPopup(at), "English");
  EXPECT_EQ(menu.GetClickedElement(), english);

  TestWindow box("xml/gallery_msgbox.xml");
  ASSERT_TRUE(box.Open(UISize{480, 210}, &owner, UIWindowKind::kPopup));
  box.onNotify = [&](TNotifyUI& msg) {
    if (msg.sType == UINotify::kClick && msg.pSender->GetName() == "okbtn")
      box.Close(1);
    if (msg.sType == UINotify::kClick && msg.pSender->GetName() == "cancelbtn")
      box.Close(2);
  };
  box.GetManager().FindControl("message")->SetText(
      "Can not found the backup file, do you want to try again?");
  const int answer = UITestHarness::RunModal(box, [&] {
    UITestHarness hb(box);
    hb.Hover(box.GetManager().FindControl("okbtn"));
    EXPECT_TRUE(hb.RenderToPng(ShotsDir() + "/messagebox.png"));
    hb.Click(box.GetManager().FindControl("okbtn"));
  });
  EXPECT_EQ(answer, 1);
}

}  // namespace
}  // namespace zbe::test
