#include "app/CPreviewVrtWnd.h"

#include "app/AppMessages.h"
#include "app/CMessageBox.h"
#include "app/CPreviewProcessWnd.h"
#include "app/CSettings.h"
#include "app/CustomControls.h"
#include "app/MediaPlayers.h"
#include "app/StartupSteps.h"
#include "backup/CBackupParser.h"
#include "platform/FileSystem.h"
#include "ui/DialogBuilder.h"
#include "ui/ImageObject.h"
#include "ui/LabelUI.h"
#include "ui/ListElementUI.h"
#include "ui/OptionUI.h"
#include "ui/RichEditUI.h"

namespace zbe {
namespace {

constexpr UIColor kRuleColor = 0xFFD7D7D7;
constexpr UIColor kNoteColor = 0xFF404040;
constexpr int kRuleFont = 5;  // small enough for the note's dashed line to fit the pane
constexpr char kMessagesRule[] = "-------------------- Messages --------------------";

// Builds the application's own controls (the bubbles' "LabelEx") for the layouts of the pane.
class AppControls : public IDialogBuilderCallback {
 public:
  std::unique_ptr<CControlUI> CreateControl(const std::string& className) override {
    return CreateAppControl(className);
  }
};

CPreviewVrtWnd::CopyKind KindOfCopy(const std::string& path) {
  const size_t dot = path.rfind('.');
  const std::string extension = dot == std::string::npos ? "" : path.substr(dot + 1);
  if (extension == "jpg")
    return CPreviewVrtWnd::CopyKind::kImage;
  if (extension == "wav")
    return CPreviewVrtWnd::CopyKind::kAudio;
  if (extension == "avi")
    return CPreviewVrtWnd::CopyKind::kVideo;
  return CPreviewVrtWnd::CopyKind::kNone;
}

void SetVisible(CPaintManagerUI& m, const char* name, bool visible) {
  if (CControlUI* c = m.FindControl(name))
    c->SetVisible(visible);
}

}  // namespace

CPreviewVrtWnd::CPreviewVrtWnd(CWindowWnd& window, const CSettings& settings,
                               const CBackupParser& parser)
    : window_(window), settings_(settings), parser_(parser) {}

CPreviewVrtWnd::~CPreviewVrtWnd() {
  StopVideoWatch();
}

void CPreviewVrtWnd::FindControls() {
  CPaintManagerUI& m = window_.GetManager();
  post_ = window_.GetPostTarget();
  edit_ = m.Find<CRichEditUI>("PreviewEdit");
  list_ = m.Find<CListUI>("MessagesList");
}

void CPreviewVrtWnd::Clear() {
  StopAnimation();
  if (edit_ != nullptr)
    edit_->Clear();
  if (list_ != nullptr)
    list_->RemoveAll();
  CPaintManagerUI& m = window_.GetManager();
  SetVisible(m, "PreviewPane", false);
  SetVisible(m, "SwitchLayout", false);
  SetVisible(m, "PreviewLayout", false);
  lastPath_.clear();
  copyPath_.clear();
  kind_ = CopyKind::kNone;
}

void CPreviewVrtWnd::ShowHint(Hint hint) {
  CPaintManagerUI& m = window_.GetManager();
  SetVisible(m, "LblHintCalls", hint == Hint::kCalls);
  SetVisible(m, "LblHintAudio", hint == Hint::kAudio);
  SetVisible(m, "LblHintVideo", hint == Hint::kVideo);
  SetVisible(m, "LblHintFolders", hint == Hint::kFolders);
}

void CPreviewVrtWnd::Show(PreviewArea area) {
  CPaintManagerUI& m = window_.GetManager();
  ShowHint(Hint::kNone);
  SetVisible(m, "LblPreviewName", false);
  SetVisible(m, "PreviewPane", true);
  SetVisible(m, "SwitchLayout", true);
  auto* option = m.Find<COptionUI>("OptOnOffPreview");
  SetContentVisible(option == nullptr || option->IsSelected());
  StopAnimation();
  if (edit_ != nullptr) {
    edit_->Clear();
    edit_->SetVisible(area == PreviewArea::kText);
  }
  if (list_ != nullptr) {
    list_->RemoveAll();
    list_->SetVisible(area == PreviewArea::kList);
  }
}

void CPreviewVrtWnd::SetContentVisible(bool visible) {
  SetVisible(window_.GetManager(), "PreviewLayout", visible);
}

void CPreviewVrtWnd::ShowNote(const NoteRecord& note) {
  if (edit_ == nullptr)
    return;
  StopAnimation();
  edit_->Clear();
  edit_->AppendText("  ---------------------------------------------------  \n", kRuleColor,
                    kRuleFont);
  edit_->AppendText("Title:\n    " + note.title + "\nNote:\n     " + note.body, kNoteColor);
}

CListUI* CPreviewVrtWnd::EmptyList() {
  if (list_ != nullptr)
    list_->RemoveAll();
  return list_;
}

void CPreviewVrtWnd::ShowContact(const ContactRecord& contact) {
  CListUI* list = EmptyList();
  if (list == nullptr)
    return;
  AppControls controls;
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> card =
      builder.Create("xml/ContactInfo.xml", &controls, &window_.GetManager());
  if (!card)
    return;
  CControlUI* cardPtr = card.get();
  list->Add(std::move(card));
  CPaintManagerUI& m = window_.GetManager();
  if (CControlUI* name = m.FindSubControlByName(cardPtr, "TxtUserName"))
    name->SetText(contact.name);
  const struct {
    const char* line;
    const char* text;
    const std::string& value;
  } lines[] = {{"PhoneLine", "TxtPhone", contact.phone},
               {"EmailLine", "TxtEmail", contact.email},
               {"AddressLine", "TxtAddress", contact.address},
               {"UrlLine", "TxtUrl", contact.url},
               {"SocialLine", "TxtSocial", contact.social},
               {"CompanyLine", "TxtCompany", contact.company}};
  for (const auto& line : lines) {
    if (CControlUI* text = m.FindSubControlByName(cardPtr, line.text))
      text->SetText(line.value);
    if (CControlUI* row = m.FindSubControlByName(cardPtr, line.line))
      row->SetVisible(!line.value.empty());
  }
}

void CPreviewVrtWnd::AddBubble(bool sent, const std::string& title, const std::string& text) {
  AppControls controls;
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> bubble =
      builder.Create(sent ? "xml/MessagesElementSend.xml" : "xml/MessagesElementRecv.xml",
                     &controls, &window_.GetManager());
  if (!bubble)
    return;
  CControlUI* bubblePtr = bubble.get();
  list_->Add(std::move(bubble));
  CPaintManagerUI& m = window_.GetManager();
  if (CControlUI* label = m.FindSubControlByName(bubblePtr, "LblMsgTitle"))
    label->SetText(title);
  if (CControlUI* label = m.FindSubControlByName(bubblePtr, "LblMsgText")) {
    label->SetText(text);
    // A message without text (an attachment only) keeps its title line, not an empty bubble.
    label->SetVisible(text.find_first_not_of(" \t\r\n") != std::string::npos);
  }
}

bool CPreviewVrtWnd::StartConversation() {
  CListUI* list = EmptyList();
  if (list == nullptr)
    return false;
  auto rule = std::make_unique<CListContainerElementUI>();
  auto* label = rule->AddNew<CLabelUI>();
  label->SetText(kMessagesRule);
  label->SetTextColor(kRuleColor);
  label->SetTextStyle(UIText::kCenter | UIText::kVCenter | UIText::kSingleLine);
  rule->SetFixedHeight(28);
  rule->SetMouseEnabled(false);
  list->Add(std::move(rule));
  return true;
}

void CPreviewVrtWnd::ShowMessages(const std::vector<MessageRecord>& messages) {
  if (!StartConversation())
    return;
  for (const MessageRecord& message : messages) {
    const bool sent = message.isFromMe != 0;
    const std::string& name = message.contactName.empty() ? message.sender : message.contactName;
    AddBubble(sent, sent ? message.date + " Me:" : message.date + " " + name + ":", message.text);
  }
}

void CPreviewVrtWnd::ShowChat(const std::vector<WhatsAppMessage>& messages) {
  if (!StartConversation())
    return;
  for (const WhatsAppMessage& message : messages) {
    const bool sent = message.isFromMe != 0;
    AddBubble(sent, sent ? message.date + " Me:" : message.date + " " + message.senderName + ":",
              message.text);
  }
}

void CPreviewVrtWnd::PreviewFile(const std::string& storedPath, const std::string& name) {
  if (storedPath.empty())
    return;
  if (storedPath == lastPath_) {
    window_.PostMessage(AppMsg::kPreviewReady, 0);
    return;
  }
  StopVideoWatch();
  EndStartedPlayers();
  StopAnimation();
  if (edit_ != nullptr)
    edit_->Clear();
  ShowHint(Hint::kNone);
  if (CControlUI* caption = window_.GetManager().FindControl("LblPreviewName")) {
    caption->SetText(name);
    caption->SetVisible(true);
  }
  // Remembered only once its copy exists, so a cancelled or failed copy is tried again rather
  // than showing the copy of another file.
  lastPath_.clear();
  kind_ = CopyKind::kNone;
  std::string copy;
  const std::optional<uint64_t> size = FileSize(storedPath);
  if (size && *size > kDirectCopyLimit) {
    CPreviewProcessWnd progress(
        settings_,
        [this](const std::string& stored, std::string& out, PreviewCopyCallback callback,
               void* context) { return parser_.MakePreviewCopy(stored, out, callback, context); },
        storedPath, name);
    if (progress.Run(&window_) != CPreviewProcessWnd::kCopied)
      return;
    copy = progress.CopyPath();
  } else if (parser_.MakePreviewCopy(storedPath, copy, nullptr, nullptr) != 0) {
    return;
  }
  lastPath_ = storedPath;
  copyPath_ = copy;
  kind_ = KindOfCopy(copy);
  window_.PostMessage(AppMsg::kPreviewReady, 0);
}

void CPreviewVrtWnd::ShowCopy() {
  if (edit_ == nullptr || lastPath_.empty())
    return;
  StopAnimation();
  edit_->Clear();
  switch (kind_) {
    case CopyKind::kImage:
      if (edit_->InsertImageObject(kImageOleInterfaceId, copyPath_) == 0 &&
          edit_->HasAnimations()) {
        window_.GetManager().SetTimer(edit_, kAnimationTimerId, kAnimationPeriodMs);
      }
      break;
    case CopyKind::kAudio:
      ShowHint(Hint::kAudio);
      EndStartedPlayers();
      StartAudioPlayer(settings_.ProgramFolder(), copyPath_);
      break;
    case CopyKind::kVideo:
      ShowHint(Hint::kVideo);
      PlayVideo(copyPath_);
      break;
    case CopyKind::kNone:
      break;
  }
}

void CPreviewVrtWnd::StopAnimation() {
  if (edit_ != nullptr)
    window_.GetManager().KillTimer(edit_, kAnimationTimerId);
}

void CPreviewVrtWnd::PlayVideo(const std::string& path) {
  StopVideoWatch();
  EndStartedPlayers();
  stopWatch_ = false;
  videoWatch_ = std::thread([this, path, folder = settings_.ProgramFolder()] {
    VideoPlayer player;
    bool playing =
        StartVideoPlayer(folder, path, player) == 0 && WaitUntilPlaying(player, stopWatch_);
    if (playing || stopWatch_.load())
      return;
    post_.PostTask([this] {
      ShowHint(Hint::kNone);  // it does not play after all
      CMessageBox::Show(settings_, std::nullopt, MsgBoxKind::kInformation, &window_,
                        settings_.Message("MSG1207"));
    });
  });
}

void CPreviewVrtWnd::StopVideoWatch() {
  stopWatch_ = true;
  if (videoWatch_.joinable())
    videoWatch_.join();
}

void CPreviewVrtWnd::Notify(TNotifyUI& msg) {
  if (msg.sType == UINotify::kTimer && msg.pSender == edit_ && msg.wParam == kAnimationTimerId &&
      edit_ != nullptr) {
    edit_->AdvanceAnimations(kAnimationPeriodMs);
  }
}

}  // namespace zbe
