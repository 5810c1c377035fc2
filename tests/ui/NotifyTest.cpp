// Notifications: clicks, option groups, check box states, hot notifications, timers,
// "windowinit", and removing the control that is notifying.
#include <gtest/gtest.h>

#include "tests/ui/UITestSupport.h"
#include "ui/OptionUI.h"

namespace zbe::test {
namespace {

class NotifyTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(wnd_.Open()); }
  CControlUI* C(const std::string& name) { return wnd_.GetManager().FindControl(name); }
  template <class T>
  T* As(const std::string& name) {
    return wnd_.GetManager().Find<T>(name);
  }
  // The notes of one kind, in order.
  std::vector<std::string> Only(const std::string& prefix) {
    std::vector<std::string> out;
    for (const auto& n : wnd_.notes) {
      if (n.compare(0, prefix.size(), prefix) == 0)
        out.push_back(n);
    }
    return out;
  }
  TestWindow wnd_{"xml/test_notify.xml"};
  UITestHarness h_{wnd_};
};

TEST_F(NotifyTest, WindowInitArrivesOnceFromTheRoot) {
  EXPECT_EQ(wnd_.notes.front(), "windowinit:Root");
  h_.Layout();
  h_.RenderToPng(MakeTempDir("x") + "/x.png");
  EXPECT_EQ(Count(wnd_.notes, "windowinit:Root"), 1);
}

TEST_F(NotifyTest, ClickNeedsPressAndReleaseOverAnEnabledButton) {
  const UIRect r = C("B1")->GetPos();
  h_.MouseDown(r.Center());
  h_.MouseMove(UIPoint{r.right + 100, r.bottom + 100});
  h_.MouseUp(UIPoint{r.right + 100, r.bottom + 100});
  EXPECT_EQ(Count(wnd_.notes, "click:B1"), 0) << "released elsewhere";
  h_.Click(C("B1"));
  EXPECT_EQ(Count(wnd_.notes, "click:B1"), 1);
  h_.Click(C("B2"));
  EXPECT_EQ(Count(wnd_.notes, "click:B2"), 0) << "disabled";
  ASSERT_EQ(wnd_.GetManager().GetFocus(), C("B1")) << "a disabled control takes no focus";
  h_.Key(UIKey::kSpace);
  h_.Key(UIKey::kReturn);
  EXPECT_EQ(Count(wnd_.notes, "click:B1"), 3) << "the focused button answers Space and Enter";
}

TEST_F(NotifyTest, OptionGroupIsExclusive) {
  auto* o1 = As<COptionUI>("O1");
  auto* o2 = As<COptionUI>("O2");
  auto* o3 = As<COptionUI>("O3");
  EXPECT_TRUE(o1->IsSelected());
  wnd_.notes.clear();
  h_.Click(o2);
  EXPECT_TRUE(o2->IsSelected());
  EXPECT_FALSE(o1->IsSelected());
  EXPECT_EQ(Only("click:"), std::vector<std::string>{"click:O2"});
  EXPECT_EQ(Only("selectchanged:"),
            (std::vector<std::string>{"selectchanged:O1", "selectchanged:O2"}));
  EXPECT_EQ(wnd_.notifications.back().wParam, 1u);
  wnd_.notes.clear();
  h_.Click(o2);
  EXPECT_TRUE(o2->IsSelected()) << "a click never clears the selected option of a group";
  EXPECT_TRUE(Only("selectchanged:").empty());
  o3->Selected(true, /*notify=*/false);
  EXPECT_FALSE(o2->IsSelected());
  EXPECT_TRUE(Only("selectchanged:").empty());
  auto* solo = As<COptionUI>("OSolo");
  h_.Click(solo);
  h_.Click(solo);
  EXPECT_FALSE(solo->IsSelected()) << "without a group an option toggles";
  EXPECT_EQ(Count(wnd_.notes, "selectchanged:OSolo"), 2);
}

