#include "app/StartupSteps.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>

#include "app/SelfTest.h"
#include "support/RunProgram.h"
#include "tests/app/AppTestSupport.h"
#include "ui/ImageObject.h"
#include "ui/SingleInstance.h"

extern char** environ;

namespace zbe::test {
namespace {

TEST(ImageComponent, RegistersTheImageObjectThatDecodesForTheRichEdit) {
  ForgetImageObjects();
  TempFolder empty;
  EXPECT_EQ(RegisterImageComponent(empty.path() + "/"), ComponentResult::kNotLoadable);
  // A library without the registration entry.
  std::filesystem::copy_file("/lib/x86_64-linux-gnu/libz.so.1", empty / kImageComponentFile);
  EXPECT_EQ(RegisterImageComponent(empty.path() + "/"), ComponentResult::kNoEntry);
  EXPECT_EQ(RegisteredImageObject(kImageOleInterfaceId), "");
  UIImageData image;
  EXPECT_EQ(DecodeWithImageObject(kImageOleInterfaceId,
                                  std::string(ZBE_SOURCE_DIR) + "/skin/Controls.png", &image),
            38);

  ASSERT_EQ(RegisterImageComponent(ProgramFolder()), ComponentResult::kRegistered);
  EXPECT_EQ(std::filesystem::canonical(RegisteredImageObject(kImageOleInterfaceId)),
            std::filesystem::canonical(ProgramFolder() + kImageComponentFile));
  ASSERT_EQ(DecodeWithImageObject(kImageOleInterfaceId,
                                  std::string(ZBE_SOURCE_DIR) + "/skin/loading.gif", &image),
            0);
  EXPECT_EQ(image.width, 64);
  EXPECT_GT(image.frames.size(), 1u);  // an animation keeps its frames
  EXPECT_EQ(DecodeWithImageObject(kImageOleInterfaceId, empty / "missing.png", &image), 87);
  EXPECT_EQ(DecodeWithImageObject(kImageOleInterfaceId, ProgramFolder() + "config.ini", &image),
            22);
}

TEST(Startup, TheSkinHoldsEveryControlThePagesFind) {
  for (const SkinLayoutCheck& check : SkinLayoutChecks())
    EXPECT_TRUE(MissingSkinControls(check).empty())
        << check.file << ": " << MissingSkinControls(check).front();
}

TEST(Startup, TheProgramsSelfTestPasses) {
  ProgramResult result =
      RunProgram("zorvane-backup-extractor", {"--self-test"}, {{"QT_QPA_PLATFORM", "offscreen"}});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("ok"), std::string::npos);
}

TEST(Startup, ASecondLaunchShowsTheFirstInstancesWindow) {
  AppHome home;
  auto settings = MakeSettings(home);
  MainWindowFixture f(*settings);
  UISingleInstance first("Zorvane_Backup_Extractor_2020_For_Windows");
  ASSERT_TRUE(first.Acquire());
  int asked = 0;
  first.SetShowHandler([&] {
    ++asked;
    return f.window().ShowFromOtherLaunch();
  });
  f.window().Minimize();
  UIApplication::Instance()->ProcessEvents();

  // The real program, as a second launch in the same runtime folder.
  const std::string program = ProgramFolder() + "zorvane-backup-extractor";
  char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
  pid_t child = 0;
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ASSERT_EQ(posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ), 0);
  int status = -1;
  const bool ended = PumpUntil([&] { return waitpid(child, &status, WNOHANG) == child; }, 20000);
  if (!ended) {
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
  }
  ASSERT_TRUE(ended);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(f.window().IsMinimized());
  EXPECT_TRUE(f.window().IsWindowVisible());
}

}  // namespace
}  // namespace zbe::test
