// Windows: modal runs and their result codes, closing and refusing to close, the key filter,
// messages posted from other threads, the hit test of caption and size box, caption buttons,
// centring, and timers on the real clock.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "tests/ui/UITestSupport.h"

namespace zbe::test {
namespace {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(owner_.Open()); }
  TestWindow owner_{"xml/test_window.xml"};
};

TEST_F(WindowTest, ModalRunEndsWithTheCodeGivenToClose) {
  TestWindow popup("xml/test_window.xml");
  ASSERT_TRUE(popup.Open(UISize{320, 220}, &owner_, UIWindowKind::kPopup));
  EXPECT_EQ(popup.GetWindowRect().Width(), 320) << "the caller's size wins over the layout's";
  int rc = UITestHarness::RunModal(popup, [&] {
    EXPECT_TRUE(popup.IsWindowVisible());
    popup.Close(7);
  });
  EXPECT_EQ(rc, 7);
  EXPECT_TRUE(popup.IsClosed());
  EXPECT_TRUE(popup.finalMessage);
  EXPECT_EQ(popup.ShowModal(), 7) << "a closed window keeps its result";
}

TEST_F(WindowTest, CloseButtonEndsWithTwo) {
  TestWindow popup("xml/test_window.xml");
  ASSERT_TRUE(popup.Open(UISize{320, 220}, &owner_, UIWindowKind::kPopup));
  int rc = UITestHarness::RunModal(
      popup, [&] { UITestHarness(popup).Click(popup.GetManager().FindControl("closebtn")); });
  EXPECT_EQ(rc, 2);
}

TEST_F(WindowTest, OnCloseMayKeepTheWindowOpen) {
  TestWindow popup("xml/test_window.xml");
  ASSERT_TRUE(popup.Open(UISize{320, 220}, &owner_, UIWindowKind::kPopup));
  popup.allowClose = false;
  int rc = UITestHarness::RunModal(popup, [&] {
    popup.Close(1);
    popup.PostTask([&] {
      EXPECT_FALSE(popup.IsClosed());
      EXPECT_EQ(popup.closeRequests, 1);
      popup.allowClose = true;
      popup.Close(3);
    });
  });
  EXPECT_EQ(rc, 3);
  EXPECT_EQ(popup.closeRequests, 2);
}

TEST_F(WindowTest, KeyFilterSwallowsKeysBeforeTheControls) {
  UITestHarness h(owner_);
  h.Click(owner_.GetManager().FindControl("okbtn"));
  EXPECT_EQ(Count(owner_.notes, "click:okbtn"), 1);
  owner_.swallowKeys = {UIKey::kReturn, UIKey::kEscape};
  h.Key(UIKey::kReturn);
  h.Key(UIKey::kEscape);
  EXPECT_EQ(Count(owner_.notes, "click:okbtn"), 1);
  EXPECT_FALSE(owner_.IsClosed());
  h.Key(UIKey::kSpace);
  EXPECT_EQ(Count(owner_.notes, "click:okbtn"), 2) << "other keys pass";
}

TEST_F(WindowTest, MessagesFromOtherThreadsArriveInOrder) {
  constexpr int kCount = 2000;
  std::atomic<bool> go{false};
  std::vector<int> order;
  std::thread worker([&] {
    while (!go)
      std::this_thread::yield();
    UIPostTarget target = owner_.GetPostTarget();
    for (int i = 0; i < kCount; ++i) {
      if (i % 3 == 0) {
        target.PostTask([&order, i] { order.push_back(-i); });
      } else {
        ASSERT_TRUE(target.PostMessage(1027 + i % 10, static_cast<uintptr_t>(i)));
      }
    }
  });
  go = true;
  worker.join();
  UITestHarness(owner_).ProcessEvents();
  // Tasks and messages interleave exactly as they were posted.
  size_t m = 0, t = 0;
  for (int i = 0; i < kCount; ++i) {
    if (i % 3 == 0) {
      ASSERT_LT(t, order.size());
      EXPECT_EQ(order[t++], -i);
    } else {
      ASSERT_LT(m, owner_.messages.size());
      EXPECT_EQ(owner_.messages[m].first, static_cast<uint32_t>(1027 + i % 10));
      EXPECT_EQ(owner_.messages[m++].second, static_cast<uintptr_t>(i));
    }
  }
  EXPECT_EQ(m, owner_.messages.size());
  EXPECT_EQ(owner_.SendMessage(1030, 5), 1) << "SendMessage runs at once";
  EXPECT_EQ(owner_.messages.back(), (std::pair<uint32_t, uintptr_t>{1030, 5}));
}

TEST_F(WindowTest, PostingToAClosedOrDestroyedWindowIsRefused) {
  UIPostTarget target;
  {
    TestWindow popup("xml/test_window.xml");
    ASSERT_TRUE(popup.Open(UISize{320, 220}, &owner_, UIWindowKind::kPopup));
    target = popup.GetPostTarget();
    EXPECT_TRUE(target.IsAlive());
    UITestHarness::RunModal(popup, [&] { popup.Close(1); });
    EXPECT_FALSE(popup.PostMessage(1027));
    EXPECT_FALSE(target.IsAlive());
  }
  EXPECT_FALSE(target.PostMessage(1027));
  EXPECT_FALSE(target.PostTask([] { FAIL() << "must not run"; }));
  UITestHarness(owner_).ProcessEvents();
}

