// Plain types shared by every part of the toolkit: geometry, colours, text styles, control
// states, input events, notifications and the notification interface. Nothing here depends on
// the drawing library, so pages can include it freely.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

namespace zbe {

class CControlUI;

// The toolkit's result when a file it was asked to read (a skin file, an image, a page) is
// missing or cannot be read: the number the core uses for a missing file, so that pages can
// treat both alike.
inline constexpr int32_t kUIFileMissing = 87;

struct UIPoint {
  int x = 0;
  int y = 0;
  bool operator==(const UIPoint&) const = default;
};

struct UISize {
  int cx = 0;
  int cy = 0;
  bool operator==(const UISize&) const = default;
};

// A rectangle in window client coordinates; right and bottom are exclusive.
struct UIRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(UIPoint p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  constexpr UIPoint Center() const { return {(left + right) / 2, (top + bottom) / 2}; }
  constexpr UIRect Intersect(const UIRect& o) const {
    UIRect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
             std::min(bottom, o.bottom)};
    if (r.IsEmpty())
      return {};
    return r;
  }
  constexpr bool Intersects(const UIRect& o) const { return !Intersect(o).IsEmpty(); }
  constexpr UIRect Offset(int dx, int dy) const {
    return {left + dx, top + dy, right + dx, bottom + dy};
  }
  // Shrinks by the four margins of "m" (each side by its own value).
  constexpr UIRect Deflate(const UIRect& m) const {
    return {left + m.left, top + m.top, right - m.right, bottom - m.bottom};
  }
  bool operator==(const UIRect&) const = default;
};

// 0xAARRGGBB. An alpha of zero means "no colour": nothing is drawn.
using UIColor = uint32_t;

// Text layout flags for label-like drawing (the values of the classic DrawText flags, so that
// layouts and pages can combine them the way they are used to).
namespace UIText {
inline constexpr uint32_t kLeft = 0x0000;
inline constexpr uint32_t kTop = 0x0000;
inline constexpr uint32_t kCenter = 0x0001;
inline constexpr uint32_t kRight = 0x0002;
inline constexpr uint32_t kVCenter = 0x0004;
inline constexpr uint32_t kBottom = 0x0008;
inline constexpr uint32_t kWordBreak = 0x0010;
inline constexpr uint32_t kSingleLine = 0x0020;
inline constexpr uint32_t kEndEllipsis = 0x8000;
}  // namespace UIText

// Visual states of a control, combined as bits.
namespace UIState {
inline constexpr uint32_t kFocused = 0x01;
inline constexpr uint32_t kSelected = 0x02;
inline constexpr uint32_t kDisabled = 0x04;
inline constexpr uint32_t kHot = 0x08;
inline constexpr uint32_t kPushed = 0x10;
inline constexpr uint32_t kCaptured = 0x40;
}  // namespace UIState

// Key codes (the classic virtual-key values). Letters and digits are their upper-case ASCII
// codes ('A', '0').
namespace UIKey {
inline constexpr uint32_t kBack = 0x08;
inline constexpr uint32_t kTab = 0x09;
inline constexpr uint32_t kReturn = 0x0D;
inline constexpr uint32_t kShift = 0x10;
inline constexpr uint32_t kControl = 0x11;
inline constexpr uint32_t kMenu = 0x12;
inline constexpr uint32_t kEscape = 0x1B;
inline constexpr uint32_t kSpace = 0x20;
inline constexpr uint32_t kPrior = 0x21;
inline constexpr uint32_t kNext = 0x22;
inline constexpr uint32_t kEnd = 0x23;
inline constexpr uint32_t kHome = 0x24;
inline constexpr uint32_t kLeft = 0x25;
inline constexpr uint32_t kUp = 0x26;
inline constexpr uint32_t kRight = 0x27;
inline constexpr uint32_t kDown = 0x28;
inline constexpr uint32_t kInsert = 0x2D;
inline constexpr uint32_t kDelete = 0x2E;
inline constexpr uint32_t kF1 = 0x70;
}  // namespace UIKey

// Modifier and mouse-button bits of TEventUI::keyState.
namespace UIMod {
inline constexpr uint32_t kShift = 0x01;
inline constexpr uint32_t kCtrl = 0x02;
inline constexpr uint32_t kAlt = 0x04;
inline constexpr uint32_t kLeftButton = 0x10;
inline constexpr uint32_t kRightButton = 0x20;
}  // namespace UIMod

