// The simpler controls and the tree they live in: label styles and measuring, progress bars,
// scroll bars, adding, moving and detaching children, names, tabs, focus order, skin images.
#include <gtest/gtest.h>

#include "tests/ui/UITestSupport.h"
#include "ui/DialogBuilder.h"
#include "ui/ImageDecoder.h"
#include "ui/LayoutsUI.h"
#include "ui/ProgressUI.h"
#include "ui/ScrollBarUI.h"

namespace zbe::test {
namespace {

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(wnd_.Open()); }
  CPaintManagerUI& M() { return wnd_.GetManager(); }
  TestWindow wnd_{"xml/test_controls.xml"};
  UITestHarness h_{wnd_};
};

TEST_F(ControlsTest, LabelAttributesBecomeTextStyles) {
  auto* l = M().Find<CLabelUI>("L");
  const uint32_t s = l->GetTextStyle();
  EXPECT_TRUE(s & UIText::kRight);
  EXPECT_TRUE(s & UIText::kBottom);
  EXPECT_TRUE(s & UIText::kEndEllipsis);
  EXPECT_TRUE(s & UIText::kSingleLine);
  auto* wrap = M().Find<CLabelUI>("LWrap");
  EXPECT_TRUE(wrap->GetTextStyle() & UIText::kWordBreak);
  EXPECT_FALSE(wrap->GetTextStyle() & UIText::kSingleLine);
  EXPECT_EQ(M().Find<CLabelUI>("LDisabled")->GetTextColor(), 0u);
}

TEST_F(ControlsTest, LabelsMeasureTheirTextTheWayTheyDrawIt) {
  auto* wrap = M().Find<CLabelUI>("LWrap");
  wrap->SetText("word");
  const UISize one = wrap->CalcTextSize(100);
  wrap->SetText("word word word word word word word");
  const UISize many = wrap->CalcTextSize(100);
  EXPECT_LE(many.cx, 100);
  EXPECT_GE(many.cy, 3 * one.cy);
  // Markup is measured without its tags; bold is wider than regular.
  wrap->SetText("{b}word{/b}");
  wrap->SetShowHtml(true);
  const UISize bold = wrap->CalcTextSize(0);
  EXPECT_GT(bold.cx, one.cx);
  EXPECT_LT(bold.cx, one.cx * 2);
  EXPECT_EQ(bold.cy, one.cy);
}

TEST_F(ControlsTest, ProgressClampsAndFillsInProportion) {
  auto* p = M().Find<CProgressUI>("P");
  h_.Layout();
  EXPECT_EQ(p->GetFillRect().Width(), 50) << "50 of 200 over 200 pixels";
  p->SetValue(500);
  EXPECT_EQ(p->GetValue(), 200);
  EXPECT_EQ(p->GetFillRect(), p->GetPos());
  p->SetValue(-5);
  EXPECT_TRUE(p->GetFillRect().IsEmpty());
  auto* v = M().Find<CProgressUI>("PV");
  EXPECT_EQ(v->GetFillRect().Height(), 25);
  EXPECT_EQ(v->GetFillRect().bottom, v->GetPos().bottom) << "a vertical bar fills from below";
  v->SetMaxValue(10);
  EXPECT_EQ(v->GetValue(), 10) << "a smaller maximum pulls the value in";
}

