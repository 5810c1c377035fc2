#include <gtest/gtest.h>

#include <sys/stat.h>

#include "support/RunProgram.h"
#include "support/TestFiles.h"
#include "tools/players/PlayerCommand.h"
#include "tools/players/ProgressTracker.h"

namespace zbe::players {
namespace {

using test::ProgramResult;
using test::ReadFile;
using test::RunProgram;
using test::TempFolder;
using test::WriteFile;

// A folder standing in for PATH, with fake players that record their arguments.
struct FakeBin {
  TempFolder folder;
  void Add(const std::string& name, const std::string& script) {
    const std::string path = folder / name;
    WriteFile(path, "#!/bin/sh\n" + script);
    chmod(path.c_str(), 0755);
  }
  std::string Log() const { return ReadFile(LogPath()); }
  std::string LogPath() const { return folder / "log"; }
};

TEST(PlayerCommand, ReadsTheApplicationsCommandLine) {
  std::string error;
  auto r = ParseVideoRequest({"-aspect", "16:9", "-vo", "direct3d", "-lavdopts", "threads=4",
                              "-geometry", "845:260", "-x", "326", "-y", "189", "/w/tmp.avi"},
                             error);
  ASSERT_TRUE(r) << error;
  EXPECT_EQ(r->file, "/w/tmp.avi");
  EXPECT_EQ(r->left, 845);
  EXPECT_EQ(r->top, 260);
  EXPECT_EQ(r->width, 326);
  EXPECT_EQ(r->height, 189);
  EXPECT_EQ(r->threads, 4);
  auto mpv = PlayerArguments(PlayerKind::kMpv, "/usr/bin/mpv", *r);
  EXPECT_NE(std::find(mpv.begin(), mpv.end(), "--geometry=326x189+845+260"), mpv.end());
  EXPECT_EQ(mpv.back(), "/w/tmp.avi");
  auto ff = PlayerArguments(PlayerKind::kFfplay, "/usr/bin/ffplay", r.value());
  EXPECT_NE(std::find(ff.begin(), ff.end(), "-autoexit"), ff.end());

  EXPECT_FALSE(ParseVideoRequest({"-x", "326"}, error));
  EXPECT_EQ(error, "no file to play");
  EXPECT_FALSE(ParseVideoRequest({"-geometry", "845", "a.avi"}, error));
  EXPECT_FALSE(ParseVideoRequest({"a.avi", "-y"}, error));
  EXPECT_FALSE(ParseVideoRequest({"--fullscreen", "a.avi"}, error));
  // "-" names a file, which the player must not take for its standard input.
  auto dash = ParseVideoRequest({"-"}, error);
  ASSERT_TRUE(dash);
  EXPECT_EQ(PlayerArguments(PlayerKind::kFfplay, "ffplay", *dash).back(), "./-");
}

TEST(ProgressTracker, TurnsFfplayPositionsIntoPercent) {
  ProgressTracker t;
  t.SetName("tmp.avi");
  EXPECT_FALSE(t.Feed("Input #0, avi, from 'tmp.avi':\n  Duration: 00:00:10.00, start: 0"));
  EXPECT_FALSE(t.Feed(".000000, bitrate: 100 kb/s\n"));
  EXPECT_EQ(t.Feed("   0.04 A-V:  0.000 fd=   0 aq=    0KB vq=    0KB sq=    0B \r"),
            "Playing tmp.avi: 0%");
  EXPECT_FALSE(t.Feed("   0.08 A-V:  0.000 \r"));  // still 0%
  // Split anywhere; only the newest position of one chunk is told.
  EXPECT_FALSE(t.Feed("   2.5"));
  EXPECT_EQ(t.Feed("0 A-V: 0.0 \r   5.00 M-V: 0.0 \r"), "Playing tmp.avi: 50%");
  ProgressTracker unknown;  // no duration: the start still counts as playing
  EXPECT_EQ(unknown.Feed("nan M-A: nan\r   1.00 M-A: 0.0\r"), "Playing : 0%");
}

TEST(Player, PlaysWithMpvWhenPresentAndElseWithFfplay) {
  TempFolder media;
  const std::string file = media / "tmp.avi";
  WriteFile(file, "RIFF....AVI LIST");
  FakeBin bin;
  bin.Add("ffplay", "echo \"ffplay $*\" >> " + bin.LogPath() +
                        "\n"
                        "printf '  Duration: 00:00:04.00, start: 0\\n   1.00 A-V: 0.0 \\r   4.00 "
                        "A-V: 0.0 \\r'\n");
  ProgramResult ff = RunProgram("Player", {"-geometry", "845:260", "-x", "326", "-y", "189", file},
                                {{"PATH", bin.folder.path()}});
  EXPECT_EQ(ff.status, 0) << ff.err;
  // The player's own output passes through, with the position in percent after it.
  EXPECT_NE(ff.out.find("Duration: 00:00:04.00"), std::string::npos) << ff.out;
  EXPECT_NE(ff.out.find("Playing tmp.avi: 100%\n"), std::string::npos) << ff.out;
  EXPECT_NE(bin.Log().find("-x 326 -y 189 -left 845 -top 260 " + file), std::string::npos)
      << bin.Log();

  bin.Add("mpv", "echo \"mpv $*\" >> " + bin.LogPath() +
                     "\n"
                     "echo 'Playing tmp.avi: 0%'\nexit 4\n");
  ProgramResult mpv = RunProgram("Player", {"-aspect", "16:9", "-vo", "direct3d", file},
                                 {{"PATH", bin.folder.path()}});
  EXPECT_EQ(mpv.status, 4);  // the player's own status
  EXPECT_EQ(mpv.out, "Playing tmp.avi: 0%\n");
  EXPECT_NE(bin.Log().find("mpv --no-input-terminal"), std::string::npos);
}

TEST(Player, ExplainsWhyItCannotPlay) {
  TempFolder media;
  const std::string file = media / "tmp.avi";
  WriteFile(file, "x");
  FakeBin empty;
  ProgramResult none = RunProgram("Player", {file}, {{"PATH", empty.folder.path()}});
  EXPECT_EQ(none.status, 3);
  EXPECT_EQ(none.out.find('%'), std::string::npos);
  EXPECT_NE(none.err.find("install mpv or ffplay"), std::string::npos) << none.err;
  ProgramResult missing =
      RunProgram("Player", {media / "gone.avi"}, {{"PATH", empty.folder.path()}});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("cannot read"), std::string::npos);
  EXPECT_EQ(RunProgram("Player", {}).status, 64);
}

TEST(Player1, HandsTheFileToTheDesktop) {
  TempFolder media;
  const std::string file = media / "tmp.wav";
  WriteFile(file, "RIFF....WAVEfmt ");
  FakeBin bin;
  bin.Add("xdg-open", "echo \"$@\" > " + bin.LogPath() + "\n");
  ProgramResult ok = RunProgram("Player1", {file}, {{"PATH", bin.folder.path()}});
  EXPECT_EQ(ok.status, 0) << ok.err;
  EXPECT_EQ(bin.Log(), file + "\n");
  FakeBin empty;
  ProgramResult none = RunProgram("Player1", {file}, {{"PATH", empty.folder.path()}});
  EXPECT_EQ(none.status, 3);
  EXPECT_NE(none.err.find("xdg-open"), std::string::npos);
}

}  // namespace
}  // namespace zbe::players
