// What the toolkit offers programs beyond windows and controls: the single instance, image
// objects for the rich edit, the observer of modal runs and composed renderings of windows.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/ui/UITestSupport.h"
#include "ui/ImageObject.h"
#include "ui/RichEditUI.h"
#include "ui/SingleInstance.h"

namespace zbe::test {
namespace {

// Runs "ask" on another thread (the later launch's blocking call) while this thread serves.
UISingleInstance::Answer AskFromAnotherThread(UISingleInstance& later) {
  std::atomic<bool> done{false};
  UISingleInstance::Answer answer = UISingleInstance::Answer::kNoAnswer;
  std::thread asker([&] {
    answer = later.AskFirstToShow(5000);
    done = true;
  });
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done && std::chrono::steady_clock::now() < end) {
    UIApplication::Instance()->ProcessEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  asker.join();
  return answer;
}

TEST(SingleInstance, ALaterLaunchAsksTheFirstToShowItsWindow) {
  // A short folder: socket paths have a small limit.
  std::string runtime = "/tmp/zbe-si-XXXXXX";
  ASSERT_NE(mkdtemp(runtime.data()), nullptr);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  {
    UISingleInstance first("zbe_test_instance");
    ASSERT_TRUE(first.Acquire());
    EXPECT_EQ(first.SocketPath(), runtime + "/zbe_test_instance.sock");
    UISingleInstance later("zbe_test_instance");
    EXPECT_FALSE(later.Acquire());
    // No window yet: the first says so.
    EXPECT_EQ(AskFromAnotherThread(later), UISingleInstance::Answer::kNoWindow);
    int shown = 0;
    first.SetShowHandler([&] { return ++shown > 0; });
    EXPECT_EQ(AskFromAnotherThread(later), UISingleInstance::Answer::kShown);
    EXPECT_EQ(shown, 1);
  }
  // Once the first has gone, the next launch is the first again.
  UISingleInstance next("zbe_test_instance");
  EXPECT_TRUE(next.Acquire());
  UISingleInstance nobody("zbe_test_nobody");
  EXPECT_EQ(nobody.AskFirstToShow(200), UISingleInstance::Answer::kNoAnswer);
  unsetenv("XDG_RUNTIME_DIR");
  std::filesystem::remove_all(runtime);
}

TEST(ImageObject, TheRichEditInsertsThroughTheRegisteredObjectOnly) {
  ForgetImageObjects();
  TestWindow w("xml/gallery.xml");
  ASSERT_TRUE(w.Open());
  auto* edit = w.GetManager().Find<CRichEditUI>("PreviewEdit");
  ASSERT_NE(edit, nullptr);
  const std::string picture = std::string(ZBE_SOURCE_DIR) + "/skin/optionOn.png";
  EXPECT_EQ(edit->InsertImageObject(kImageOleInterfaceId, picture), 38);
  EXPECT_EQ(ZbeRegisterImageObject(nullptr, "x"), 22);
  EXPECT_EQ(ZbeRegisterImageObject(kImageOleInterfaceId, "/no/such/library.so"), 0);
  EXPECT_EQ(RegisteredImageObject(kImageOleInterfaceId), "/no/such/library.so");
  EXPECT_EQ(edit->InsertImageObject(kImageOleInterfaceId, picture), 38);
  EXPECT_EQ(edit->GetImageCount(), 0);
  // The application's image component, when it has been built.
  const std::string component = std::string(ZBE_BIN_DIR) + "/libImageOleCtrl.so";
  if (std::filesystem::exists(component)) {
    ASSERT_EQ(ZbeRegisterImageObject(kImageOleInterfaceId, component.c_str()), 0);
    EXPECT_EQ(edit->InsertImageObject(kImageOleInterfaceId, picture), 0);
    EXPECT_EQ(edit->GetImageCount(), 1);
  }
  ForgetImageObjects();
}

TEST(ModalObserver, SeesEveryModalRunAndRendersPopUpsOverTheirOwner) {
  TestWindow owner("xml/test_window.xml");
  ASSERT_TRUE(owner.Open());
  TestWindow popup("xml/test_window.xml");
  ASSERT_TRUE(popup.Open(UISize{300, 200}, &owner, UIWindowKind::kPopup));
  popup.CenterWindow();
  std::vector<std::string> seen;
  const std::string shot = MakeTempDir("shot") + "/composed.png";
  UIApplication::Instance()->SetModalObserver([&](CWindowWnd& w) {
    seen.push_back(w.GetTitle());
    EXPECT_TRUE(UITestHarness::RenderWindowsToPng({&owner, &w}, shot));
    w.Close(4);
  });
  EXPECT_EQ(popup.ShowModal(), 4);
  UIApplication::Instance()->SetModalObserver({});
  EXPECT_EQ(seen, (std::vector<std::string>{"Test window"}));
  // The pop-up lies within its owner here: the owner's size; the pop-up's white face where it
  // lies, over the owner.
  const UIRect o = owner.GetWindowRect();
  const UIRect p = popup.GetWindowRect();
  EXPECT_EQ(PixelAt(shot, o.Width() - 1, o.Height() / 2) >> 24, 0xFFu);
  const UIPoint inPopup{p.left - o.left + 150, p.top - o.top + 190};
  EXPECT_EQ(PixelAt(shot, inPopup.x, inPopup.y), 0xFFFFFFFFu);
}

TEST(Application, AQuitOutsideTheLoopWaitsForRunAndLeavesModalRunsAlone) {
  UIApplication::Instance()->Quit(5);
  TestWindow popup("xml/test_window.xml");
  ASSERT_TRUE(popup.Open(UISize{300, 200}, nullptr, UIWindowKind::kPopup));
  EXPECT_EQ(UITestHarness::RunModal(popup, [&] { popup.Close(3); }), 3);
  EXPECT_EQ(UIApplication::Instance()->Run(), 5);
}

}  // namespace
}  // namespace zbe::test
