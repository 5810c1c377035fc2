#include "app/CMessageBox.h"

#include <gtest/gtest.h>

#include "tests/app/AppTestSupport.h"
#include "ui/ControlUI.h"

namespace zbe::test {
namespace {

struct KindCase {
  int kind;
  const char* name;   // for the screenshot
  const char* title;  // the default title in English
  bool cancel;        // a visible cancel button
};

const KindCase kKinds[] = {
    {MsgBoxKind::kError, "error", "Error", false},
    {MsgBoxKind::kConfirm, "confirm", "Please confirm", true},
    {MsgBoxKind::kInformation, "information", "Information", false},
    {MsgBoxKind::kWarning, "warning", "Warning", false},
    {MsgBoxKind::kQuestion, "question", "Question", true},
    {7, "unknown", "Error", false},  // any other kind: the error look
};

bool Shows(CWindowWnd& w, const char* name) {
  CControlUI* c = w.GetManager().FindControl(name);
  return c != nullptr && c->IsVisible();
}

TEST(MessageBox, EveryKindShowsItsLookButtonsAndDefaultTitle) {
  AppHome home(false);
  auto settings = MakeSettings(home);
  for (const KindCase& k : kKinds) {
    SCOPED_TRACE(k.name);
    ModalScript script;
    script.Then([&](CWindowWnd& box) {
      EXPECT_EQ(box.GetWindowClassName(), "UIMessageBox");
      EXPECT_EQ(TextOf(box, "title"), k.title);
      EXPECT_EQ(TextOf(box, "message"), settings->Message("MSG0302"));
      EXPECT_EQ(TextOf(box, "okbtn"), "OK");
      EXPECT_TRUE(Shows(box, "okbtn"));
      EXPECT_EQ(Shows(box, "cancelbtn"), k.cancel);
      EXPECT_EQ(box.GetWindowRect().Width(), 550);
      EXPECT_EQ(box.GetWindowRect().Height(), 200);
      if (k.kind != 7) {
        UITestHarness h(box);
        h.Hover(h.Find("okbtn"));
        EXPECT_TRUE(h.RenderToPng(ShotsDir() + "/app-messagebox-" + k.name + ".png"));
      }
      ClickIn(box, "okbtn");
    });
    EXPECT_EQ(
        CMessageBox::Show(*settings, std::nullopt, k.kind, nullptr, settings->Message("MSG0302")),
        kMsgBoxOk);
    if (k.cancel) {
      script.Then(Press("cancelbtn"));
      EXPECT_EQ(CMessageBox::Show(*settings, std::nullopt, k.kind, nullptr, "?"), kMsgBoxCancel);
    }
    EXPECT_TRUE(script.unexpected.empty());
  }
}

TEST(MessageBox, CloseAndEscapeAnswerTwoAndEnterIsSwallowed) {
  AppHome home(false);
  auto settings = MakeSettings(home);
  ModalScript script;
  script.Then(Press("closebtn"));
  EXPECT_EQ(CMessageBox::Show(*settings, "Title", MsgBoxKind::kQuestion, nullptr, "Text"), 2);
  script.Then([](CWindowWnd& box) {
    UITestHarness h(box);
    h.Key(UIKey::kReturn);  // not handled by the box, even with OK focused
    UIApplication::Instance()->ProcessEvents();
    EXPECT_FALSE(box.IsClosed());
    h.Key(UIKey::kEscape);
  });
  EXPECT_EQ(CMessageBox::Show(*settings, "Title", MsgBoxKind::kInformation, nullptr, "Text"), 2);
  // Other clicks do nothing; a given title replaces the default one.
  script.Then([](CWindowWnd& box) {
    EXPECT_EQ(TextOf(box, "title"), "My title");
    ClickIn(box, "message");
    UIApplication::Instance()->ProcessEvents();
    EXPECT_FALSE(box.IsClosed());
    ClickIn(box, "okbtn");
  });
  EXPECT_EQ(CMessageBox::Show(*settings, "My title", MsgBoxKind::kError, nullptr, "Text"), 1);
  EXPECT_TRUE(script.unexpected.empty());
}

TEST(MessageBox, AWarningCanShowItsHiddenCancelButton) {
  AppHome home(false);
  auto settings = MakeSettings(home);
  ModalScript script;
  script.Then([](CWindowWnd& box) {
    EXPECT_TRUE(Shows(box, "cancelbtn"));
    // The caption area moves the window except over its buttons.
    const UIRect title = box.GetManager().FindControl("title")->GetPos();
    const UIRect close = box.GetManager().FindControl("closebtn")->GetPos();
    EXPECT_EQ(box.DoHitTest(title.Center()), UIHitTest::kCaption);
    EXPECT_EQ(box.DoHitTest(close.Center()), UIHitTest::kClient);
    ClickIn(box, "cancelbtn");
  });
  EXPECT_EQ(CMessageBox::Show(*settings, std::nullopt, MsgBoxKind::kWarning, nullptr, "Leave?",
                              kMsgBoxWidth, kMsgBoxHeight, true),
            kMsgBoxCancel);
  // The single-instance notice is smaller.
  script.Then([](CWindowWnd& box) {
    EXPECT_EQ(box.GetWindowRect().Width(), 350);
    EXPECT_EQ(box.GetWindowRect().Height(), 180);
    ClickIn(box, "okbtn");
  });
  CMessageBox::Show(*settings, std::nullopt, MsgBoxKind::kInformation, nullptr,
                    "Zorvane Backup Extractor is running.", 350, 180);
  EXPECT_TRUE(script.unexpected.empty());
}

}  // namespace
}  // namespace zbe::test
