// The layout builder: window settings, defaults and styles in attribute order, includes,
// virtual windows, the application's custom controls, and reporting of what it does not know.
#include <gtest/gtest.h>

#include "tests/ui/UITestSupport.h"
#include "ui/DialogBuilder.h"
#include "ui/EditUI.h"
#include "ui/LabelUI.h"

namespace zbe::test {
namespace {

class DialogBuilderTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(wnd_.Open()); }
  CPaintManagerUI& M() { return wnd_.GetManager(); }
  TestWindow wnd_{"xml\\test_builder.xml"};
  UITestHarness h_{wnd_};
};

TEST_F(DialogBuilderTest, WindowSettingsReachTheWindow) {
  EXPECT_EQ(M().GetInitSize(), (UISize{640, 480}));
  EXPECT_EQ(M().GetCaptionRect(), (UIRect{0, 0, 0, 40}));
  EXPECT_EQ(M().GetSizeBox(), (UIRect{5, 6, 7, 8}));
  EXPECT_EQ(M().GetRoundCorner(), (UISize{6, 6}));
  EXPECT_EQ(M().GetMinInfo(), (UISize{320, 240}));
  EXPECT_EQ(M().GetMaxInfo(), (UISize{1600, 1200}));
  EXPECT_EQ(wnd_.GetWindowRect().Width(), 640) << "the layout's size when none is given";
  EXPECT_EQ(M().GetFont(3).size, 20);
  EXPECT_TRUE(M().GetFont(3).bold);
  EXPECT_EQ(M().GetFont(77).size, 13) << "unknown font ids fall back to the default font";
}

TEST_F(DialogBuilderTest, DefaultsThenAttributesInTheirOrder) {
  auto* def = M().Find<CButtonUI>("BtnDefaulted");
  EXPECT_EQ(def->GetFixedHeight(), 40);
  EXPECT_EQ(def->GetTextColor(), 0xFF112233u);
  EXPECT_EQ(M().FindControl("BtnOwnHeight")->GetFixedHeight(), 20);
  auto* styled = M().Find<CEditUI>("EditStyled");
  EXPECT_EQ(styled->GetFixedWidth(), 333);
  EXPECT_EQ(styled->GetTextPadding(), (UIRect{10, 0, 10, 0}));
  EXPECT_EQ(styled->GetBorderColor(), 0xFF2563EBu);
  EXPECT_EQ(M().FindControl("EditStyledThenOwn")->GetFixedWidth(), 200);
  EXPECT_EQ(M().FindControl("EditOwnThenStyled")->GetFixedWidth(), 333)
      << "a style applies where it stands among the attributes";
}

TEST_F(DialogBuilderTest, IncludesNestAndResolveBesideTheIncludingFile) {
  ASSERT_NE(M().FindControl("LblPartA"), nullptr);
  auto* b = M().Find<CLabelUI>("LblPartB");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->GetTextColor(), 0xFF445566u) << "a style from the included window applies";
  EXPECT_EQ(b->GetParent(), M().FindControl("PartA"));
  // count="2": two rows named alike; both exist in the tree, the first answers by name.
  auto* root = M().Find<CContainerUI>("Root");
  int rows = 0;
  for (int i = 0; i < root->GetCount(); ++i)
    rows += root->GetItemAt(i)->GetName() == "LblRow";
  EXPECT_EQ(rows, 2);
  ASSERT_NE(M().FindControl("LblChild"), nullptr);
  EXPECT_EQ(M().FindControl("ChildRoot")->GetParent(), M().FindControl("Child"));
}

TEST_F(DialogBuilderTest, VirtualWindowGetsTheNotificationsOfItsControls) {
  RecordingPage page;
  ASSERT_TRUE(M().AddVirtualWnd("PageVtrWnd", &page));
  EXPECT_FALSE(M().AddVirtualWnd("PageVtrWnd", &page)) << "a name is taken once";
  EXPECT_EQ(M().FindControl("LblDeepInPage")->GetVirtualWnd(), "PageVtrWnd");
  wnd_.notes.clear();
  h_.Click(M().FindControl("BtnInPage"));
  h_.Click(M().FindControl("BtnOutside"));
  EXPECT_EQ(Count(page.notes, "click:BtnInPage"), 1);
  EXPECT_EQ(Count(page.notes, "setfocus:BtnInPage"), 1) << "every notification of the page";
  EXPECT_EQ(Count(page.notes, "click:BtnOutside"), 0);
  EXPECT_EQ(Count(wnd_.notes, "click:BtnInPage"), 0);
  EXPECT_EQ(Count(wnd_.notes, "click:BtnOutside"), 1);
  // Without the registration the window itself hears the page's controls.
  ASSERT_TRUE(M().RemoveVirtualWnd("PageVtrWnd"));
  h_.Click(M().FindControl("BtnInPage"));
  EXPECT_EQ(Count(wnd_.notes, "click:BtnInPage"), 1);
  EXPECT_EQ(Count(page.notes, "click:BtnInPage"), 1);
}

