#include "tests/ui/UITestSupport.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ui/ImageDecoder.h"
#include "ui/RenderUI.h"

namespace zbe::test {
namespace {

UITestServices* g_services = nullptr;  // owned by the application below

// Every temporary folder of this test process lies below this one.
std::filesystem::path ProcessTempRoot() {
  return std::filesystem::temp_directory_path() / ("zbe-ui-tests-" + std::to_string(getpid()));
}

// Starts the toolkit before the first test and stops it after the last.
class UIEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    app_ = UITestHarness::StartApplication(&g_services);
    ASSERT_EQ(app_->SetResourceZip(ZbeUiTestSkin()), 0);
    // A program folder without a "Skins" folder, so the embedded archive is what tests read.
    app_->SetProgramFolder(MakeTempDir("program"));
  }
  void TearDown() override {
    app_.reset();
    g_services = nullptr;
    std::error_code ignored;
    std::filesystem::remove_all(ProcessTempRoot(), ignored);
  }

 private:
  std::unique_ptr<UIApplication> app_;
};

const ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(std::make_unique<UIEnvironment>().release());

}  // namespace

UITestServices& Services() {
  return *g_services;
}

std::string MakeTempDir(const std::string& name) {
  namespace fs = std::filesystem;
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string test = info ? std::string(info->test_suite_name()) + "." + info->name() : "global";
  fs::path dir = ProcessTempRoot() / test / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir.string();
}

std::string ShotsDir() {
  std::filesystem::create_directories(ZBE_UI_SHOTS_DIR);
  return ZBE_UI_SHOTS_DIR;
}

void CLabelExUI::PaintText(CRenderUI& render) {
  // Its own painting: the text inside the padding, wrapped, in the label's colour.
  const UIRect r = GetPos().Deflate(GetTextPadding());
  render.DrawText(r, GetText(), GetTextColor(), GetFont(), GetTextStyle());
}

std::unique_ptr<CControlUI> CreateCustomControl(const std::string& className) {
  if (className == "FileTree")
    return std::make_unique<CFileTreeUI>();
  if (className == "ButtonEx")
    return std::make_unique<CButtonExUI>();
  if (className == "ButtonGif")
    return std::make_unique<CButtonGifUI>();
  if (className == "LabelEx")
    return std::make_unique<CLabelExUI>();
  return nullptr;
}

bool TestWindow::Open(UISize size, CWindowWnd* owner, UIWindowKind kind) {
  if (!Create(owner, "Test window", kind, UIRect{0, 0, size.cx, size.cy}))
    return false;
  UITestHarness(*this).Layout();
  return true;
}

void TestWindow::Notify(TNotifyUI& msg) {
  notes.push_back(msg.sType + ":" + (msg.pSender ? msg.pSender->GetName() : std::string()));
  notifications.push_back(msg);
  if (onNotify)
    onNotify(msg);
  WindowImplBase::Notify(msg);
}

std::unique_ptr<CControlUI> TestWindow::CreateControl(const std::string& className) {
  if (!custom_)
    return nullptr;
  auto c = CreateCustomControl(className);
  if (c)
    createdCustom.push_back(className);
  return c;
}

intptr_t TestWindow::HandleMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam, bool& handled) {
  if (msg >= UIMsg::kUser) {
    messages.emplace_back(msg, wParam);
    handled = true;
    return 1;
  }
  return WindowImplBase::HandleMessage(msg, wParam, lParam, handled);
}

bool TestWindow::PreTranslateKey(uint32_t key, uint32_t /*mods*/) {
  return std::find(swallowKeys.begin(), swallowKeys.end(), key) != swallowKeys.end();
}

bool TestWindow::OnClose(int /*code*/) {
  ++closeRequests;
  return allowClose;
}

int Count(const std::vector<std::string>& notes, const std::string& note) {
  return static_cast<int>(std::count(notes.begin(), notes.end(), note));
}

uint32_t PixelAt(const std::string& path, int x, int y) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  UIImageData img;
  if (DecodeImage(bytes, &img) != 0 || x < 0 || y < 0 || x >= img.width || y >= img.height)
    return 0;
  const uint8_t* p = img.frames[0].data() + (static_cast<size_t>(y) * img.width + x) * 4;
  return (uint32_t{p[3]} << 24) | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
}

int CountPixels(const std::string& path, const UIRect& rc,
                const std::function<bool(uint32_t)>& match) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  UIImageData img;
  if (DecodeImage(bytes, &img) != 0)
    return -1;
  int n = 0;
  for (int y = std::max(0, rc.top); y < std::min(img.height, rc.bottom); ++y) {
    for (int x = std::max(0, rc.left); x < std::min(img.width, rc.right); ++x) {
      const uint8_t* p = img.frames[0].data() + (static_cast<size_t>(y) * img.width + x) * 4;
      const uint32_t c =
          (uint32_t{p[3]} << 24) | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
      n += match(c) ? 1 : 0;
    }
  }
  return n;
}

std::vector<uint8_t> TwoFrameGif(uint8_t d1, uint8_t d2) {
  std::vector<uint8_t> g = {
      'G',  'I', 'F', '8',  '9',  'a',  1,    0,    1,   0,
      0x80, 0,   0,   0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00};  // palette: white, black
  for (int frame = 0; frame < 2; ++frame) {
    const uint8_t delay = frame == 0 ? d1 : d2;
    const uint8_t index = frame == 0 ? 0 : 1;
    g.insert(g.end(), {0x21, 0xF9, 0x04, 0x00, delay, 0x00, 0x00, 0x00});
    g.insert(g.end(), {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x00});
    // LZW with code size 2: clear (4), the pixel, end (5), as 3-bit codes.
    const uint8_t b0 = static_cast<uint8_t>(0x04 | (index << 3) | (0x05 << 6));
    g.insert(g.end(), {0x02, 0x02, b0, 0x01, 0x00});
  }
  g.push_back(0x3B);
  return g;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace zbe::test
