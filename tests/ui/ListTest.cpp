// Lists: selection by mouse and keys, double clicks, the check-box column, columns from the
// header, rows built from layout files, removal, and tens of thousands of rows.
#include <gtest/gtest.h>

#include <chrono>

#include "tests/ui/UITestSupport.h"
#include "ui/DialogBuilder.h"
#include "ui/ListElementUI.h"

namespace zbe::test {
namespace {

class ListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wnd_.Open());
    list_ = wnd_.GetManager().Find<CListUI>("L");
    ASSERT_NE(list_, nullptr);
  }
  void AddRows(int n) {
    for (int i = 0; i < n; ++i) {
      auto row = std::make_unique<CListImageTextElementUI>();
      row->SetText(1, "row " + std::to_string(i));
      row->SetText(2, std::to_string(i * 1024) + " Bytes");
      row->SetDataPtr(&data_[i % 4]);
      list_->Add(std::move(row));
    }
    h_.Layout();
  }
  CListImageTextElementUI* Row(int i) {
    return dynamic_cast<CListImageTextElementUI*>(list_->GetItemAt(i));
  }
  const TNotifyUI* Last(const std::string& type) {
    for (auto it = wnd_.notifications.rbegin(); it != wnd_.notifications.rend(); ++it) {
      if (it->sType == type)
        return &*it;
    }
    return nullptr;
  }
  TestWindow wnd_{"xml/test_list.xml"};
  UITestHarness h_{wnd_};
  CListUI* list_ = nullptr;
  int data_[4] = {};
};

TEST_F(ListTest, ClickSelectsAndNotifiesWithIndexes) {
  AddRows(20);
  h_.Click(Row(3));
  EXPECT_EQ(list_->GetCurSel(), 3);
  const TNotifyUI* sel = Last("itemselect");
  ASSERT_NE(sel, nullptr);
  EXPECT_EQ(sel->pSender, list_);
  EXPECT_EQ(sel->wParam, 3u);
  EXPECT_EQ(sel->lParam, -1);
  const TNotifyUI* click = Last("itemclick");
  ASSERT_NE(click, nullptr);
  EXPECT_EQ(click->pSender, Row(3));
  EXPECT_TRUE(Row(3)->IsSelected());
  EXPECT_EQ(Row(3)->GetDataPtr(), &data_[3]);
  EXPECT_EQ(Row(3)->GetText(1), "row 3");
  h_.Click(Row(5));
  EXPECT_FALSE(Row(3)->IsSelected());
  EXPECT_EQ(Last("itemselect")->lParam, 3);
}

TEST_F(ListTest, KeysMoveTheSelectionAndKeepItInView) {
  AddRows(40);
  h_.Click(Row(0));
  h_.Key(UIKey::kDown);
  EXPECT_EQ(list_->GetCurSel(), 1);
  h_.Key(UIKey::kEnd);
  EXPECT_EQ(list_->GetCurSel(), 39);
  h_.Layout();
  const UIRect body = list_->GetList()->GetInnerRect();
  EXPECT_GE(Row(39)->GetPos().top, body.top);
  EXPECT_LE(Row(39)->GetPos().bottom, body.bottom);
  h_.Key(UIKey::kPrior);
  EXPECT_LT(list_->GetCurSel(), 39);
  h_.Key(UIKey::kHome);
  EXPECT_EQ(list_->GetCurSel(), 0);
  EXPECT_EQ(list_->GetScrollPos().cy, 0);
}

TEST_F(ListTest, DoubleClickNamesTheRow) {
  AddRows(5);
  h_.DoubleClick(Row(2));
  const TNotifyUI* dbl = Last("list_item_dbclick");
  ASSERT_NE(dbl, nullptr);
  EXPECT_EQ(dbl->pSender, list_);
  EXPECT_EQ(dbl->wParam, 2u);
  EXPECT_EQ(dbl->lParam, reinterpret_cast<intptr_t>(Row(2)));
  EXPECT_EQ(list_->GetCurSel(), 2);
}