TEST_F(NotifyTest, CheckBoxHasThreeStates) {
  auto* chk = As<CCheckBoxUI>("Chk");
  EXPECT_EQ(chk->GetCheckState(), UICheckState::kUnchecked);
  chk->SetCheckState(UICheckState::kHalfChecked, false);
  EXPECT_TRUE(chk->GetCheck());
  EXPECT_TRUE(chk->IsHalfChecked());
  EXPECT_EQ(chk->GetCheckState(), UICheckState::kHalfChecked);
  EXPECT_TRUE(Only("selectchanged:").empty());
  h_.Click(chk);
  EXPECT_EQ(chk->GetCheckState(), UICheckState::kChecked) << "a click on some means all";
  EXPECT_EQ(wnd_.notifications.back().wParam, 1u);
  h_.Click(chk);
  EXPECT_EQ(chk->GetCheckState(), UICheckState::kUnchecked);
  EXPECT_EQ(Count(wnd_.notes, "selectchanged:Chk"), 2);
  chk->SetCheck(true);
  EXPECT_EQ(Count(wnd_.notes, "selectchanged:Chk"), 3) << "a programmatic change notifies";
  chk->SetCheck(true);
  chk->SetCheck(false, /*notify=*/false);
  EXPECT_EQ(Count(wnd_.notes, "selectchanged:Chk"), 3) << "no change, or asked not to";
}

TEST_F(NotifyTest, HotNotificationsFollowTheMouse) {
  h_.Hover(C("BtnEx"));
  h_.Hover(C("BtnEx"));
  EXPECT_EQ(Only("onhot:"), std::vector<std::string>{"onhot:BtnEx"});
  h_.Hover(C("Lbl"));
  EXPECT_EQ(Only("offhot:"), std::vector<std::string>{"offhot:BtnEx"});
  h_.Hover(C("B1"));
  h_.Hover(C("Lbl"));
  EXPECT_EQ(Only("onhot:").size(), 1u) << "plain buttons stay quiet";
  h_.Hover(C("BtnEx"));
  h_.LeaveWindow();
  EXPECT_EQ(Only("offhot:").size(), 2u);
}

TEST_F(NotifyTest, ControlTimersNotifyTheirIdUntilKilled) {
  CControlUI* lbl = C("Lbl");
  ASSERT_TRUE(lbl->SetTimer(7, 100));
  h_.AdvanceTimers(99);
  EXPECT_TRUE(Only("timer:").empty());
  h_.AdvanceTimers(151);
  ASSERT_EQ(Only("timer:").size(), 2u);
  EXPECT_EQ(wnd_.notifications.back().wParam, 7u);
  lbl->KillTimer(7);
  h_.AdvanceTimers(1000);
  EXPECT_EQ(Only("timer:").size(), 2u);
  // A removed control's timers die with it.
  ASSERT_TRUE(C("B1")->SetTimer(3, 10));
  As<CContainerUI>("Row1")->Remove(C("B1"));
  h_.AdvanceTimers(100);
  EXPECT_EQ(Count(wnd_.notes, "timer:B1"), 0);
}

TEST_F(NotifyTest, ANotifiedHandlerMayRemoveTheSender) {
  wnd_.onNotify = [&](TNotifyUI& msg) {
    if (msg.sType == UINotify::kClick && msg.pSender->GetName() == "BtnRemoveSelf") {
      static_cast<CContainerUI*>(msg.pSender->GetParent())->Remove(msg.pSender);
    }
  };
  h_.Click(C("BtnRemoveSelf"));
  EXPECT_EQ(Count(wnd_.notes, "click:BtnRemoveSelf"), 1);
  h_.ProcessEvents();
  EXPECT_EQ(C("BtnRemoveSelf"), nullptr);
  h_.MouseMove(UIPoint{300, 25});
  h_.Click(C("B1"));
  EXPECT_EQ(Count(wnd_.notes, "click:B1"), 1);
}

TEST_F(NotifyTest, AsynchronousNotificationsWaitForTheEventLoop) {
  wnd_.GetManager().SendNotify(C("Lbl"), "custom", 5, 0, /*async=*/true);
  EXPECT_EQ(Count(wnd_.notes, "custom:Lbl"), 0);
  h_.ProcessEvents();
  EXPECT_EQ(Count(wnd_.notes, "custom:Lbl"), 1);
}

}  // namespace
}  // namespace zbe::test