TEST_F(WindowTest, WorkersMayKeepPostingWhileTheWindowGoesAway) {
  std::atomic<bool> stop{false};
  std::atomic<int> refused{0};
  UIPostTarget target;
  std::thread worker;
  {
    TestWindow popup("xml/test_window.xml");
    ASSERT_TRUE(popup.Open(UISize{320, 220}, &owner_, UIWindowKind::kPopup));
    target = popup.GetPostTarget();
    worker = std::thread([&] {
      while (!stop) {
        if (!target.PostMessage(1027, 1)) ++refused;
      }
    });
    UITestHarness(popup).ProcessEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  // The window is gone; the worker's posts are refused, and nothing reaches a dead object.
  const int before = refused;
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  stop = true;
  worker.join();
  EXPECT_GT(refused.load(), before);
  UITestHarness(owner_).ProcessEvents();
}

TEST_F(WindowTest, HitTestMapsCaptionAndSizeBox) {
  EXPECT_EQ(owner_.DoHitTest(UIPoint{1, 1}), UIHitTest::kTopLeft);
  EXPECT_EQ(owner_.DoHitTest(UIPoint{250, 1}), UIHitTest::kTop);
  EXPECT_EQ(owner_.DoHitTest(UIPoint{498, 160}), UIHitTest::kRight);
  EXPECT_EQ(owner_.DoHitTest(UIPoint{499, 318}), UIHitTest::kBottomRight);
  EXPECT_EQ(owner_.DoHitTest(UIPoint{250, 20}), UIHitTest::kCaption) << "empty caption moves";
  EXPECT_EQ(owner_.DoHitTest(UIPoint{50, 20}), UIHitTest::kCaption) << "a label moves too";
  const UIRect close = owner_.GetManager().FindControl("closebtn")->GetPos();
  EXPECT_EQ(owner_.DoHitTest(close.Center()), UIHitTest::kClient) << "buttons keep clicks";
  EXPECT_EQ(owner_.DoHitTest(UIPoint{250, 200}), UIHitTest::kClient);
}

TEST_F(WindowTest, CaptionButtonsMaximiseAndRestore) {
  UITestHarness h(owner_);
  h.Click(owner_.GetManager().FindControl("maxbtn"));
  h.ProcessEvents();
  if (!owner_.IsMaximized())
    GTEST_SKIP() << "the platform keeps windows at their size";
  EXPECT_FALSE(owner_.GetManager().FindControl("maxbtn")->IsVisible());
  EXPECT_TRUE(owner_.GetManager().FindControl("restorebtn")->IsVisible());
  EXPECT_EQ(owner_.DoHitTest(UIPoint{1, 1}), UIHitTest::kCaption) << "no size box when maximised";
  h.Click(owner_.GetManager().FindControl("restorebtn"));
  h.ProcessEvents();
  EXPECT_FALSE(owner_.IsMaximized());
  EXPECT_TRUE(owner_.GetManager().FindControl("maxbtn")->IsVisible());
}

TEST_F(WindowTest, PopupCentresOnItsOwner) {
  owner_.MoveWindow(UIRect{100, 100, 600, 420});
  TestWindow popup("xml/test_window.xml");
  ASSERT_TRUE(popup.Open(UISize{300, 200}, &owner_, UIWindowKind::kPopup));
  popup.CenterWindow();
  const UIRect o = owner_.GetWindowRect();
  const UIRect p = popup.GetWindowRect();
  EXPECT_NEAR((p.left + p.right) / 2, (o.left + o.right) / 2, 2);
  EXPECT_NEAR((p.top + p.bottom) / 2, (o.top + o.bottom) / 2, 2);
}

TEST_F(WindowTest, ModalRunOfAStuckTestEndsAfterItsTimeout) {
  TestWindow popup("xml/test_window.xml");
  ASSERT_TRUE(popup.Open(UISize{320, 220}, &owner_, UIWindowKind::kPopup));
  EXPECT_EQ(UITestHarness::RunModal(popup, nullptr, 50), -2);
}

TEST_F(WindowTest, TimersRunOnTheRealClockToo) {
  UIApplication& app = *UIApplication::Instance();
  app.SetManualClock(false);
  CControlUI* title = owner_.GetManager().FindControl("Title");
  ASSERT_TRUE(title->SetTimer(1, 10));
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (Count(owner_.notes, "timer:Title") < 3 && std::chrono::steady_clock::now() < until) {
    app.ProcessEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  title->KillTimer(1);
  app.SetManualClock(true);
  EXPECT_GE(Count(owner_.notes, "timer:Title"), 3);
}

}  // namespace
}  // namespace zbe::test
