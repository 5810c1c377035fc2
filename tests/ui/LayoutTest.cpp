// The layout engine: fixed and flexible sizes, limits, padding, inset, child padding,
// alignment, floating controls, visibility, tabs and scrolling.
#include <gtest/gtest.h>

#include "tests/ui/UITestSupport.h"
#include "ui/DialogBuilder.h"
#include "ui/LayoutsUI.h"
#include "ui/ScrollBarUI.h"

namespace zbe::test {
namespace {

// A window of a given size showing layout text.
class LayoutTest : public ::testing::Test {
 protected:
  void Show(const std::string& xml, UISize size = {400, 300}) {
    ASSERT_TRUE(wnd_.Open(size));
    CDialogBuilder builder;
    auto root = builder.CreateFromString(xml, nullptr, &wnd_.GetManager());
    ASSERT_NE(root, nullptr) << builder.GetLastError();
    wnd_.GetManager().AttachDialog(std::move(root));
    h_.Layout();
  }
  UIRect Pos(const std::string& name) {
    h_.Layout();
    CControlUI* c = wnd_.GetManager().FindControl(name);
    EXPECT_NE(c, nullptr) << name;
    return c ? c->GetPos() : UIRect{};
  }
  TestWindow wnd_{"xml/test_empty.xml"};
  UITestHarness h_{wnd_};
};

TEST(DistributeLengths, SharesEquallyAndHonoursLimits) {
  int fixed[] = {50, 0, 0, 30};
  int mins[] = {0, 0, 0, 0};
  int maxs[] = {9999, 9999, 9999, 9999};
  int out[4] = {};
  DistributeLengths(4, fixed, mins, maxs, 221, out);
  EXPECT_EQ(out[0], 50);
  EXPECT_EQ(out[1], 110);
  EXPECT_EQ(out[2], 111) << "the last flexible one takes the remainder";
  EXPECT_EQ(out[3], 30);
  int fixed2[] = {0, 0, 0};
  int mins2[] = {0, 80, 0};
  int maxs2[] = {20, 9999, 9999};
  DistributeLengths(3, fixed2, mins2, maxs2, 150, out);
  EXPECT_EQ(out[0], 20) << "pinned at its max";
  EXPECT_EQ(out[1], 80) << "pinned at its min";
  EXPECT_EQ(out[2], 50);
}

TEST_F(LayoutTest, ColumnGivesFixedSizesAndSharesTheRest) {
  Show(R"(<VerticalLayout childpadding="10">
            <Control name="A" height="50"/>
            <Control name="B"/>
            <Control name="C"/>
            <Control name="D" height="30"/>
          </VerticalLayout>)");
  EXPECT_EQ(Pos("A"), (UIRect{0, 0, 400, 50}));
  EXPECT_EQ(Pos("B"), (UIRect{0, 60, 400, 155}));
  EXPECT_EQ(Pos("C"), (UIRect{0, 165, 400, 260}));
  EXPECT_EQ(Pos("D"), (UIRect{0, 270, 400, 300}));
}

TEST_F(LayoutTest, PaddingInsetAndLimits) {
  Show(R"(<VerticalLayout inset="10,20,30,40">
            <Control name="A" padding="5,6,7,8" height="50"/>
            <Control name="B" maxheight="40"/>
            <Control name="C" minheight="10" width="100"/>
          </VerticalLayout>)");
  EXPECT_EQ(Pos("A"), (UIRect{15, 26, 363, 76}));
  EXPECT_EQ(Pos("B"), (UIRect{10, 84, 370, 124}));
  EXPECT_EQ(Pos("C"), (UIRect{10, 124, 110, 260})) << "takes what B's max leaves";
}

TEST_F(LayoutTest, RowAlignsAcrossAndPositionFixesTheSize) {
  Show(R"(<HorizontalLayout childvalign="vcenter" childpadding="4">
            <Control name="A" width="100" height="40"/>
            <Control name="B"/>
            <Control name="C" pos="0,0,60,20"/>
          </HorizontalLayout>)");
  EXPECT_EQ(Pos("A"), (UIRect{0, 130, 100, 170}));
  EXPECT_EQ(Pos("B"), (UIRect{104, 0, 336, 300}));
  EXPECT_EQ(Pos("C"), (UIRect{340, 140, 400, 160}));
}

TEST_F(LayoutTest, FloatingControlsSitAtTheirPositionOutsideTheFlow) {
  Show(R"(<VerticalLayout inset="8,8,8,8">
            <Control name="A"/>
            <Control name="F" float="true" pos="10,20,110,70"/>
            <Control name="B"/>
          </VerticalLayout>)");
  EXPECT_EQ(Pos("F"), (UIRect{10, 20, 110, 70}));
  EXPECT_EQ(Pos("A"), (UIRect{8, 8, 392, 150}));
  EXPECT_EQ(Pos("B"), (UIRect{8, 150, 392, 292}));
  EXPECT_EQ(wnd_.GetManager().FindControl(UIPoint{50, 40}), wnd_.GetManager().FindControl("F"))
      << "a floating control lies on top";
}

TEST_F(LayoutTest, HidingAControlGivesItsSpaceAway) {
  Show(R"(<VerticalLayout>
            <Control name="A"/>
            <Control name="B"/>
          </VerticalLayout>)");
  EXPECT_EQ(Pos("A").Height(), 150);
  CControlUI* b = wnd_.GetManager().FindControl("B");
  b->SetVisible(false);
  EXPECT_EQ(Pos("A").Height(), 300);
  EXPECT_NE(wnd_.GetManager().FindControl(UIPoint{10, 250}), b);
  b->SetVisible(true);
  EXPECT_EQ(Pos("A").Height(), 150);
}

TEST_F(LayoutTest, HiddenContainerHidesItsChildren) {
  Show(R"(<VerticalLayout>
            <VerticalLayout name="Box"><Button name="Inner" height="30"/></VerticalLayout>
          </VerticalLayout>)");
  CControlUI* inner = wnd_.GetManager().FindControl("Inner");
  EXPECT_TRUE(inner->IsVisible());
  wnd_.GetManager().FindControl("Box")->SetVisible(false);
  EXPECT_FALSE(inner->IsVisible());
  EXPECT_TRUE(inner->IsOwnVisible());
  wnd_.GetManager().FindControl("Box")->SetVisible(true);
  EXPECT_TRUE(inner->IsVisible());
}

TEST_F(LayoutTest, TabShowsOneItemAndNotifies) {
  Show(R"(<TabLayout name="Tabs" selectedid="1">
            <Control name="P0"/><Control name="P1"/><Control name="P2"/>
          </TabLayout>)");
  auto* tabs = wnd_.GetManager().Find<CTabLayoutUI>("Tabs");
  EXPECT_EQ(tabs->GetCurSel(), 1);
  EXPECT_FALSE(wnd_.GetManager().FindControl("P0")->IsVisible());
  EXPECT_TRUE(wnd_.GetManager().FindControl("P1")->IsVisible());
  EXPECT_EQ(Pos("P1"), (UIRect{0, 0, 400, 300}));
  EXPECT_TRUE(tabs->SelectItem(2));
  EXPECT_FALSE(tabs->SelectItem(3));
  EXPECT_TRUE(wnd_.GetManager().FindControl("P2")->IsVisible());
  EXPECT_FALSE(wnd_.GetManager().FindControl("P1")->IsVisible());
  EXPECT_EQ(Count(wnd_.notes, "tabselect:Tabs"), 1);
}

TEST_F(LayoutTest, MouseStopsAtAContainerThatKeepsItFromItsChildren) {
  Show(
      R"(<VerticalLayout name="Page" mousechild="false"><Button name="B" height="40"/></VerticalLayout>)");
  h_.Click(wnd_.GetManager().FindControl("B"));
  EXPECT_EQ(Count(wnd_.notes, "click:B"), 0);
  wnd_.GetManager().Find<CContainerUI>("Page")->SetMouseChildEnabled(true);
  h_.Click(wnd_.GetManager().FindControl("B"));
  EXPECT_EQ(Count(wnd_.notes, "click:B"), 1);
}

TEST_F(LayoutTest, OverflowingColumnScrolls) {
  Show(R"(<VerticalLayout name="List" vscrollbar="true" vscrollbarstyle="thickness=&quot;12&quot;">
            <Control name="A" height="200"/><Control name="B" height="200"/><Control name="C" height="200"/>
          </VerticalLayout>)");
  auto* list = wnd_.GetManager().Find<CContainerUI>("List");
  ASSERT_NE(list->GetVerticalScrollBar(), nullptr);
  EXPECT_TRUE(list->GetVerticalScrollBar()->IsVisible());
  EXPECT_EQ(list->GetScrollRange().cy, 300);
  EXPECT_EQ(Pos("A"), (UIRect{0, 0, 388, 200})) << "the bar takes its width";
  list->SetScrollPos(UISize{0, 120});
  EXPECT_EQ(Pos("B"), (UIRect{0, 80, 388, 280}));
  h_.Wheel(wnd_.GetManager().FindControl("B"), -1);
  EXPECT_GT(list->GetScrollPos().cy, 120);
  list->SetScrollPos(UISize{0, 10000});
  EXPECT_EQ(list->GetScrollPos().cy, 300) << "clamped to the range";
  wnd_.GetManager().FindControl("C")->SetVisible(false);
  h_.Layout();
  EXPECT_EQ(list->GetScrollRange().cy, 100);
}

TEST_F(LayoutTest, LabelGrowsToItsWrappedText) {
  Show(R"(<VerticalLayout>
            <Label name="L" width="120" autocalcheight="true" wordbreak="true" text="short"/>
            <Control name="After"/>
          </VerticalLayout>)");
  const int oneLine = Pos("L").Height();
  EXPECT_GT(oneLine, 10);
  wnd_.GetManager().FindControl("L")->SetText(
      "a much longer text that needs several lines at this narrow width");
  const int many = Pos("L").Height();
  EXPECT_GE(many, 3 * oneLine);
  EXPECT_EQ(Pos("After").top, Pos("L").bottom);
}

}  // namespace
}  // namespace zbe::test
