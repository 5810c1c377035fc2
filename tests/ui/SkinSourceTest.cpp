// Reading the skin: the zip archive from memory, loose files in a folder, and the "Skins/"
// folder beside the program taking the archive's place.
#include <gtest/gtest.h>
#include <zip.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/ui/UITestSupport.h"
#include "ui/SkinSource.h"

namespace zbe::test {
namespace {

std::vector<unsigned char> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// Writes a zip holding "files" (name, content); "stored" skips compression.
std::vector<unsigned char> MakeZip(const std::vector<std::pair<std::string, std::string>>& files,
                                   bool stored = false) {
  const std::string path = MakeTempDir("zip") + "/skin.zip";
  zipFile zf = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  EXPECT_NE(zf, nullptr);
  for (const auto& [name, content] : files) {
    zip_fileinfo info{};
    EXPECT_EQ(zipOpenNewFileInZip(zf, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                  stored ? 0 : Z_DEFLATED, stored ? 0 : Z_DEFAULT_COMPRESSION),
              ZIP_OK);
    EXPECT_EQ(zipWriteInFileInZip(zf, content.data(), static_cast<unsigned>(content.size())),
              ZIP_OK);
    EXPECT_EQ(zipCloseFileInZip(zf), ZIP_OK);
  }
  EXPECT_EQ(zipClose(zf, nullptr), ZIP_OK);
  return ReadAll(path);
}

std::string AsText(const std::vector<uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

TEST(SkinSource, ZipReadsFromMemoryWithBackslashesAndAnyCase) {
  auto zip = MakeZip({{"xml/skin.xml", "<Window/>"}, {"Controls.png", std::string(5000, 'x')}});
  int32_t rc = -1;
  auto source = OpenSkinZip(zip, &rc);
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(rc, 0);
  std::vector<uint8_t> out;
  EXPECT_EQ(source->ReadFile("xml\\skin.xml", &out), 0);
  EXPECT_EQ(AsText(out), "<Window/>");
  EXPECT_EQ(source->ReadFile("XML/Skin.XML", &out), 0);
  EXPECT_EQ(source->ReadFile("controls.png", &out), 0);
  EXPECT_EQ(out.size(), 5000u);
  EXPECT_EQ(source->ReadFile("xml/missing.xml", &out), 87);
  EXPECT_EQ(source->ReadFile("", &out), 87);
}

TEST(SkinSource, ZipRefusesBytesThatAreNoArchive) {
  std::vector<unsigned char> junk(300, 0x42);
  int32_t rc = 0;
  EXPECT_EQ(OpenSkinZip(junk, &rc), nullptr);
  EXPECT_EQ(rc, 22);
  EXPECT_EQ(OpenSkinZip({}, &rc), nullptr);
  EXPECT_EQ(rc, 22);
}

TEST(SkinSource, DamagedMemberIsAnErrorNotWrongData) {
  const std::string content = "layout text that will be damaged inside the archive";
  auto zip = MakeZip({{"xml/a.xml", content}}, /*stored=*/true);
  // Flip a byte of the stored content: the CRC no longer matches.
  auto it = std::search(zip.begin(), zip.end(), content.begin(), content.end());
  ASSERT_NE(it, zip.end());
  *(it + 5) ^= 0x20;
  int32_t rc = -1;
  auto source = OpenSkinZip(zip, &rc);
  ASSERT_NE(source, nullptr);
  std::vector<uint8_t> out;
  EXPECT_EQ(source->ReadFile("xml/a.xml", &out), 5);
  EXPECT_TRUE(out.empty());
}

TEST(SkinSource, FolderMatchesNamesWithoutCaseAndStaysInside) {
  const std::string dir = MakeTempDir("skin");
  WriteFile(dir + "/XML/Page.xml", "<Page/>");
  WriteFile(dir + "/../secret.txt", "outside");
  auto source = OpenSkinFolder(dir);
  std::vector<uint8_t> out;
  EXPECT_EQ(source->ReadFile("xml\\page.XML", &out), 0);
  EXPECT_EQ(AsText(out), "<Page/>");
  EXPECT_EQ(source->ReadFile("../secret.txt", &out), 87);
  EXPECT_EQ(source->ReadFile("xml/other.xml", &out), 87);
}

TEST(SkinSource, SkinsFolderBesideTheProgramReplacesTheArchive) {
  UIApplication& app = *UIApplication::Instance();
  const std::string saved = app.GetProgramFolder();
  const std::string program = MakeTempDir("program");
  app.SetProgramFolder(program);
  std::vector<uint8_t> out;
  EXPECT_FALSE(app.IsUsingSkinFolder());
  EXPECT_EQ(app.ReadSkinFile("xml/gallery.xml", &out), 0) << "from the embedded archive";
  EXPECT_EQ(app.ReadSkinFile("xml/override.xml", &out), 87);

  WriteFile(program + "/Skins/xml/override.xml",
            "<Window><Label name=\"FromFolder\" text=\"folder\"/></Window>");
  EXPECT_TRUE(app.IsUsingSkinFolder());
  EXPECT_EQ(app.ReadSkinFile("xml\\override.xml", &out), 0);
  EXPECT_EQ(app.ReadSkinFile("xml/gallery.xml", &out), 87) << "the folder is read instead";
  TestWindow wnd("xml/override.xml");
  ASSERT_TRUE(wnd.Open(UISize{200, 100}));
  EXPECT_NE(wnd.GetManager().FindControl("FromFolder"), nullptr);

  std::filesystem::remove_all(program + "/Skins");
  app.ClearCaches();
  EXPECT_FALSE(app.IsUsingSkinFolder());
  EXPECT_EQ(app.ReadSkinFile("xml/gallery.xml", &out), 0);
  app.SetProgramFolder(saved);
}

}  // namespace
}  // namespace zbe::test
