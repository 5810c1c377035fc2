#include "ui/UIApplication.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <pugixml.hpp>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "ui/AttributeValues.h"
#include "ui/ImageDecoder.h"
#include "ui/PaintManagerUI.h"
#include "ui/SkinSource.h"
#include "ui/UIDefs.h"
#include "ui/qt/QtBridge.h"

namespace zbe {
namespace {

UIApplication* g_instance = nullptr;  // the one accessor's object (see Instance)

struct CachedImage {
  UIImageData data;
  std::vector<QImage> frames;
};

struct TimerEntry {
  CPaintManagerUI* manager;
  CControlUI* control;
  int id;
  int period;
  uint64_t due;
  uint64_t seq;
};

}  // namespace

struct UIApplication::Impl {
  std::unique_ptr<QApplication> app;
  std::unique_ptr<ISkinSource> zip;
  std::string programFolder;
  std::string skinFolderName = "Skins/";
  std::map<std::string, std::unique_ptr<pugi::xml_document>> layouts;
  std::map<std::string, std::unique_ptr<CachedImage>> images;
  std::set<std::string> missingImages;
  std::unique_ptr<ISystemServicesUI> services;
  std::set<std::string> reported;
  std::map<std::string, std::string> sharedDefaults;
  std::map<std::string, std::string> sharedStyles;
  std::function<void(CWindowWnd&)> modalObserver;
  bool running = false;      // inside Run
  bool pendingQuit = false;  // Quit was asked outside Run
  int quitCode = 0;

  // Timers: few at any time, so a vector searched for the earliest is enough.
  std::vector<TimerEntry> timers;
  uint64_t timerSeq = 0;
  QTimer qtimer;
  bool manualClock = false;
  uint64_t manualNow = 0;
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();

  uint64_t RealNow() const {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now() - start)
                                     .count());
  }
  uint64_t Now() const { return manualClock ? manualNow : RealNow(); }

  std::string SkinFolderPath() const { return programFolder + skinFolderName; }

  bool SkinFolderExists() const {
    std::error_code ec;
    return !skinFolderName.empty() && std::filesystem::is_directory(SkinFolderPath(), ec);
  }

  // Index of the earliest timer due at or before "limit", or -1.
  int EarliestDue(uint64_t limit) const {
    int best = -1;
    for (size_t i = 0; i < timers.size(); ++i) {
      const TimerEntry& t = timers[i];
      if (t.due > limit)
        continue;
      if (best < 0 || t.due < timers[best].due ||
          (t.due == timers[best].due && t.seq < timers[best].seq)) {
        best = static_cast<int>(i);
      }
    }
    return best;
  }

  void Arm() {
    if (manualClock || timers.empty()) {
      qtimer.stop();
      return;
    }
    uint64_t next = UINT64_MAX;
    for (const TimerEntry& t : timers)
      next = std::min(next, t.due);
    uint64_t now = RealNow();
    qtimer.start(static_cast<int>(next > now ? std::min<uint64_t>(next - now, 1u << 30) : 0));
  }

  // Fires the timer at "index": moves its due time on first, because the handler may kill or
  // restart it.
  void FireAt(int index, uint64_t now) {
    TimerEntry& t = timers[index];
    t.due = manualClock ? t.due + static_cast<uint64_t>(std::max(1, t.period))
                        : now + static_cast<uint64_t>(std::max(1, t.period));
    CPaintManagerUI* manager = t.manager;
    CControlUI* control = t.control;
    int id = t.id;
    manager->FireTimer(control, id);
  }

  CachedImage* Load(UIApplication& owner, const std::string& file, UIColor mask) {
    std::string norm = NormalizeSkinName(file);
    std::string key = norm;
    for (char& c : key)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (mask != 0)
      key += "|" + std::to_string(mask);
    auto it = images.find(key);
    if (it != images.end())
      return it->second.get();
    if (missingImages.count(key))
      return nullptr;
    std::vector<uint8_t> bytes;
    int32_t rc = owner.ReadSkinFile(norm, &bytes);
    auto cached = std::make_unique<CachedImage>();
    if (rc == 0)
      rc = DecodeImage(bytes, &cached->data);
    if (rc != 0) {
      missingImages.insert(key);
      owner.ReportOnce("image|" + key, "zbe-ui: skin image \"" + norm + "\" cannot be loaded (" +
                                           std::to_string(rc) + ")");
      return nullptr;
    }
    if (mask != 0) {
      // The mask colour becomes fully transparent (RGB compared, alpha ignored).
      const uint8_t r = (mask >> 16) & 0xFF, g = (mask >> 8) & 0xFF, b = mask & 0xFF;
      for (auto& frame : cached->data.frames) {
        for (size_t i = 0; i + 3 < frame.size(); i += 4) {
          if (frame[i] == r && frame[i + 1] == g && frame[i + 2] == b)
            frame[i + 3] = 0;
        }
      }
    }
    for (size_t i = 0; i < cached->data.frames.size(); ++i) {
      cached->frames.push_back(ToQImage(cached->data, static_cast<int>(i)));
    }
    CachedImage* result = cached.get();
    images.emplace(key, std::move(cached));
    return result;
  }

  void OnRealTimer() {
    uint64_t now = RealNow();
    // Fire each timer due now at most once per round, so a 1 ms timer cannot starve the loop.
    std::vector<uint64_t> fired;
    for (;;) {
      int i = EarliestDue(now);
      if (i < 0)
        break;
      uint64_t seq = timers[i].seq;
      if (std::find(fired.begin(), fired.end(), seq) != fired.end())
        break;
      fired.push_back(seq);
      FireAt(i, now);
    }
    Arm();
  }
};

