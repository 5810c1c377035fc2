// Trees: nodes and levels, the expander and check box with their notifications, visibility of
// subtrees, selection, linked checks and keys.
#include <gtest/gtest.h>

#include "tests/ui/UITestSupport.h"
#include "ui/TreeViewUI.h"

namespace zbe::test {
namespace {

class TreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wnd_.Open());
    tree_ = wnd_.GetManager().Find<CTreeViewUI>("T");
    ASSERT_NE(tree_, nullptr);
    // Two roots; the first gets its children before it is in the tree, the second after.
    auto media = std::make_unique<CTreeNodeUI>();
    media->SetName("Media");
    media->SetItemText("Photos & Videos");
    for (const char* name : {"CameraRoll", "PhotoStream"}) {
      auto child = std::make_unique<CTreeNodeUI>();
      child->SetName(name);
      child->SetItemText(std::string(name) + " (0)");
      child->SetItemIcon("file='Controls.png' source='1,410,19,428'");
      media->AddChildNode(std::move(child));
    }
    media_ = tree_->AddNode(std::move(media));
    auto msgs = std::make_unique<CTreeNodeUI>();
    msgs->SetName("Msgs");
    msgs->SetItemText("Messages & Call logs");
    msgs_ = tree_->AddNode(std::move(msgs));
    for (const char* name : {"Messages", "Contacts"}) {
      auto child = std::make_unique<CTreeNodeUI>();
      child->SetName(name);
      child->SetItemText(name);
      msgs_->AddChildNode(std::move(child));
    }
    h_.Layout();
  }
  CTreeNodeUI* N(const std::string& name) { return wnd_.GetManager().Find<CTreeNodeUI>(name); }
  const TNotifyUI* Last(const std::string& type) {
    for (auto it = wnd_.notifications.rbegin(); it != wnd_.notifications.rend(); ++it) {
      if (it->sType == type)
        return &*it;
    }
    return nullptr;
  }
  TestWindow wnd_{"xml/test_tree.xml"};
  UITestHarness h_{wnd_};
  CTreeViewUI* tree_ = nullptr;
  CTreeNodeUI* media_ = nullptr;
  CTreeNodeUI* msgs_ = nullptr;
};

TEST_F(TreeTest, NodesLieInTreeOrderWithTheirLevels) {
  ASSERT_EQ(tree_->GetCount(), 6);
  EXPECT_EQ(tree_->GetItemAt(0), media_);
  EXPECT_EQ(tree_->GetItemAt(1), N("CameraRoll"));
  EXPECT_EQ(tree_->GetItemAt(3), msgs_);
  EXPECT_EQ(tree_->GetItemAt(5), N("Contacts"));
  EXPECT_EQ(media_->GetCountChild(), 2);
  EXPECT_EQ(N("PhotoStream")->GetParentNode(), media_);
  EXPECT_EQ(N("PhotoStream")->GetTreeLevel(), 1);
  EXPECT_EQ(tree_->GetRootCount(), 2);
  EXPECT_EQ(tree_->GetRootNode(1), msgs_);
  EXPECT_EQ(N("CameraRoll")->GetItemText(), "CameraRoll (0)");
  // Children are indented, rows follow one another.
  EXPECT_GT(N("CameraRoll")->GetCheckBox()->GetPos().left, media_->GetCheckBox()->GetPos().left);
  EXPECT_EQ(N("CameraRoll")->GetPos().top, media_->GetPos().bottom);
  // A node added later to a node already in the tree goes right after its subtree.
  auto notes = std::make_unique<CTreeNodeUI>();
  notes->SetName("Notes");
  media_->AddChildNode(std::move(notes));
  EXPECT_EQ(tree_->GetItemAt(3), N("Notes"));
  EXPECT_EQ(tree_->GetItemAt(4), msgs_);
}

TEST_F(TreeTest, ExpanderHidesTheSubtreeAndNotifiesWithTheNode) {
  ASSERT_TRUE(h_.ToggleTreeNode(media_));
  const TNotifyUI* e = Last("itemexpand");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->pSender, media_);
  EXPECT_EQ(e->wParam, 0u);
  EXPECT_FALSE(media_->IsExpanded());
  EXPECT_FALSE(N("CameraRoll")->IsVisible());
  h_.Layout();
  EXPECT_EQ(msgs_->GetPos().top, media_->GetPos().bottom) << "rows below move up";
  ASSERT_TRUE(h_.ToggleTreeNode(media_));
  EXPECT_EQ(Last("itemexpand")->wParam, 1u);
  EXPECT_TRUE(N("CameraRoll")->IsVisible());
  h_.DoubleClick(msgs_);
  EXPECT_FALSE(msgs_->IsExpanded()) << "a double click toggles too";
}

