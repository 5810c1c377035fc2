#include "backup/AppMediaSplit.h"

#include <gtest/gtest.h>

namespace zbe {
namespace {

AppMediaItem Item(const std::string& app, const std::string& name) {
  return AppMediaItem{1000, app, name, "/b/" + name};
}

std::vector<std::string> Names(const std::vector<AppMediaItem>& items) {
  std::vector<std::string> names;
  for (const AppMediaItem& item : items) {
    names.push_back(item.name);
  }
  return names;
}

TEST(AppMediaSplit, SplitsByExtensionAndGroupsByApp) {
  std::vector<AppMediaItem> media = {
      Item("b.app", "a.JPG"),    Item("a.app", "clip.MOV"), Item("a.app", "b.PNG"),
      Item("a.app", "song.MP3"), Item("b.app", "odd.xyz"),  Item("a.app", "README"),
      Item("b.app", "tone.wav"), Item("a.app", "c.jpg"),
  };
  AppMediaGroups photos;
  AppMediaGroups videos;
  SplitAppMedia(media, &photos, &videos);
  ASSERT_EQ(photos.size(), 2u);
  EXPECT_EQ(Names(photos["a.app"]), (std::vector<std::string>{"b.PNG", "README", "c.jpg"}));
  EXPECT_EQ(Names(photos["b.app"]), (std::vector<std::string>{"a.JPG", "odd.xyz"}));
  ASSERT_EQ(videos.size(), 2u);
  EXPECT_EQ(Names(videos["a.app"]), (std::vector<std::string>{"clip.MOV", "song.MP3"}));
  EXPECT_EQ(Names(videos["b.app"]), (std::vector<std::string>{"tone.wav"}));
  EXPECT_EQ(CountItems(photos), 5u);
  EXPECT_EQ(CountItems(videos), 3u);

  AppMediaGroups onlyVideos;
  SplitAppMedia(media, nullptr, &onlyVideos);
  EXPECT_EQ(CountItems(onlyVideos), 3u);
}

}  // namespace
}  // namespace zbe