TEST_F(ListTest, CheckBoxColumnTogglesWithoutSelecting) {
  AddRows(5);
  ASSERT_TRUE(h_.CheckListRow(list_, 1));
  EXPECT_EQ(Row(1)->GetCheckState(), UICheckState::kChecked);
  const TNotifyUI* chk = Last("list_check_click");
  ASSERT_NE(chk, nullptr);
  EXPECT_EQ(chk->pSender, list_);
  EXPECT_EQ(chk->wParam, 1u);
  EXPECT_EQ(chk->lParam, reinterpret_cast<intptr_t>(Row(1)));
  EXPECT_EQ(Last("itemselect"), nullptr) << "checking is not selecting";
  Row(2)->SetCheckState(UICheckState::kHalfChecked);
  ASSERT_TRUE(h_.CheckListRow(list_, 2));
  EXPECT_EQ(Row(2)->GetCheckState(), UICheckState::kChecked);
  ASSERT_TRUE(h_.CheckListRow(list_, 1));
  EXPECT_EQ(Row(1)->GetCheckState(), UICheckState::kUnchecked);
  // Space toggles the selected row's box.
  h_.Click(Row(4));
  h_.Key(UIKey::kSpace);
  EXPECT_TRUE(Row(4)->GetCheck());
  EXPECT_EQ(Last("list_check_click")->wParam, 4u);
  Row(3)->SetCheckVisible(false);
  EXPECT_FALSE(h_.CheckListRow(list_, 3));
}

TEST_F(ListTest, ColumnsFollowTheHeader) {
  AddRows(3);
  const auto& cols = list_->GetListInfo()->columns;
  ASSERT_EQ(cols.size(), 4u);
  EXPECT_EQ(cols[0].left, 0);
  EXPECT_EQ(cols[0].right, 40);
  EXPECT_EQ(cols[1].right, 190);
  EXPECT_EQ(cols[2].right, 400) << "the flexible column takes the rest";
  EXPECT_TRUE(cols[3].IsEmpty()) << "hidden columns have no place";
  EXPECT_EQ(list_->ColumnAt(100), 1);
  h_.Click(wnd_.GetManager().FindControl("NameHdr"));
  EXPECT_EQ(Count(wnd_.notes, "headerclick:NameHdr"), 1);
  // Dragging the right edge of a fixed column resizes it.
  CControlUI* name = wnd_.GetManager().FindControl("NameHdr");
  const UIRect r = name->GetPos();
  h_.MouseMove(UIPoint{r.right - 2, r.top + 10});
  h_.MouseDown(UIPoint{r.right - 2, r.top + 10});
  h_.MouseMove(UIPoint{r.right + 28, r.top + 10});
  h_.MouseUp(UIPoint{r.right + 28, r.top + 10});
  h_.Layout();
  EXPECT_EQ(name->GetFixedWidth(), 180);
  EXPECT_EQ(cols[1].right, 220);
}

TEST_F(ListTest, RemovingRowsKeepsIndexesAndTheSelection) {
  AddRows(10);
  list_->SelectItem(5);
  EXPECT_TRUE(list_->RemoveAt(2));
  EXPECT_EQ(list_->GetCurSel(), 4);
  EXPECT_EQ(Row(4)->GetText(1), "row 5");
  for (int i = 0; i < list_->GetCount(); ++i)
    EXPECT_EQ(Row(i)->GetIndex(), i);
  EXPECT_TRUE(list_->Remove(Row(4)));
  EXPECT_EQ(list_->GetCurSel(), -1);
  auto detached = list_->Detach(Row(0));
  ASSERT_NE(detached, nullptr);
  EXPECT_EQ(list_->GetCount(), 7);
  list_->RemoveAll();
  EXPECT_EQ(list_->GetCount(), 0);
  EXPECT_EQ(list_->GetCurSel(), -1);
  EXPECT_FALSE(list_->SelectItem(0));
}

