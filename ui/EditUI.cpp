#include "ui/EditUI.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextLayout>

#include "ui/AttributeValues.h"
#include "ui/PaintManagerUI.h"
#include "ui/RenderUI.h"
#include "ui/Utf.h"
#include "ui/qt/QtBridge.h"

namespace zbe {
namespace {

constexpr int kBlinkMs = 530;

QString ToQString(const std::u32string& s) {
  return QString::fromUcs4(s.data(), static_cast<qsizetype>(s.size()));
}

bool IsWordChar(char32_t c) {
  return c == U'_' || (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') ||
         (c >= U'a' && c <= U'z') || c > 0x7F;
}

}  // namespace

CEditUI::CEditUI() {
  textStyle_ = UIText::kSingleLine | UIText::kVCenter;
  textPadding_ = UIRect{6, 0, 6, 0};
}

std::string CEditUI::GetClass() const {
  return "EditUI";
}

void* CEditUI::GetInterface(std::string_view name) {
  if (name == "Edit")
    return this;
  return CLabelUI::GetInterface(name);
}

std::string CEditUI::GetText() const {
  return U32ToUtf8(chars_);
}

void CEditUI::SetText(const std::string& text) {
  chars_ = Utf8ToU32(text);
  // A line break cannot be part of a one-line text.
  for (char32_t& c : chars_) {
    if (c == U'\r' || c == U'\n' || c == U'\t')
      c = U' ';
  }
  if (maxChar_ > 0 && static_cast<int>(chars_.size()) > maxChar_)
    chars_.resize(maxChar_);
  caret_ = anchor_ = static_cast<int>(chars_.size());
  scrollX_ = 0;
  text_ = U32ToUtf8(chars_);
  EnsureCaretVisible();
  Invalidate();
}

void CEditUI::SetMaxChar(int max) {
  maxChar_ = std::max(0, max);
  if (maxChar_ > 0 && static_cast<int>(chars_.size()) > maxChar_) {
    chars_.resize(maxChar_);
    caret_ = std::min(caret_, maxChar_);
    anchor_ = std::min(anchor_, maxChar_);
    text_ = U32ToUtf8(chars_);
    Invalidate();
  }
}

void CEditUI::SetReadOnly(bool on) {
  readOnly_ = on;
  Invalidate();
}

void CEditUI::SetPasswordMode(bool on) {
  password_ = on;
  Invalidate();
}

void CEditUI::SetPasswordChar(char32_t c) {
  passwordChar_ = c;
  Invalidate();
}

void CEditUI::SetTipValue(const std::string& text) {
  tipValue_ = text;
  Invalidate();
}

void CEditUI::SetSel(int start, int end) {
  const int n = static_cast<int>(chars_.size());
  if (end < 0)
    end = n;
  anchor_ = std::clamp(start, 0, n);
  caret_ = std::clamp(end, 0, n);
  EnsureCaretVisible();
  Invalidate();
}

int CEditUI::GetSelStart() const {
  return std::min(anchor_, caret_);
}

int CEditUI::GetSelEnd() const {
  return std::max(anchor_, caret_);
}

void CEditUI::SelectAll() {
  SetSel(0, -1);
}

std::string CEditUI::GetSelText() const {
  return U32ToUtf8(chars_.substr(GetSelStart(), GetSelEnd() - GetSelStart()));
}

void CEditUI::ReplaceSel(const std::string& text) {
  std::u32string add = Utf8ToU32(text);
  for (char32_t& c : add) {
    if (c == U'\r' || c == U'\n' || c == U'\t')
      c = U' ';
  }
  InsertText(add);
}

void CEditUI::Copy() {
  if (password_ || GetSelStart() == GetSelEnd())
    return;  // passwords never leave the box
  if (QClipboard* cb = QGuiApplication::clipboard())
    cb->setText(ToQ(GetSelText()));
}

void CEditUI::Cut() {
  if (readOnly_ || password_ || GetSelStart() == GetSelEnd())
    return;
  Copy();
  if (DeleteSelection())
    Changed();
}

void CEditUI::Paste() {
  if (readOnly_)
    return;
  QClipboard* cb = QGuiApplication::clipboard();
  if (cb == nullptr)
    return;
  ReplaceSel(FromQ(cb->text()));
}

std::u32string CEditUI::DisplayText() const {
  if (password_)
    return std::u32string(chars_.size(), passwordChar_);
  return chars_;
}

int CEditUI::TextX(int index) const {
  if (manager_ == nullptr || index <= 0)
    return 0;
  const std::u32string display = DisplayText();
  index = std::min(index, static_cast<int>(display.size()));
  // QTextLayout counts UTF-16 units; our positions count code points.
  int utf16 = 0;
  for (int i = 0; i < index; ++i)
    utf16 += display[i] > 0xFFFF ? 2 : 1;
  QTextLayout layout(ToQString(display), ManagerFont(*manager_, font_));
  layout.beginLayout();
  QTextLine line = layout.createLine();
  if (line.isValid())
    line.setLineWidth(1e6);
  qreal x = line.isValid() ? line.cursorToX(utf16) : 0;
  layout.endLayout();
  return static_cast<int>(x + 0.5);
}

int CEditUI::HitTestCaret(int x) const {
  if (manager_ == nullptr)
    return 0;
  const UIRect tr = TextRect();
  QTextLayout layout(ToQString(DisplayText()), ManagerFont(*manager_, font_));
  layout.beginLayout();
  QTextLine line = layout.createLine();
  int pos = 0;
  if (line.isValid()) {
    line.setLineWidth(1e6);
    pos = line.xToCursor(x - tr.left + scrollX_, QTextLine::CursorBetweenCharacters);
  }
  layout.endLayout();
  // QTextLayout counts UTF-16 units; our positions count code points.
  QString display = ToQString(DisplayText());
  return static_cast<int>(display.left(pos).toUcs4().size());
}

void CEditUI::EnsureCaretVisible() {
  const int width = std::max(1, TextRect().Width() - 2);
  const int x = TextX(caret_);
  if (x - scrollX_ > width)
    scrollX_ = x - width;
  if (x - scrollX_ < 0)
    scrollX_ = x;
  const int total = TextX(static_cast<int>(chars_.size()));
  scrollX_ = std::clamp(scrollX_, 0, std::max(0, total - width));
}

void CEditUI::MoveCaret(int to, bool extend) {
  caret_ = std::clamp(to, 0, static_cast<int>(chars_.size()));
  if (!extend)
    anchor_ = caret_;
  EnsureCaretVisible();
  RestartBlink();
  Invalidate();
}

bool CEditUI::DeleteSelection() {
  const int a = GetSelStart();
  const int b = GetSelEnd();
  if (a == b)
    return false;
  chars_.erase(a, b - a);
  caret_ = anchor_ = a;
  return true;
}

void CEditUI::InsertText(const std::u32string& text) {
  if (readOnly_)
    return;
  const int selected = GetSelEnd() - GetSelStart();
  std::u32string add = text;
  if (maxChar_ > 0) {
    const int room = maxChar_ - (static_cast<int>(chars_.size()) - selected);
    if (room <= 0)
      add.clear();
    else if (static_cast<int>(add.size()) > room)
      add.resize(room);
  }
  if (add.empty() && selected == 0)
    return;
  DeleteSelection();
  chars_.insert(caret_, add);
  caret_ += static_cast<int>(add.size());
  anchor_ = caret_;
  Changed();
}

void CEditUI::Changed() {
  text_ = U32ToUtf8(chars_);
  EnsureCaretVisible();
  RestartBlink();
  Invalidate();
  Notify(UINotify::kTextChanged);
}

void CEditUI::RestartBlink() {
  if (!IsFocused())
    return;
  caretVisible_ = true;
  SetTimer(kCaretTimerId, kBlinkMs);
}

void CEditUI::SetEnabled(bool enabled) {
  CLabelUI::SetEnabled(enabled);
  if (!enabled) {
    caretVisible_ = false;
    KillTimer(kCaretTimerId);
  }
}

void CEditUI::DoEvent(TEventUI& event) {
  const bool shift = (event.keyState & UIMod::kShift) != 0;
  const bool ctrl = (event.keyState & UIMod::kCtrl) != 0;
  switch (event.type) {
    case UIEventType::kSetFocus:
      state_ |= UIState::kFocused;
      RestartBlink();
      Invalidate();
      return;
    case UIEventType::kKillFocus:
      state_ &= ~UIState::kFocused;
      caretVisible_ = false;
      selecting_ = false;
      KillTimer(kCaretTimerId);
      Invalidate();
      return;
    case UIEventType::kTimer:
      if (event.chKey == static_cast<uint32_t>(kCaretTimerId)) {
        caretVisible_ = !caretVisible_;
        Invalidate();
        return;
      }
      break;
    case UIEventType::kMouseEnter:
      state_ |= UIState::kHot;
      Invalidate();
      return;
    case UIEventType::kMouseLeave:
      state_ &= ~UIState::kHot;
      Invalidate();
      return;
    case UIEventType::kButtonDown:
      if (!IsEnabled())
        return;
      MoveCaret(HitTestCaret(event.ptMouse.x), shift);
      selecting_ = true;
      return;
    case UIEventType::kMouseMove:
      if (selecting_)
        MoveCaret(HitTestCaret(event.ptMouse.x), true);
      return;
    case UIEventType::kButtonUp:
      selecting_ = false;
      return;
    case UIEventType::kDblClick: {
      if (!IsEnabled())
        return;
      // Select the word under the mouse (the whole text in a password box).
      int at = HitTestCaret(event.ptMouse.x);
      if (password_) {
        SelectAll();
        return;
      }
      int a = at, b = at;
      while (a > 0 && IsWordChar(chars_[a - 1]))
        --a;
      while (b < static_cast<int>(chars_.size()) && IsWordChar(chars_[b]))
        ++b;
      SetSel(a, b);
      selecting_ = false;
      return;
    }
    case UIEventType::kKeyDown:
      if (!IsEnabled())
        return;
      switch (event.chKey) {
        case UIKey::kLeft:
          if (!shift && GetSelStart() != GetSelEnd())
            MoveCaret(GetSelStart(), false);
          else
            MoveCaret(caret_ - 1, shift);
          return;
        case UIKey::kRight:
          if (!shift && GetSelStart() != GetSelEnd())
            MoveCaret(GetSelEnd(), false);
          else
            MoveCaret(caret_ + 1, shift);
          return;
        case UIKey::kHome:
          MoveCaret(0, shift);
          return;
        case UIKey::kEnd:
          MoveCaret(static_cast<int>(chars_.size()), shift);
          return;
        case UIKey::kBack:
          if (readOnly_)
            return;
          if (!DeleteSelection()) {
            if (caret_ == 0)
              return;
            chars_.erase(caret_ - 1, 1);
            caret_ = anchor_ = caret_ - 1;
          }
          Changed();
          return;
        case UIKey::kDelete:
          if (readOnly_)
            return;
          if (!DeleteSelection()) {
            if (caret_ >= static_cast<int>(chars_.size()))
              return;
            chars_.erase(caret_, 1);
          }
          Changed();
          return;
        case UIKey::kReturn:
          Notify(UINotify::kReturn);
          return;
        default:
          break;
      }
      if (ctrl) {
        switch (event.chKey) {
          case 'A':
            SelectAll();
            return;
          case 'C':
            Copy();
            return;
          case 'X':
            Cut();
            return;
          case 'V':
            Paste();
            return;
          case UIKey::kInsert:
            Copy();
            return;
          default:
            break;
        }
      }
      if (shift && event.chKey == UIKey::kInsert) {
        Paste();
        return;
      }
      if (event.chKey == UIKey::kEscape || event.chKey == UIKey::kTab)
        break;
      return;
    case UIEventType::kChar:
      if (!IsEnabled() || readOnly_ || event.chKey < 0x20)
        return;
      InsertText(std::u32string(1, static_cast<char32_t>(event.chKey)));
      return;
    default:
      break;
  }
  CLabelUI::DoEvent(event);
}

void CEditUI::PaintStatusImage(CRenderUI& render) {
  const std::string* image = &normalImage_;
  if (!IsEnabled()) {
    if (!disabledImage_.empty())
      image = &disabledImage_;
  } else if (IsFocused() && !focusedImage_.empty()) {
    image = &focusedImage_;
  } else if ((state_ & UIState::kHot) && !hotImage_.empty()) {
    image = &hotImage_;
  }
  DrawImage(render, *image);
}

void CEditUI::PaintText(CRenderUI& render) {
  const UIRect tr = TextRect();
  if (tr.IsEmpty())
    return;
  UIClipScope clip(render, tr);
  if (chars_.empty()) {
    if (!tipValue_.empty() && !IsFocused()) {
      render.DrawText(tr, tipValue_, tipColor_, font_,
                      UIText::kSingleLine | UIText::kVCenter | UIText::kEndEllipsis);
    }
  } else {
    const int a = GetSelStart();
    const int b = GetSelEnd();
    if (a != b && IsFocused()) {
      const int x0 = tr.left + TextX(a) - scrollX_;
      const int x1 = tr.left + TextX(b) - scrollX_;
      UISize line = manager_ ? manager_->MeasureText("Ag", font_, UIText::kSingleLine, 0, false)
                             : UISize{0, 16};
      const int top = tr.top + (tr.Height() - line.cy) / 2;
      render.FillRect(UIRect{x0, top, x1, top + line.cy}, selectionColor_);
    }
    UIRect shifted{tr.left - scrollX_, tr.top, tr.right + 4096, tr.bottom};
    render.DrawText(shifted, U32ToUtf8(DisplayText()), EffectiveTextColor(), font_,
                    UIText::kSingleLine | UIText::kVCenter);
  }
  if (IsFocused() && caretVisible_ && !readOnly_) {
    UISize line = manager_ ? manager_->MeasureText("Ag", font_, UIText::kSingleLine, 0, false)
                           : UISize{0, 16};
    const int x = tr.left + TextX(caret_) - scrollX_;
    const int top = tr.top + (tr.Height() - line.cy) / 2;
    render.FillRect(UIRect{x, top, x + 1, top + line.cy},
                    caretColor_ != 0 ? caretColor_ : EffectiveTextColor());
  }
}

void CEditUI::PaintBorder(CRenderUI& render) {
  CLabelUI::PaintBorder(render);
}

bool CEditUI::SetAttribute(const std::string& name, const std::string& value) {
  int n = 0;
  UIColor c = 0;
  if (name == "password")
    SetPasswordMode(ParseUIBool(value));
  else if (name == "passwordchar") {
    std::u32string s = Utf8ToU32(value);
    if (!s.empty())
      SetPasswordChar(s[0]);
  } else if (name == "maxchar") {
    if (ParseUIInt(value, &n))
      SetMaxChar(n);
  } else if (name == "readonly") {
    SetReadOnly(ParseUIBool(value));
  } else if (name == "tipvalue") {
    SetTipValue(value);
  } else if (name == "tipvaluecolor") {
    if (ParseUIColor(value, &c))
      SetTipValueColor(c);
  } else if (name == "caretcolor") {
    if (ParseUIColor(value, &c))
      caretColor_ = c;
  } else if (name == "selectioncolor") {
    if (ParseUIColor(value, &c))
      selectionColor_ = c;
  } else if (name == "normalimage") {
    SetNormalImage(value);
  } else if (name == "hotimage") {
    SetHotImage(value);
  } else if (name == "focusedimage") {
    SetFocusedImage(value);
  } else if (name == "disabledimage") {
    SetDisabledImage(value);
  } else if (name == "text") {
    SetText(value);
  } else {
    return CLabelUI::SetAttribute(name, value);
  }
  Invalidate();
  return true;
}

}  // namespace zbe