enum class UIEventType {
  kMouseMove,
  kMouseEnter,
  kMouseLeave,
  kButtonDown,
  kButtonUp,
  kDblClick,
  kRButtonDown,
  kScrollWheel,
  kKeyDown,
  kChar,
  kSetFocus,
  kKillFocus,
  kTimer,
};

constexpr bool IsMouseEvent(UIEventType t) {
  return t == UIEventType::kMouseMove || t == UIEventType::kMouseEnter ||
         t == UIEventType::kMouseLeave || t == UIEventType::kButtonDown ||
         t == UIEventType::kButtonUp || t == UIEventType::kDblClick ||
         t == UIEventType::kRButtonDown || t == UIEventType::kScrollWheel;
}

// An input or timer event on its way to one control.
struct TEventUI {
  UIEventType type = UIEventType::kMouseMove;
  CControlUI* pSender = nullptr;
  uint64_t timestamp = 0;
  UIPoint ptMouse{};
  uint32_t chKey = 0;     // key code (kKeyDown), Unicode code point (kChar), timer id (kTimer)
  uint32_t keyState = 0;  // UIMod bits
  int wheelDelta = 0;     // kScrollWheel: positive away from the user, 120 per notch
};

// A notification from a control to the window or page that handles it.
struct TNotifyUI {
  std::string sType;        // "click", "selectchanged", ... (the UINotify names)
  std::string sVirtualWnd;  // the page the sender belongs to, "" for the window itself
  CControlUI* pSender = nullptr;
  uint64_t dwTimestamp = 0;
  UIPoint ptMouse;
  uintptr_t wParam = 0;
  intptr_t lParam = 0;
};

// Implemented by windows and pages that receive notifications. Called on the UI thread.
class INotifyUI {
 public:
  virtual ~INotifyUI() = default;
  virtual void Notify(TNotifyUI& msg) = 0;
};

// Notification names. Which controls send which, with what wParam and lParam, is stated at the
// sending control's class.
namespace UINotify {
inline constexpr char kWindowInit[] = "windowinit";
inline constexpr char kClick[] = "click";
inline constexpr char kSelectChanged[] = "selectchanged";
inline constexpr char kItemSelect[] = "itemselect";
inline constexpr char kItemClick[] = "itemclick";
inline constexpr char kItemExpand[] = "itemexpand";
inline constexpr char kListItemDblClick[] = "list_item_dbclick";
inline constexpr char kListCheckClick[] = "list_check_click";
inline constexpr char kCheckBoxSelectChanged[] = "checkboxselectchanged";
inline constexpr char kTimer[] = "timer";
inline constexpr char kOnHot[] = "onhot";
inline constexpr char kOffHot[] = "offhot";
inline constexpr char kSetFocus[] = "setfocus";
inline constexpr char kKillFocus[] = "killfocus";
inline constexpr char kTextChanged[] = "textchanged";
inline constexpr char kReturn[] = "return";
inline constexpr char kTabSelect[] = "tabselect";
inline constexpr char kHeaderClick[] = "headerclick";
inline constexpr char kScroll[] = "scroll";
inline constexpr char kMenu[] = "menu";
inline constexpr char kNavigateComplete[] = "navigatecomplete";
}  // namespace UINotify

// Window message numbers the toolkit itself understands. Applications use numbers from
// kMsgUser (1024) on, e.g. 1027 to 1036.
namespace UIMsg {
inline constexpr uint32_t kClose = 0x0010;
inline constexpr uint32_t kUser = 0x0400;
}  // namespace UIMsg

// Where a point of a frameless window lies, for moving and resizing by the platform.
enum class UIHitTest {
  kClient,
  kCaption,
  kLeft,
  kRight,
  kTop,
  kBottom,
  kTopLeft,
  kTopRight,
  kBottomLeft,
  kBottomRight,
};

// Mouse pointer shapes a control may ask for.
enum class UICursor { kArrow, kIBeam, kHand, kSizeWE, kSizeNS };

// Check state of check boxes, list rows and tree nodes.
enum class UICheckState { kUnchecked = 0, kChecked = 1, kHalfChecked = 2 };

}  // namespace zbe
