// CEditUI: a one-line text box drawn by the toolkit: caret, selection with mouse and Shift,
// copy, cut and paste, a password mode, a character limit (counted in Unicode code points),
// read-only mode, a placeholder text ("tipvalue") and text padding. Sends "textchanged" after
// each change by the user and "return" when Enter is pressed.
#pragma once

#include <string>

#include "ui/LabelUI.h"

namespace zbe {

class CEditUI : public CLabelUI {
 public:
  CEditUI();

  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  bool IsTabStop() const override { return true; }
  UICursor GetCursor() const override { return UICursor::kIBeam; }

  std::string GetText() const override;
  // Replaces the text (cut to the character limit); the caret goes to the end.
  void SetText(const std::string& text) override;
  int GetMaxChar() const { return maxChar_; }
  // Limit in code points; 0 for none. A longer text is cut.
  void SetMaxChar(int max);
  bool IsReadOnly() const { return readOnly_; }
  void SetReadOnly(bool on);
  bool IsPasswordMode() const { return password_; }
  void SetPasswordMode(bool on);
  void SetPasswordChar(char32_t c);
  void SetTipValue(const std::string& text);
  void SetTipValueColor(UIColor c) { tipColor_ = c; }

  // Selection in code points, "start" may be after "end"; -1 for "end" selects to the end.
  void SetSel(int start, int end);
  int GetSelStart() const;
  int GetSelEnd() const;
  void SelectAll();
  // Replaces the selection with "text" (obeying the limit), as typing would.
  void ReplaceSel(const std::string& text);
  std::string GetSelText() const;
  int GetCaretPos() const { return caret_; }
  void Copy();
  void Cut();
  void Paste();

  void SetNormalImage(const std::string& image) { normalImage_ = image; }
  void SetHotImage(const std::string& image) { hotImage_ = image; }
  void SetFocusedImage(const std::string& image) { focusedImage_ = image; }
  void SetDisabledImage(const std::string& image) { disabledImage_ = image; }

  void DoEvent(TEventUI& event) override;
  void SetEnabled(bool enabled) override;
  void PaintStatusImage(CRenderUI& render) override;
  void PaintText(CRenderUI& render) override;
  void PaintBorder(CRenderUI& render) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

  // Timer id of the caret blink.
  static constexpr int kCaretTimerId = 0x7E01;

 private:
  std::u32string DisplayText() const;
  // Code point index nearest to window x coordinate "x".
  int HitTestCaret(int x) const;
  int TextX(int index) const;
  void EnsureCaretVisible();
  void MoveCaret(int to, bool extend);
  void InsertText(const std::u32string& text);
  bool DeleteSelection();
  void Changed();
  void RestartBlink();

  std::u32string chars_;
  int caret_ = 0;
  int anchor_ = 0;  // the selection runs from anchor_ to caret_
  int scrollX_ = 0;
  int maxChar_ = 255;
  bool readOnly_ = false;
  bool password_ = false;
  char32_t passwordChar_ = U'\u2022';
  bool caretVisible_ = false;
  bool selecting_ = false;
  std::string tipValue_;
  UIColor tipColor_ = 0xFF9AA3AE;
  UIColor caretColor_ = 0;
  UIColor selectionColor_ = 0x663B82F6;
  std::string normalImage_;
  std::string hotImage_;
  std::string focusedImage_;
  std::string disabledImage_;
};

}  // namespace zbe