TEST_F(ListTest, RowsInsertedTogetherKeepIndexesAndTheSelection) {
  AddRows(4);
  list_->SelectItem(2);
  std::vector<std::unique_ptr<CControlUI>> rows;
  for (const char* text : {"new a", "new b"}) {
    auto row = std::make_unique<CListImageTextElementUI>();
    row->SetText(1, text);
    rows.push_back(std::move(row));
  }
  EXPECT_TRUE(list_->AddRangeAt(std::move(rows), 1));
  ASSERT_EQ(list_->GetCount(), 6);
  EXPECT_EQ(Row(1)->GetText(1), "new a");
  EXPECT_EQ(Row(2)->GetText(1), "new b");
  EXPECT_EQ(list_->GetCurSel(), 4);
  EXPECT_EQ(Row(4)->GetText(1), "row 2");
  for (int i = 0; i < list_->GetCount(); ++i)
    EXPECT_EQ(Row(i)->GetIndex(), i);
  // A header item is not a row: nothing of the range goes in.
  std::vector<std::unique_ptr<CControlUI>> mixed;
  mixed.push_back(std::make_unique<CListImageTextElementUI>());
  mixed.push_back(std::make_unique<CListHeaderItemUI>());
  EXPECT_FALSE(list_->AddRangeAt(std::move(mixed), 0));
  EXPECT_EQ(list_->GetCount(), 6);
}

TEST_F(ListTest, RowsBuiltFromALayoutFileSelectWhenTheirLabelsAreClicked) {
  CDialogBuilder builder;
  for (int i = 0; i < 3; ++i) {
    auto row = builder.Create("xml/list_row.xml", nullptr, &wnd_.GetManager());
    ASSERT_NE(row, nullptr) << builder.GetLastError();
    list_->Add(std::move(row));
  }
  h_.Layout();
  auto* second = static_cast<CContainerUI*>(list_->GetItemAt(1));
  EXPECT_EQ(second->GetPos().Height(), 44);
  CControlUI* title = wnd_.GetManager().FindSubControlByName(second, "RowTitle");
  ASSERT_NE(title, nullptr);
  h_.Click(title);
  EXPECT_EQ(list_->GetCurSel(), 1);
  h_.Click(wnd_.GetManager().FindSubControlByName(second, "RowButton"));
  EXPECT_EQ(Count(wnd_.notes, "click:RowButton"), 1) << "a button in a row keeps its click";
}

TEST_F(ListTest, AHandlerMayEmptyTheListDuringAClick) {
  AddRows(30);
  wnd_.onNotify = [&](TNotifyUI& msg) {
    if (msg.sType == UINotify::kItemClick) {
      list_->RemoveAll();
      AddRows(3);
    }
  };
  h_.Hover(Row(7));
  h_.Click(Row(7));
  EXPECT_EQ(list_->GetCount(), 3);
  h_.ProcessEvents();
  h_.MouseMove(UIPoint{100, 80});
  h_.Click(Row(1));
  EXPECT_EQ(list_->GetCount(), 3);
  ASSERT_TRUE(h_.RenderToPng(MakeTempDir("empty") + "/list.png"));
}

TEST_F(ListTest, TensOfThousandsOfRowsStayAddressable) {
  const auto start = std::chrono::steady_clock::now();
  AddRows(20000);
  const auto filled = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(list_->GetCount(), 20000);
  EXPECT_EQ(list_->GetScrollRange().cy, 20000 * 30 - list_->GetList()->GetInnerRect().Height());
  list_->SetScrollPos(UISize{0, 300000});
  h_.Layout();
  const UIRect inner = list_->GetList()->GetInnerRect();
  CControlUI* hit = wnd_.GetManager().FindControl(UIPoint{200, inner.top + 5});
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit, list_->GetItemAt(10000));
  h_.Click(hit);
  EXPECT_EQ(list_->GetCurSel(), 10000);
  ASSERT_TRUE(h_.RenderToPng(MakeTempDir("big") + "/list.png"));
  // Not a benchmark (see bench/), only a guard against quadratic behaviour.
  EXPECT_LT(std::chrono::duration_cast<std::chrono::seconds>(filled).count(), 10);
}

}  // namespace
}  // namespace zbe::test