TEST_F(TreeTest, CheckBoxCyclesAndNotifiesWithTheNode) {
  CTreeNodeUI* cam = N("CameraRoll");
  ASSERT_TRUE(h_.CheckTreeNode(cam));
  const TNotifyUI* c = Last("checkboxselectchanged");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->pSender, cam);
  EXPECT_EQ(c->wParam, static_cast<uintptr_t>(UICheckState::kChecked));
  EXPECT_EQ(cam->GetCheckState(), UICheckState::kChecked);
  EXPECT_EQ(Last("itemselect"), nullptr) << "a check is not a selection";
  ASSERT_TRUE(h_.CheckTreeNode(cam));
  EXPECT_EQ(cam->GetCheckState(), UICheckState::kUnchecked);
  media_->SetCheckState(UICheckState::kHalfChecked);
  EXPECT_EQ(Count(wnd_.notes, "checkboxselectchanged:Media"), 0) << "setting does not notify";
  ASSERT_TRUE(h_.CheckTreeNode(media_));
  EXPECT_EQ(media_->GetCheckState(), UICheckState::kChecked);
  EXPECT_EQ(cam->GetCheckState(), UICheckState::kUnchecked) << "no linking unless asked";
}

TEST_F(TreeTest, HiddenNodeHidesItsSubtreeAndButtonsHideAlone) {
  media_->SetVisible(false);
  EXPECT_FALSE(N("CameraRoll")->IsVisible());
  EXPECT_TRUE(N("CameraRoll")->IsOwnVisible());
  h_.Layout();
  EXPECT_EQ(msgs_->GetPos().top, tree_->GetList()->GetInnerRect().top);
  media_->SetVisible(true);
  EXPECT_TRUE(N("CameraRoll")->IsVisible());
  N("Contacts")->SetVisibleCheckBtn(false);
  N("Contacts")->SetVisibleFolderBtn(false);
  EXPECT_FALSE(N("Contacts")->GetCheckBox()->IsVisible());
  EXPECT_FALSE(h_.CheckTreeNode(N("Contacts")));
  EXPECT_TRUE(N("Contacts")->IsVisible());
}

TEST_F(TreeTest, SelectionFollowsClicksAndCollapsing) {
  h_.Click(N("PhotoStream"));
  EXPECT_EQ(tree_->GetSelectedNode(), N("PhotoStream"));
  const TNotifyUI* s = Last("itemselect");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->pSender, tree_);
  EXPECT_EQ(s->wParam, 2u);
  EXPECT_EQ(Last("itemclick")->pSender, N("PhotoStream"));
  media_->SetExpanded(false);
  EXPECT_EQ(tree_->GetSelectedNode(), media_) << "a hidden selection moves to the collapsed node";
  N("Messages")->SetUserData("D");
  EXPECT_EQ(N("Messages")->GetUserData(), "D");
}

TEST_F(TreeTest, KeysWalkTheVisibleNodes) {
  h_.Click(media_);
  h_.Key(UIKey::kLeft);
  EXPECT_FALSE(media_->IsExpanded());
  h_.Key(UIKey::kDown);
  EXPECT_EQ(tree_->GetSelectedNode(), msgs_) << "hidden children are skipped";
  h_.Key(UIKey::kUp);
  h_.Key(UIKey::kRight);
  EXPECT_TRUE(media_->IsExpanded());
  h_.Key(UIKey::kRight);
  EXPECT_EQ(tree_->GetSelectedNode(), N("CameraRoll"));
  h_.Key(UIKey::kSpace);
  EXPECT_EQ(N("CameraRoll")->GetCheckState(), UICheckState::kChecked);
  h_.Key(UIKey::kLeft);
  EXPECT_EQ(tree_->GetSelectedNode(), media_);
}

TEST_F(TreeTest, LinkedChecksSpreadDownAndSumUp) {
  auto* linked = wnd_.GetManager().Find<CTreeViewUI>("Linked");
  ASSERT_NE(linked, nullptr);
  ASSERT_EQ(linked->GetCount(), 4) << "nodes from the layout";
  ASSERT_TRUE(h_.CheckTreeNode(N("LRoot")));
  EXPECT_EQ(N("LB1")->GetCheckState(), UICheckState::kChecked);
  ASSERT_TRUE(h_.CheckTreeNode(N("LB1")));
  EXPECT_EQ(N("LB")->GetCheckState(), UICheckState::kUnchecked);
  EXPECT_EQ(N("LRoot")->GetCheckState(), UICheckState::kHalfChecked);
  EXPECT_EQ(N("LA")->GetCheckState(), UICheckState::kChecked);
}

TEST_F(TreeTest, RemovingANodeRemovesItsSubtree) {
  EXPECT_TRUE(tree_->Remove(media_));
  h_.ProcessEvents();
  EXPECT_EQ(tree_->GetCount(), 3);
  EXPECT_EQ(N("CameraRoll"), nullptr);
  EXPECT_TRUE(msgs_->RemoveChildNode(N("Messages")));
  EXPECT_EQ(msgs_->GetCountChild(), 1);
  EXPECT_EQ(tree_->GetCount(), 2);
  tree_->RemoveAll();
  EXPECT_EQ(tree_->GetCount(), 0);
}

}  // namespace
}  // namespace zbe::test
