#include "ui/PaintManagerUI.h"

#include <algorithm>

#include "ui/ImageDecoder.h"
#include "ui/RenderUI.h"
#include "ui/UIApplication.h"
#include "ui/qt/QtBridge.h"
#include "ui/qt/TextPainter.h"

namespace zbe {
namespace {

CControlUI* HitProc(CControlUI* control, void* /*data*/) {
  return control;
}

CControlUI* NameProc(CControlUI* control, void* data) {
  return control->GetName() == *static_cast<const std::string*>(data) ? control : nullptr;
}

bool IsWithin(const CControlUI* c, const CControlUI* ancestor) {
  for (; c != nullptr; c = c->GetParent()) {
    if (c == ancestor)
      return true;
  }
  return false;
}

UIApplication* App() {
  return UIApplication::Instance();
}

}  // namespace

CPaintManagerUI::CPaintManagerUI() = default;

CPaintManagerUI::~CPaintManagerUI() {
  if (UIApplication* app = App())
    app->KillTimers(this, nullptr);
  delayedCleanup_.clear();
  focus_ = hot_ = capture_ = nullptr;
  root_.reset();
  if (UIApplication* app = App())
    app->KillTimers(this, nullptr);
}

void CPaintManagerUI::SetWindow(CWindowWnd* window, IUIHost* host) {
  window_ = window;
  host_ = host;
}

bool CPaintManagerUI::AttachDialog(std::unique_ptr<CControlUI> root) {
  if (!root)
    return false;
  if (root_)
    AddDelayedCleanup(DetachRoot());
  focus_ = hot_ = capture_ = nullptr;
  root_ = std::move(root);
  root_->SetManager(this, nullptr, true);
  initialized_ = false;
  NeedUpdate();
  return true;
}

std::unique_ptr<CControlUI> CPaintManagerUI::DetachRoot() {
  if (!root_)
    return nullptr;
  ReapObjects(root_.get());
  std::unique_ptr<CControlUI> root = std::move(root_);
  root->SetManager(nullptr, nullptr, false);
  return root;
}

CControlUI* CPaintManagerUI::FindControl(const std::string& name) const {
  auto it = names_.find(name);
  if (it == names_.end() || it->second.empty())
    return nullptr;
  return it->second.front();
}

CControlUI* CPaintManagerUI::FindControl(UIPoint pt) const {
  if (!root_)
    return nullptr;
  return root_->FindControl(HitProc, &pt, UIFind::kVisible | UIFind::kHitTest | UIFind::kTopFirst);
}

CControlUI* CPaintManagerUI::FindSubControlByName(CControlUI* parent,
                                                  const std::string& name) const {
  if (parent == nullptr || name.empty())
    return nullptr;
  std::string wanted = name;
  return parent->FindControl(NameProc, &wanted, UIFind::kAll | UIFind::kMeFirst);
}

void CPaintManagerUI::RegisterName(CControlUI* control) {
  if (control->GetName().empty())
    return;
  auto& list = names_[control->GetName()];
  if (std::find(list.begin(), list.end(), control) == list.end())
    list.push_back(control);
}

void CPaintManagerUI::UnregisterName(CControlUI* control) {
  if (control->GetName().empty())
    return;
  auto it = names_.find(control->GetName());
  if (it == names_.end())
    return;
  auto& list = it->second;
  list.erase(std::remove(list.begin(), list.end(), control), list.end());
  if (list.empty())
    names_.erase(it);
}

void CPaintManagerUI::AddNotifier(INotifyUI* notifier) {
  if (notifier == nullptr)
    return;
  if (std::find(notifiers_.begin(), notifiers_.end(), notifier) == notifiers_.end()) {
    notifiers_.push_back(notifier);
  }
}

bool CPaintManagerUI::RemoveNotifier(INotifyUI* notifier) {
  auto it = std::find(notifiers_.begin(), notifiers_.end(), notifier);
  if (it == notifiers_.end())
    return false;
  notifiers_.erase(it);
  return true;
}

bool CPaintManagerUI::AddVirtualWnd(const std::string& name, INotifyUI* page) {
  if (name.empty() || page == nullptr || virtualWnds_.count(name))
    return false;
  virtualWnds_[name] = page;
  return true;
}

bool CPaintManagerUI::RemoveVirtualWnd(const std::string& name) {
  return virtualWnds_.erase(name) > 0;
}

INotifyUI* CPaintManagerUI::GetVirtualWnd(const std::string& name) const {
  auto it = virtualWnds_.find(name);
  return it == virtualWnds_.end() ? nullptr : it->second;
}

void CPaintManagerUI::SendNotify(TNotifyUI& msg, bool async) {
  if (UIApplication* app = App())
    msg.dwTimestamp = app->NowMs();
  if (msg.pSender != nullptr)
    msg.sVirtualWnd = msg.pSender->GetVirtualWnd();
  if (msg.ptMouse == UIPoint{})
    msg.ptMouse = lastMouse_;
  if (async && host_ != nullptr) {
    TNotifyUI copy = msg;
    host_->HostPostTask([this, copy]() mutable { DeliverNotify(copy); });
    return;
  }
  DeliverNotify(msg);
}

void CPaintManagerUI::SendNotify(CControlUI* sender, const char* type, uintptr_t wParam,
                                 intptr_t lParam, bool async) {
  TNotifyUI msg;
  msg.sType = type;
  msg.pSender = sender;
  msg.wParam = wParam;
  msg.lParam = lParam;
  SendNotify(msg, async);
}

void CPaintManagerUI::DeliverNotify(TNotifyUI& msg) {
  if (!msg.sVirtualWnd.empty()) {
    auto it = virtualWnds_.find(msg.sVirtualWnd);
    if (it != virtualWnds_.end()) {
      it->second->Notify(msg);
      return;
    }
  }
  // A handler may add or remove notifiers.
  std::vector<INotifyUI*> targets = notifiers_;
  for (INotifyUI* n : targets) {
    if (std::find(notifiers_.begin(), notifiers_.end(), n) != notifiers_.end())
      n->Notify(msg);
  }
}

void CPaintManagerUI::SetClientSize(UISize size) {
  if (size == clientSize_)
    return;
  clientSize_ = size;
  NeedUpdate();
}

void CPaintManagerUI::AddFont(int id, const UIFontSpec& font, bool isDefault) {
  fonts_[id] = font;
  if (isDefault || defaultFont_ < 0)
    defaultFont_ = id;
  Invalidate();
}

const UIFontSpec& CPaintManagerUI::GetFont(int id) const {
  auto it = fonts_.find(id);
  if (it != fonts_.end())
    return it->second;
  it = fonts_.find(defaultFont_);
  if (it != fonts_.end())
    return it->second;
  return fallbackFont_;
}

void CPaintManagerUI::AddDefaultAttributeList(const std::string& className,
                                              const std::string& list) {
  defaults_[className] = list;
}

const std::string* CPaintManagerUI::GetDefaultAttributeList(const std::string& className) const {
  auto it = defaults_.find(className);
  if (it != defaults_.end())
    return &it->second;
  UIApplication* app = App();
  return app ? app->GetSharedDefault(className) : nullptr;
}

void CPaintManagerUI::AddStyle(const std::string& name, const std::string& list) {
  styles_[name] = list;
}

const std::string* CPaintManagerUI::GetStyle(const std::string& name) const {
  auto it = styles_.find(name);
  if (it != styles_.end())
    return &it->second;
  UIApplication* app = App();
  return app ? app->GetSharedStyle(name) : nullptr;
}

void CPaintManagerUI::AddOptionGroup(const std::string& group, CControlUI* option) {
  if (group.empty() || option == nullptr)
    return;
  auto& list = optionGroups_[group];
  if (std::find(list.begin(), list.end(), option) == list.end())
    list.push_back(option);
}

void CPaintManagerUI::RemoveOptionGroup(const std::string& group, CControlUI* option) {
  auto it = optionGroups_.find(group);
  if (it == optionGroups_.end())
    return;
  auto& list = it->second;
  list.erase(std::remove(list.begin(), list.end(), option), list.end());
  if (list.empty())
    optionGroups_.erase(it);
}

std::vector<CControlUI*> CPaintManagerUI::GetOptionGroup(const std::string& group) const {
  auto it = optionGroups_.find(group);
  return it == optionGroups_.end() ? std::vector<CControlUI*>() : it->second;
}

bool CPaintManagerUI::SetTimer(CControlUI* control, int id, int elapseMs) {
  UIApplication* app = App();
  return app != nullptr && app->SetTimer(this, control, id, elapseMs);
}

void CPaintManagerUI::KillTimer(CControlUI* control, int id) {
  if (UIApplication* app = App())
    app->KillTimer(this, control, id);
}

void CPaintManagerUI::KillTimers(CControlUI* control) {
  if (control == nullptr)
    return;
  if (UIApplication* app = App())
    app->KillTimers(this, control);
}

void CPaintManagerUI::FireTimer(CControlUI* control, int id) {
  TEventUI e{.type = UIEventType::kTimer, .chKey = static_cast<uint32_t>(id)};
  SendEvent(control, e);
}

void CPaintManagerUI::NeedUpdate() {
  updateNeeded_ = true;
  if (!inLayout_)
    Invalidate();
}

void CPaintManagerUI::UpdateLayout() {
  if (!root_ || inLayout_)
    return;
  inLayout_ = true;
  for (int pass = 0; pass < 4 && updateNeeded_; ++pass) {
    updateNeeded_ = false;
    root_->SetPos(UIRect{0, 0, clientSize_.cx, clientSize_.cy});
  }
  inLayout_ = false;
}

void CPaintManagerUI::Invalidate() {
  if (host_ != nullptr)
    host_->HostInvalidate(UIRect{0, 0, clientSize_.cx, clientSize_.cy});
}

void CPaintManagerUI::Invalidate(const UIRect& rc) {
  if (host_ != nullptr && !rc.IsEmpty())
    host_->HostInvalidate(rc);
}

void CPaintManagerUI::Paint(CRenderUI& render, const UIRect& rcPaint) {
  if (!root_)
    return;
  if (!initialized_)
    EnsureInitialized();
  UpdateLayout();
  root_->Paint(render, rcPaint);
}

void CPaintManagerUI::EnsureInitialized() {
  if (initialized_ || !root_)
    return;
  initialized_ = true;
  UpdateLayout();
  SendNotify(root_.get(), UINotify::kWindowInit);
}

UISize CPaintManagerUI::MeasureText(const std::string& text, int font, uint32_t style, int width,
                                    bool markup) const {
  QSize s = MeasureUIText(text, ManagerFont(*this, font), style, width, markup);
  return UISize{s.width(), s.height()};
}

UISize CPaintManagerUI::GetImageSize(const std::string& file) const {
  UIApplication* app = App();
  const UIImageData* data = app ? app->GetImage(file) : nullptr;
  return data ? UISize{data->width, data->height} : UISize{};
}

int CPaintManagerUI::GetImageFrameCount(const std::string& file) const {
  UIApplication* app = App();
  const UIImageData* data = app ? app->GetImage(file) : nullptr;
  return data ? static_cast<int>(data->frames.size()) : 0;
}

int CPaintManagerUI::GetImageFrameDelay(const std::string& file, int frame) const {
  UIApplication* app = App();
  const UIImageData* data = app ? app->GetImage(file) : nullptr;
  if (data == nullptr || frame < 0 || frame >= static_cast<int>(data->delaysMs.size()))
    return 0;
  return data->delaysMs[frame];
}

void CPaintManagerUI::ReapObjects(CControlUI* removed) {
  if (removed == nullptr)
    return;
  if (IsWithin(focus_, removed)) {
    focus_ = nullptr;
    if (host_ != nullptr)
      host_->HostSetTextInput(false);
  }
  if (IsWithin(hot_, removed))
    hot_ = nullptr;
  if (IsWithin(capture_, removed))
    capture_ = nullptr;
  if (UIApplication* app = App()) {
    app->KillTimersWhere(this, [removed](CControlUI* c) { return IsWithin(c, removed); });
  }
}

void CPaintManagerUI::ForgetControl(CControlUI* control) {
  UnregisterName(control);
  if (focus_ == control)
    focus_ = nullptr;
  if (hot_ == control)
    hot_ = nullptr;
  if (capture_ == control)
    capture_ = nullptr;
  if (UIApplication* app = App())
    app->KillTimers(this, control);
}

void CPaintManagerUI::AddDelayedCleanup(std::unique_ptr<CControlUI> control) {
  if (!control)
    return;
  delayedCleanup_.push_back(std::move(control));
  if (!cleanupPosted_ && host_ != nullptr) {
    cleanupPosted_ = true;
    host_->HostPostTask([this] { FlushDelayedCleanup(); });
  }
}

void CPaintManagerUI::FlushDelayedCleanup() {
  cleanupPosted_ = false;
  std::vector<std::unique_ptr<CControlUI>> doomed;
  doomed.swap(delayedCleanup_);
}

void CPaintManagerUI::PostTask(std::function<void()> task) {
  if (host_ == nullptr || !host_->HostPostTask(task))
    task();
}

UIPoint CPaintManagerUI::ClientToScreen(UIPoint pt) const {
  return host_ != nullptr ? host_->HostClientToScreen(pt) : pt;
}

void CPaintManagerUI::SetCursor(UICursor cursor) {
  if (host_ != nullptr)
    host_->HostSetCursor(cursor);
}

}  // namespace zbe