TEST_F(DialogBuilderTest, CustomControlsComeFromTheCallback) {
  EXPECT_EQ(wnd_.createdCustom,
            (std::vector<std::string>{"FileTree", "ButtonEx", "ButtonGif", "LabelEx"}));
  EXPECT_EQ(M().FindControl("CustomTree")->GetClass(), "FileTreeUI");
  EXPECT_EQ(M().FindControl("CustomButtonEx")->GetClass(), "ButtonExUI");
  EXPECT_EQ(M().FindControl("CustomButtonGif")->GetClass(), "ButtonGifUI");
  EXPECT_EQ(M().FindControl("CustomLabelEx")->GetClass(), "LabelExUI");
  EXPECT_NE(M().FindControl("CustomTree")->GetInterface("TreeView"), nullptr);
  // Attributes of the toolkit base reach a custom control.
  EXPECT_EQ(M().Find<CGifButtonUI>("CustomButtonGif")->GetGifFile(), "loading.gif");
}

TEST(DialogBuilder, WithoutTheCallbackCustomControlsAreSkipped) {
  ::testing::internal::CaptureStderr();
  TestWindow wnd("xml/test_builder.xml", /*customControls=*/false);
  ASSERT_TRUE(wnd.Open());
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(wnd.GetManager().FindControl("CustomTree"), nullptr);
  EXPECT_NE(wnd.GetManager().FindControl("BtnOutside"), nullptr) << "the rest is built";
}

TEST(DialogBuilder, UnknownAttributesAndElementsAreReportedOnce) {
  ::testing::internal::CaptureStderr();
  TestWindow first("xml/test_unknown.xml");
  ASSERT_TRUE(first.Open());
  TestWindow second("xml/test_unknown.xml");
  ASSERT_TRUE(second.Open());
  const std::string err = ::testing::internal::GetCapturedStderr();
  auto occurrences = [&](const std::string& what) {
    int n = 0;
    for (size_t at = err.find(what); at != std::string::npos; at = err.find(what, at + 1))
      ++n;
    return n;
  };
  EXPECT_EQ(occurrences("\"frobnicate_zbe\""), 1) << err;
  EXPECT_EQ(occurrences("<Gizmo_zbe>"), 1) << err;
  EXPECT_EQ(occurrences("\"colourscheme\""), 1) << err;
  EXPECT_EQ(occurrences("NoSuchStyle_zbe"), 1) << err;
  // Everything else of the layout is there.
  EXPECT_EQ(first.GetManager().FindControl("L2")->GetText(), "two");
  EXPECT_NE(first.GetManager().FindControl("L3"), nullptr);
  EXPECT_EQ(first.GetManager().FindControl("G1"), nullptr);
}

TEST(DialogBuilder, MalformedOrMissingLayoutsFailWithAReason) {
  CDialogBuilder builder;
  EXPECT_EQ(builder.CreateFromString("<Window><Label></Window>", nullptr, nullptr), nullptr);
  EXPECT_NE(builder.GetLastError().find("well-formed"), std::string::npos)
      << builder.GetLastError();
  EXPECT_EQ(builder.Create("xml/no_such_layout.xml", nullptr, nullptr), nullptr);
  EXPECT_NE(builder.GetLastError().find("87"), std::string::npos) << builder.GetLastError();
  EXPECT_EQ(builder.CreateFromString("<Window size=\"1,1\"/>", nullptr, nullptr), nullptr);
  EXPECT_FALSE(builder.GetLastError().empty());
  ::testing::internal::CaptureStderr();
  TestWindow wnd("xml/no_such_layout.xml");
  EXPECT_FALSE(wnd.Open());
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("no_such_layout"), std::string::npos);
}

TEST(DialogBuilder, IncludeCyclesStopInsteadOfRecursingForever) {
  ::testing::internal::CaptureStderr();
  TestWindow wnd("xml/test_cycle.xml");
  ASSERT_TRUE(wnd.Open());
  ::testing::internal::GetCapturedStderr();
  EXPECT_NE(wnd.GetManager().FindControl("CycleLabel"), nullptr);
  EXPECT_NE(wnd.GetManager().FindControl("CyclePart"), nullptr);
}

TEST(DialogBuilder, LayoutTextBuildsWithoutAWindow) {
  CDialogBuilder builder;
  auto root = builder.CreateFromString(
      "<HorizontalLayout name=\"H\"><Button name=\"B\" text=\"b\"/><Label/></HorizontalLayout>",
      nullptr, nullptr);
  ASSERT_NE(root, nullptr);
  auto* h = static_cast<CContainerUI*>(root->GetInterface("Container"));
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->GetCount(), 2);
  EXPECT_EQ(h->GetItemAt(0)->GetText(), "b");
  EXPECT_EQ(h->GetItemAt(0)->GetParent(), root.get());
}

}  // namespace
}  // namespace zbe::test
