// CMessageBox: every question, warning and notice of the application, in one of five looks.
#pragma once

#include <optional>
#include <string>

#include "app/CPopUpWnd.h"

namespace zbe {

class CSettings;

// The kinds of message box. Any other number shows the error look.
namespace MsgBoxKind {
inline constexpr int kError = 0;
inline constexpr int kConfirm = 1;
inline constexpr int kInformation = 2;
inline constexpr int kWarning = 3;
inline constexpr int kQuestion = 4;
}  // namespace MsgBoxKind

// Results of a message box.
inline constexpr int kMsgBoxOk = 1;      // "okbtn"
inline constexpr int kMsgBoxCancel = 2;  // "cancelbtn", "closebtn" or Escape

// The size of the boxes of the pages.
inline constexpr int kMsgBoxWidth = 550;
inline constexpr int kMsgBoxHeight = 200;

class CMessageBox : public CPopUpWnd {
 public:
  // A box of "kind" showing "message", titled "title" or, without one, by the kind's default
  // title message. "settings" gives the texts and must outlive the box. With "showCancel" the
  // layout's "cancelbtn" shows even where the layout hides it.
  CMessageBox(const CSettings& settings, int kind, std::optional<std::string> title,
              std::string message, bool showCancel = false);

  // Shows a box over "owner" (may be null), "width" by "height", modally. Returns 1 for "okbtn"
  // and 2 for "cancelbtn", "closebtn" and Escape (and 2 when the layout cannot be built).
  static int Show(const CSettings& settings, const std::optional<std::string>& title, int kind,
                  CWindowWnd* owner, const std::string& message, int width = kMsgBoxWidth,
                  int height = kMsgBoxHeight, bool showCancel = false);

  // The layout of "kind" ("xml/MessageBox_Error.xml", ...).
  static std::string LayoutFor(int kind);
  // The message identifier of the default title of "kind".
  static std::string DefaultTitleId(int kind);

  std::string GetWindowClassName() const override { return "UIMessageBox"; }
  void Notify(TNotifyUI& msg) override;

 protected:
  std::string GetSkinFile() override { return LayoutFor(kind_); }
  void InitWindow() override;

 private:
  void SetTexts();

  const CSettings& settings_;
  const int kind_;
  const std::optional<std::string> title_;
  const std::string message_;
  const bool showCancel_;
};

}  // namespace zbe