TEST_F(ControlsTest, ScrollBarThumbAndRailScrollTheOwner) {
  auto* scroller = M().Find<CContainerUI>("Scroller");
  CScrollBarUI* bar = scroller->GetVerticalScrollBar();
  h_.Layout();
  ASSERT_TRUE(bar->IsVisible());
  EXPECT_EQ(bar->GetThickness(), 12);
  const int range = scroller->GetScrollRange().cy;
  EXPECT_EQ(range, 800 - 400);
  const UIRect thumb = bar->GetThumbRect();
  EXPECT_NEAR(thumb.Height(), 400 * 400 / 800, 1) << "the thumb shows the visible share";
  // Drag the thumb down by half the travel: the content moves by half the range.
  const int travel = bar->GetPos().Height() - thumb.Height();
  h_.MouseMove(thumb.Center());
  h_.MouseDown(thumb.Center());
  h_.MouseMove(UIPoint{thumb.Center().x, thumb.Center().y + travel / 2});
  h_.MouseUp(UIPoint{thumb.Center().x, thumb.Center().y + travel / 2});
  EXPECT_NEAR(scroller->GetScrollPos().cy, range / 2, 2);
  EXPECT_EQ(M().FindControl("S1")->GetPos().top, -scroller->GetScrollPos().cy);
  // A click on the rail below the thumb moves a page.
  h_.ClickAt(UIPoint{bar->GetPos().Center().x, bar->GetPos().bottom - 3});
  EXPECT_EQ(scroller->GetScrollPos().cy, range);
  h_.Wheel(bar, 1);
  EXPECT_LT(scroller->GetScrollPos().cy, range) << "the wheel over the bar scrolls the owner";
}

TEST_F(ControlsTest, ChildrenCanBeInsertedMovedAndDetached) {
  auto* left = M().Find<CContainerUI>("Left");
  const int count = left->GetCount();
  auto* first = left->GetItemAt(0);
  auto made = std::make_unique<CLabelUI>();
  made->SetName("Inserted");
  ASSERT_TRUE(left->AddAt(std::move(made), 0));
  EXPECT_EQ(left->GetItemIndex(M().FindControl("Inserted")), 0);
  EXPECT_EQ(left->GetItemIndex(first), 1);
  EXPECT_EQ(M().FindControl("Inserted")->GetManager(), &M()) << "attached on insertion";
  EXPECT_TRUE(left->SetItemIndex(M().FindControl("Inserted"), 3));
  EXPECT_EQ(left->GetItemAt(3)->GetName(), "Inserted");
  std::unique_ptr<CControlUI> taken = left->Detach(M().FindControl("Inserted"));
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(taken->GetManager(), nullptr);
  EXPECT_EQ(taken->GetParent(), nullptr);
  EXPECT_EQ(M().FindControl("Inserted"), nullptr);
  EXPECT_EQ(left->GetCount(), count);
  EXPECT_FALSE(left->Add(nullptr));
  EXPECT_EQ(left->AddNew<CLabelUI>()->GetParent(), left);
}

TEST_F(ControlsTest, NamesAnswerTheFirstAndFallBackToTheNext) {
  auto* left = M().Find<CContainerUI>("Left");
  auto* a = left->AddNew<CLabelUI>();
  a->SetName("Twin");
  auto* b = left->AddNew<CLabelUI>();
  b->SetName("Twin");
  EXPECT_EQ(M().FindControl("Twin"), a);
  left->Remove(a);
  EXPECT_EQ(M().FindControl("Twin"), b);
  b->SetName("Renamed");
  EXPECT_EQ(M().FindControl("Twin"), nullptr);
  EXPECT_EQ(M().FindControl("Renamed"), b);
  EXPECT_EQ(M().FindSubControlByName(left, "Renamed"), b);
  EXPECT_EQ(M().FindSubControlByName(left, "Scroller"), nullptr) << "only inside the parent";
}

TEST_F(ControlsTest, TabKeysWalkVisibleEnabledTabStops) {
  h_.Click(M().FindControl("F1"));
  h_.Key(UIKey::kTab);
  EXPECT_EQ(M().GetFocus(), M().FindControl("F4")) << "hidden and disabled buttons are skipped";
  h_.Key(UIKey::kTab);
  EXPECT_EQ(M().GetFocus(), M().FindControl("F1")) << "the order wraps";
  h_.Key(UIKey::kTab, UIMod::kShift);
  EXPECT_EQ(M().GetFocus(), M().FindControl("F4"));
  M().SetFocus(M().FindControl("F2"));
  EXPECT_EQ(M().GetFocus(), nullptr) << "a hidden control takes no focus";
  M().SetFocus(M().FindControl("F4"));
  M().FindControl("Left")->SetVisible(false);
  EXPECT_EQ(M().GetFocus(), nullptr) << "hiding takes the focus away";
}

