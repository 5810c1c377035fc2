// The edit control: typing, the character limit, password mode, selection, read-only mode and
// its notifications, driven through the same key and mouse events a user produces.
#include <gtest/gtest.h>

#include "tests/ui/UITestSupport.h"
#include "ui/EditUI.h"

namespace zbe::test {
namespace {

class EditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wnd_.Open());
    edit_ = wnd_.GetManager().Find<CEditUI>("EditA");
    ASSERT_NE(edit_, nullptr);
    h_.Click(edit_);
  }
  TestWindow wnd_{"xml/test_edit.xml"};
  UITestHarness h_{wnd_};
  CEditUI* edit_ = nullptr;
};

TEST_F(EditTest, TypedTextArrivesAndNotifiesEachChange) {
  EXPECT_TRUE(edit_->IsFocused());
  h_.TypeText("Hello");
  EXPECT_EQ(edit_->GetText(), "Hello");
  EXPECT_EQ(Count(wnd_.notes, "textchanged:EditA"), 5);
  EXPECT_EQ(edit_->GetCaretPos(), 5);
}

TEST_F(EditTest, EditingKeysMoveTheCaretAndDelete) {
  h_.TypeText("abcdef");
  h_.Key(UIKey::kLeft);
  h_.Key(UIKey::kLeft);
  h_.Key(UIKey::kBack);
  EXPECT_EQ(edit_->GetText(), "abcef");
  h_.Key(UIKey::kHome);
  h_.Key(UIKey::kDelete);
  EXPECT_EQ(edit_->GetText(), "bcef");
  h_.Key(UIKey::kEnd);
  h_.TypeText("!");
  EXPECT_EQ(edit_->GetText(), "bcef!");
}

TEST_F(EditTest, ShiftSelectsAndTypingReplacesTheSelection) {
  h_.TypeText("backup");
  h_.Key(UIKey::kHome);
  h_.Key(UIKey::kRight, UIMod::kShift);
  h_.Key(UIKey::kRight, UIMod::kShift);
  EXPECT_EQ(edit_->GetSelText(), "ba");
  h_.TypeText("X");
  EXPECT_EQ(edit_->GetText(), "Xckup");
  h_.Key('A', UIMod::kCtrl);
  EXPECT_EQ(edit_->GetSelText(), "Xckup");
}

TEST_F(EditTest, CharacterLimitCountsCodePoints) {
  auto* pwd = wnd_.GetManager().Find<CEditUI>("EditPassword");
  h_.Click(pwd);
  h_.TypeText(
      "\xC3\xA4\xC3\xB6\xC3\xBC\xE2\x82\xAC"
      "abcdefg");  // 4 non-ASCII + 7 ASCII
  EXPECT_EQ(pwd->GetText(),
            "\xC3\xA4\xC3\xB6\xC3\xBC\xE2\x82\xAC"
            "abcd");
  pwd->SetText("0123456789");
  EXPECT_EQ(pwd->GetText(), "01234567");
}

TEST_F(EditTest, PasswordBoxNeverCopiesItsText) {
  auto* pwd = wnd_.GetManager().Find<CEditUI>("EditPassword");
  pwd->SetText("secret");
  pwd->SelectAll();
  EXPECT_EQ(pwd->GetSelText(), "secret");
  pwd->Copy();  // must not put the password on the clipboard
  edit_->SetText("");
  h_.Click(edit_);
  h_.Key('V', UIMod::kCtrl);
  EXPECT_NE(edit_->GetText(), "secret");
}

TEST_F(EditTest, ReadOnlyEditIgnoresTyping) {
  auto* ro = wnd_.GetManager().Find<CEditUI>("EditReadOnly");
  h_.Click(ro);
  EXPECT_TRUE(ro->IsFocused());
  h_.TypeText("zzz");
  h_.Key(UIKey::kBack);
  EXPECT_EQ(ro->GetText(), "fixed");
  EXPECT_EQ(Count(wnd_.notes, "textchanged:EditReadOnly"), 0);
}

TEST_F(EditTest, EnterSendsReturnAndFocusMovesWithTheMouseAndTab) {
  h_.Key(UIKey::kReturn);
  EXPECT_EQ(Count(wnd_.notes, "return:EditA"), 1);
  h_.Key(UIKey::kTab);
  EXPECT_EQ(wnd_.GetManager().GetFocus(), wnd_.GetManager().FindControl("EditPassword"));
  h_.Click(wnd_.GetManager().FindControl("BtnOther"));
  EXPECT_FALSE(edit_->IsFocused());
  EXPECT_EQ(Count(wnd_.notes, "killfocus:EditA"), 1);
}

TEST_F(EditTest, ClickPlacesTheCaretAndSelectionIsDrawn) {
  edit_->SetText("iPhone of Anna");
  const UIRect r = edit_->GetPos();
  h_.ClickAt(UIPoint{r.left + 2, r.top + r.Height() / 2});
  EXPECT_EQ(edit_->GetCaretPos(), 0);
  edit_->SetSel(0, 6);
  const std::string dir = MakeTempDir("edit");
  ASSERT_TRUE(h_.RenderToPng(dir + "/edit.png"));
  // A selected character cell is tinted blue; an unselected one further right stays white.
  const uint32_t sel = PixelAt(dir + "/edit.png", r.left + 8, r.top + r.Height() / 2 - 6);
  const uint32_t plain = PixelAt(dir + "/edit.png", r.right - 20, r.top + r.Height() / 2 - 6);
  EXPECT_NE(sel, plain);
  EXPECT_GT(sel & 0xFF, (sel >> 16) & 0xFF) << std::hex << sel;
}

}  // namespace
}  // namespace zbe::test

namespace zbe::test {
namespace {

TEST_F(EditTest, CopyAndPasteMoveTextBetweenEdits) {
  edit_->SetText("Anna Smith");
  edit_->SetSel(0, 4);
  h_.Key('C', UIMod::kCtrl);
  auto* ro = wnd_.GetManager().Find<CEditUI>("EditReadOnly");
  auto* pwd = wnd_.GetManager().Find<CEditUI>("EditPassword");
  h_.Click(pwd);
  h_.Key('V', UIMod::kCtrl);
  EXPECT_EQ(pwd->GetText(), "Anna");
  h_.Click(ro);
  h_.Key('V', UIMod::kCtrl);
  EXPECT_EQ(ro->GetText(), "fixed") << "nothing is pasted into a read-only edit";
  h_.Click(edit_);
  edit_->SetSel(5, -1);
  h_.Key('X', UIMod::kCtrl);
  EXPECT_EQ(edit_->GetText(), "Anna ");
  h_.Key(UIKey::kEnd);
  h_.Key('V', UIMod::kCtrl);
  EXPECT_EQ(edit_->GetText(), "Anna Smith");
}

TEST_F(EditTest, DoubleClickSelectsAWordAndDraggingSelectsText) {
  edit_->SetText("backup folder name");
  const UIRect r = edit_->GetPos();
  const int y = r.top + r.Height() / 2;
  h_.DoubleClickAt(UIPoint{r.left + 10, y});
  EXPECT_EQ(edit_->GetSelText(), "backup");
  h_.MouseDown(UIPoint{r.left + 7, y});
  h_.MouseMove(UIPoint{r.right - 10, y});
  h_.MouseUp(UIPoint{r.right - 10, y});
  EXPECT_EQ(edit_->GetSelText(), "backup folder name");
  h_.Key(UIKey::kBack);
  EXPECT_EQ(edit_->GetText(), "");
}

}  // namespace
}  // namespace zbe::test