UIApplication::UIApplication(int& argc, char** argv) : impl_(std::make_unique<Impl>()) {
  impl_->app = std::make_unique<QApplication>(argc, argv);
  impl_->programFolder = FromQ(QCoreApplication::applicationDirPath()) + "/";
  impl_->services = CreateDefaultSystemServices();
  impl_->qtimer.setSingleShot(true);
  impl_->qtimer.callOnTimeout([this] { impl_->OnRealTimer(); });
  g_instance = this;
}

UIApplication::~UIApplication() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  impl_->qtimer.stop();
  impl_->timers.clear();
  impl_->images.clear();
  impl_->layouts.clear();
  g_instance = nullptr;
  impl_->services.reset();
  impl_->app.reset();
}

void UIApplication::SetModalObserver(std::function<void(CWindowWnd&)> observer) {
  impl_->modalObserver = std::move(observer);
}

const std::function<void(CWindowWnd&)>& UIApplication::GetModalObserver() const {
  return impl_->modalObserver;
}

UIApplication* UIApplication::Instance() {
  return g_instance;
}

int UIApplication::Run() {
  if (impl_->pendingQuit) {
    impl_->pendingQuit = false;
    return impl_->quitCode;
  }
  impl_->running = true;
  const int code = QApplication::exec();
  impl_->running = false;
  return code;
}

void UIApplication::Quit(int code) {
  if (impl_->running) {
    QCoreApplication::exit(code);
    return;
  }
  // Outside Run the platform would make every later event loop (a modal window's) end at
  // once; the request waits for Run instead.
  impl_->pendingQuit = true;
  impl_->quitCode = code;
}

void UIApplication::ProcessEvents() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
  // Outside a running loop Qt keeps objects disposed of later until asked.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int32_t UIApplication::SetResourceZip(std::span<const unsigned char> zip) {
  int32_t result = 0;
  auto source = OpenSkinZip(zip, &result);
  if (!source)
    return result;
  impl_->zip = std::move(source);
  ClearCaches();
  return 0;
}

void UIApplication::SetProgramFolder(const std::string& folder) {
  impl_->programFolder = folder;
  if (!impl_->programFolder.empty() && impl_->programFolder.back() != '/') {
    impl_->programFolder += '/';
  }
  ClearCaches();
}

const std::string& UIApplication::GetProgramFolder() const {
  return impl_->programFolder;
}

void UIApplication::SetSkinFolderName(const std::string& name) {
  impl_->skinFolderName = NormalizeSkinName(name);
  if (!impl_->skinFolderName.empty() && impl_->skinFolderName.back() != '/') {
    impl_->skinFolderName += '/';
  }
  ClearCaches();
}

bool UIApplication::IsUsingSkinFolder() const {
  return impl_->SkinFolderExists();
}

int32_t UIApplication::ReadSkinFile(const std::string& name, std::vector<uint8_t>* out) const {
  if (impl_->SkinFolderExists()) {
    return OpenSkinFolder(impl_->SkinFolderPath())->ReadFile(name, out);
  }
  if (!impl_->zip)
    return kUIFileMissing;
  return impl_->zip->ReadFile(name, out);
}

const pugi::xml_document* UIApplication::GetLayout(const std::string& name, std::string* error) {
  std::string key = NormalizeSkinName(name);
  for (char& c : key)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  auto it = impl_->layouts.find(key);
  if (it != impl_->layouts.end())
    return it->second.get();
  std::vector<uint8_t> bytes;
  int32_t rc = ReadSkinFile(name, &bytes);
  if (rc != 0) {
    if (error)
      *error = "cannot read layout \"" + name + "\" (" + std::to_string(rc) + ")";
    return nullptr;
  }
  auto doc = std::make_unique<pugi::xml_document>();
  pugi::xml_parse_result parsed =
      doc->load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_auto);
  if (!parsed) {
    if (error) {
      *error = "layout \"" + name + "\" is not well-formed XML: " + parsed.description() +
               " at offset " + std::to_string(parsed.offset);
    }
    return nullptr;
  }
  const pugi::xml_document* result = doc.get();
  impl_->layouts.emplace(key, std::move(doc));
  return result;
}

const UIImageData* UIApplication::GetImage(const std::string& file, UIColor mask) {
  CachedImage* cached = impl_->Load(*this, file, mask);
  return cached ? &cached->data : nullptr;
}