TEST_F(ControlsTest, TabLayoutKeepsASelectionWhenItemsComeAndGo) {
  CDialogBuilder builder;
  auto tabs = builder.CreateFromString("<TabLayout name=\"Tabs\"/>", nullptr, &M());
  auto* t = static_cast<CTabLayoutUI*>(tabs.get());
  M().Find<CContainerUI>("Left")->Add(std::move(tabs));
  EXPECT_EQ(t->GetCurSel(), -1);
  auto* p0 = t->AddNew<CControlUI>();
  auto* p1 = t->AddNew<CControlUI>();
  EXPECT_EQ(t->GetCurSel(), 0) << "the first page shows";
  EXPECT_FALSE(p1->IsVisible());
  t->SelectItem(1);
  EXPECT_TRUE(t->Remove(p1));
  EXPECT_EQ(t->GetCurSel(), 0);
  EXPECT_TRUE(p0->IsVisible());
}

TEST_F(ControlsTest, SkinImagesAreDecodedOnceAndMaskedSeparately) {
  UIApplication* app = UIApplication::Instance();
  const UIImageData* a = app->GetImage("Controls.png");
  const UIImageData* b = app->GetImage("controls.PNG");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a, b) << "one decoded copy per file";
  EXPECT_EQ(a->width, 600);
  const UIImageData* masked = app->GetImage("Controls.png", 0xFFFFFFFF);
  EXPECT_NE(masked, a);
  EXPECT_EQ(M().GetImageSize("loading.gif"), (UISize{64, 64}));
  EXPECT_EQ(M().GetImageFrameCount("loading.gif"), 18);
  EXPECT_EQ(M().GetImageFrameDelay("loading.gif", 3), 50);
  EXPECT_EQ(M().GetImageSize("nothing.png"), (UISize{}));
}

TEST_F(ControlsTest, SharedStylesReachOtherWindows) {
  TestWindow other("xml/test_empty.xml");
  ASSERT_TRUE(other.Open());
  CDialogBuilder builder;
  auto label = builder.CreateFromString("<Label name=\"X\" style=\"Shared\"/>", nullptr,
                                        &other.GetManager());
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(static_cast<CLabelUI*>(label.get())->GetTextColor(), 0xFF123456u);
}

TEST_F(ControlsTest, TimersFireInTimeOrderAndMayRestartThemselves) {
  std::vector<std::string> order;
  CControlUI* a = M().FindControl("L");
  CControlUI* b = M().FindControl("LWrap");
  wnd_.onNotify = [&](TNotifyUI& msg) {
    if (msg.sType != UINotify::kTimer)
      return;
    order.push_back(msg.pSender->GetName() + std::to_string(msg.wParam));
    if (msg.pSender == b)
      b->SetTimer(2, 70);  // a handler may restart its own timer
  };
  ASSERT_TRUE(a->SetTimer(1, 30));
  ASSERT_TRUE(b->SetTimer(2, 50));
  EXPECT_FALSE(a->SetTimer(3, 0));
  h_.AdvanceTimers(130);
  // L at 30, 60, 90, 120; LWrap at 50 and, restarted with 70 ms, again at 120 (after L, which
  // was set first).
  EXPECT_EQ(order, (std::vector<std::string>{"L1", "LWrap2", "L1", "L1", "L1", "LWrap2"}));
  CLabelUI loose;
  EXPECT_FALSE(loose.SetTimer(1, 10)) << "a control outside any window has no timers";
}

TEST_F(ControlsTest, WindowIconComesFromTheSkin) {
  EXPECT_TRUE(wnd_.SetIcon("Controls.png"));
  EXPECT_FALSE(wnd_.SetIcon("no_icon.png"));
}

}  // namespace
}  // namespace zbe::test