const QImage* SkinImageFrame(const std::string& file, UIColor mask, int frame) {
  UIApplication* app = UIApplication::Instance();
  if (app == nullptr)
    return nullptr;
  CachedImage* cached = app->GetImpl().Load(*app, file, mask);
  if (cached == nullptr || frame < 0 || frame >= static_cast<int>(cached->frames.size())) {
    return nullptr;
  }
  return &cached->frames[frame];
}

void UIApplication::ClearCaches() {
  impl_->layouts.clear();
  impl_->images.clear();
  impl_->missingImages.clear();
}

ISystemServicesUI& UIApplication::Services() {
  return *impl_->services;
}

void UIApplication::SetServices(std::unique_ptr<ISystemServicesUI> services) {
  if (services)
    impl_->services = std::move(services);
}

uint64_t UIApplication::NowMs() const {
  return impl_->Now();
}

void UIApplication::SetManualClock(bool manual) {
  if (manual == impl_->manualClock)
    return;
  uint64_t now = impl_->Now();
  impl_->manualClock = manual;
  impl_->manualNow = now;
  if (!manual) {
    // Keep the pending due times relative to the real clock.
    uint64_t real = impl_->RealNow();
    for (TimerEntry& t : impl_->timers)
      t.due = real + (t.due > now ? t.due - now : 0);
  }
  impl_->Arm();
}

bool UIApplication::IsManualClock() const {
  return impl_->manualClock;
}

void UIApplication::AdvanceClock(int ms) {
  if (!impl_->manualClock || ms < 0)
    return;
  const uint64_t target = impl_->manualNow + static_cast<uint64_t>(ms);
  for (;;) {
    int i = impl_->EarliestDue(target);
    if (i < 0)
      break;
    impl_->manualNow = std::max(impl_->manualNow, impl_->timers[i].due);
    impl_->FireAt(i, impl_->manualNow);
  }
  impl_->manualNow = target;
}

bool UIApplication::SetTimer(CPaintManagerUI* manager, CControlUI* control, int id, int elapseMs) {
  if (manager == nullptr || control == nullptr || elapseMs <= 0)
    return false;
  const uint64_t due = impl_->Now() + static_cast<uint64_t>(elapseMs);
  for (TimerEntry& t : impl_->timers) {
    if (t.manager == manager && t.control == control && t.id == id) {
      t.period = elapseMs;
      t.due = due;
      t.seq = ++impl_->timerSeq;
      impl_->Arm();
      return true;
    }
  }
  impl_->timers.push_back(TimerEntry{manager, control, id, elapseMs, due, ++impl_->timerSeq});
  impl_->Arm();
  return true;
}

void UIApplication::KillTimer(CPaintManagerUI* manager, CControlUI* control, int id) {
  auto& v = impl_->timers;
  v.erase(std::remove_if(v.begin(), v.end(),
                         [&](const TimerEntry& t) {
                           return t.manager == manager && t.control == control && t.id == id;
                         }),
          v.end());
  impl_->Arm();
}

void UIApplication::KillTimers(CPaintManagerUI* manager, CControlUI* control) {
  auto& v = impl_->timers;
  v.erase(std::remove_if(v.begin(), v.end(),
                         [&](const TimerEntry& t) {
                           return t.manager == manager &&
                                  (control == nullptr || t.control == control);
                         }),
          v.end());
  impl_->Arm();
}

void UIApplication::KillTimersWhere(CPaintManagerUI* manager,
                                    const std::function<bool(CControlUI*)>& inSubtree) {
  auto& v = impl_->timers;
  v.erase(std::remove_if(
              v.begin(), v.end(),
              [&](const TimerEntry& t) { return t.manager == manager && inSubtree(t.control); }),
          v.end());
  impl_->Arm();
}

bool UIApplication::HasTimer(const CControlUI* control, int id) const {
  for (const TimerEntry& t : impl_->timers) {
    if (t.control == control && t.id == id)
      return true;
  }
  return false;
}

void UIApplication::ReportOnce(const std::string& key, const std::string& message) {
  if (!impl_->reported.insert(key).second)
    return;
  std::fprintf(stderr, "%s\n", message.c_str());
  std::fflush(stderr);
}

void UIApplication::AddSharedDefault(const std::string& className, const std::string& list) {
  impl_->sharedDefaults[className] = list;
}

const std::string* UIApplication::GetSharedDefault(const std::string& className) const {
  auto it = impl_->sharedDefaults.find(className);
  return it == impl_->sharedDefaults.end() ? nullptr : &it->second;
}

void UIApplication::AddSharedStyle(const std::string& name, const std::string& list) {
  impl_->sharedStyles[name] = list;
}

const std::string* UIApplication::GetSharedStyle(const std::string& name) const {
  auto it = impl_->sharedStyles.find(name);
  return it == impl_->sharedStyles.end() ? nullptr : &it->second;
}

}  // namespace zbe
