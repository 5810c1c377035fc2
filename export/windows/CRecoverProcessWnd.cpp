#include "export/windows/CRecoverProcessWnd.h"

#include <algorithm>
#include <utility>

#include "app/AppLinks.h"
#include "app/ApplyTexts.h"
#include "app/CMessageBox.h"
#include "app/CSettings.h"
#include "app/MessageFormat.h"
#include "export/windows/DetailRows.h"
#include "records/Result.h"
#include "ui/ListUI.h"
#include "ui/ProgressUI.h"
#include "ui/SystemServices.h"

namespace zbe {
namespace {

// The template failure's box is smaller than the pages' boxes.
constexpr int kTemplateBoxWidth = 500;
constexpr int kTemplateBoxHeight = 200;

// How much of the whole run is done, 0..100: the files finished, and the part of the one being
// written. (The current file's own percent alone would fill the bar for every small file.)
int32_t RunPercent(int32_t filePercent, const ExportCounts& counts) {
  if (counts.total <= 0)
    return 0;
  const int64_t total = counts.total;
  const int64_t done = std::min<int64_t>(counts.done, total);
  const int64_t part = done < total && filePercent < 100 ? std::max(filePercent, 0) : 0;
  return static_cast<int32_t>((done * 100 + part) / total);
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/')
    path.pop_back();
  return path;
}

}  // namespace

CRecoverProcessWnd::CRecoverProcessWnd(const CSettings& settings, ExportInputs inputs)
    : settings_(settings),
      destination_(WithoutTrailingSlash(inputs.destinationRoot)),
      programFolder_(inputs.programFolder),
      feed_([this] { post_.PostTask([this] { Flush(); }); }),
      run_(std::move(inputs), &feed_) {}

CRecoverProcessWnd::~CRecoverProcessWnd() = default;

std::string CRecoverProcessWnd::Msg(const char* id) const {
  return settings_.Message(id);
}

void CRecoverProcessWnd::SetVisible(const char* name, bool visible) {
  if (CControlUI* c = manager_.FindControl(name))
    c->SetVisible(visible);
}

void CRecoverProcessWnd::SetText(const char* name, const std::string& text) {
  if (CControlUI* c = manager_.FindControl(name))
    c->SetText(text);
}

void CRecoverProcessWnd::InitWindow() {
  post_ = GetPostTarget();
}

void CRecoverProcessWnd::Notify(TNotifyUI& msg) {
  if (msg.sType == UINotify::kWindowInit) {
    Begin();
    return;
  }
  if (msg.sType != UINotify::kClick || msg.pSender == nullptr) {
    CPopUpWnd::Notify(msg);
    return;
  }
  const std::string& name = msg.pSender->GetName();
  if (name == "CancelBtn" || name == "closebtn") {
    Cancel();
  } else if (name == "FinishBtn") {
    if (state_ == State::kFinished)
      Close(1);
  } else if (name == "OpenBtn") {
    OpenDestination();
  } else if (name == "DetailBtn") {
    ShowDetails(!detailsShown_);
  } else if (name == "BtnUrlIOSMobileRecovery") {
    UIShellOpen(AppPageAddress(AppPage::kExportedFiles, programFolder_));
  }
}

void CRecoverProcessWnd::Begin() {
  ApplyTexts(manager_, settings_, LangSection::kRecoverProcessWnd, TextTarget::kPopup);
  SetText("LblDestination", FormatMessage(Msg("MSG1108"), {destination_}));
  SetText("current", "");
  SetVisible("FinishBtn", false);
  SetVisible("CancelBtn", true);
  ShowDetails(false);
  ShowProgress(0, "", ExportCounts{});

  if (!run_.LoadTemplates().ok()) {
    const TemplateFailure& failure = run_.templateFailure();
    Refuse(FormatMessage(Msg("MSG1104"), {failure.path, Result::System(failure.errorCode).Text()}),
           kTemplateBoxWidth, kTemplateBoxHeight);
    return;
  }
  const Result started = run_.Start();
  if (started == kDestinationInBackup) {
    Refuse(FormatMessage(Msg("MSG1105"), {destination_}));
    return;
  }
  if (!started.ok()) {
    Refuse(FormatMessage(Msg("MSG1106"), {started.Text()}));
    return;
  }
  state_ = State::kRunning;
  ShowCounts(run_.counts());
}

void CRecoverProcessWnd::Refuse(const std::string& message, int width, int height) {
  state_ = State::kRefused;
  CMessageBox::Show(settings_, std::nullopt, MsgBoxKind::kError, this, message, width, height);
  Close(2);
}

void CRecoverProcessWnd::Flush() {
  // While the cancel question is open nothing is listed; the batch waits in the feed (no new
  // wake comes until it is taken) and is shown once the question is answered.
  if (asking_)
    return;
  RecoverFeed::Batch batch = feed_.Take();
  if (!batch.files.empty()) {
    if (auto* list = manager_.Find<CListUI>("DetailList"))
      AddDetailRows(*list, batch.files, destination_);
  }
  if (batch.progressed)
    ShowProgress(batch.percent, batch.path, batch.counts);
  else
    ShowCounts(batch.counts);
  if (batch.result)
    OnRunEnded(batch.counts);
}

void CRecoverProcessWnd::ShowProgress(int32_t filePercent, const std::string& path,
                                      const ExportCounts& counts) {
  ShowRunPercent(RunPercent(filePercent, counts));
  if (!path.empty())
    SetText("current", DetailPath(path, destination_));
  ShowCounts(counts);
}

void CRecoverProcessWnd::ShowRunPercent(int32_t percent) {
  if (auto* bar = manager_.Find<CProgressUI>("Progress"))
    bar->SetValue(percent);
  SetText("percent", Msg("MSG1101") + " " + std::to_string(percent) + "%");
}

void CRecoverProcessWnd::ShowCounts(const ExportCounts& counts) {
  SetText("recovered",
          FormatMessage(Msg("MSG1102"),
                        {std::to_string(counts.done), std::to_string(counts.total),
                         std::to_string(counts.succeeded), std::to_string(counts.failed)}));
}

void CRecoverProcessWnd::OnRunEnded(const ExportCounts& counts) {
  runEnded_ = true;
  if (state_ == State::kCancelling) {
    Close(2);
    return;
  }
  state_ = State::kFinished;
  ShowRunPercent(100);
  ShowCounts(counts);
  SetVisible("CancelBtn", false);
  SetVisible("FinishBtn", true);
  const std::string outcome = counts.failed > 0
                                  ? FormatMessage(Msg("MSG1111"), {std::to_string(counts.failed)})
                                  : Msg("MSG1110");
  SetText("current", outcome);
  SetText("LblBannerTitle", outcome);
  // Failures are what the user must see first: the list, with them at its top.
  if (counts.failed > 0)
    ShowDetails(true);
}

void CRecoverProcessWnd::Cancel() {
  if (state_ == State::kFinished) {
    Close(1);
    return;
  }
  if (state_ != State::kRunning)
    return;
  int answer = kMsgBoxCancel;
  {
    // No file is listed while the user is asked: the worker waits at its next report.
    std::lock_guard<std::recursive_mutex> hold(run_.reportLock());
    asking_ = true;
    ShowWindow(false, false);
    answer = CMessageBox::Show(settings_, std::nullopt, MsgBoxKind::kQuestion, GetOwner(),
                               Msg("MSG1103"));
    ShowWindow(true);
    asking_ = false;
    if (answer == kMsgBoxOk && state_ == State::kRunning) {
      run_.RequestCancel();
      state_ = State::kCancelling;
    }
  }
  if (answer == kMsgBoxOk && state_ == State::kFinished) {
    // The run ended while the question was open; the user asked to leave.
    Close(2);
    return;
  }
  if (state_ == State::kCancelling) {
    SetText("current", Msg("MSG1113"));
    if (CControlUI* cancel = manager_.FindControl("CancelBtn"))
      cancel->SetEnabled(false);
  }
  // What was reported before the question, and the end of a cancelled run.
  Flush();
}

bool CRecoverProcessWnd::OnClose(int /*code*/) {
  if (state_ == State::kRunning) {
    post_.PostTask([this] { Cancel(); });
    return false;
  }
  // A cancelled run closes the window itself once its worker has ended.
  return state_ != State::kCancelling || runEnded_;
}

void CRecoverProcessWnd::OpenDestination() {
  if (!UIShellOpen(destination_)) {
    CMessageBox::Show(settings_, std::nullopt, MsgBoxKind::kError, this,
                      FormatMessage(Msg("MSG1112"), {destination_}));
  }
}

void CRecoverProcessWnd::ShowDetails(bool show) {
  detailsShown_ = show;
  SetVisible("iOSRecoveryLayout", !show);
  SetVisible("DetailList", show);
  SetText("DetailBtn",
          show ? Msg("MSG1109") : settings_.Text(LangSection::kRecoverProcessWnd, "DetailBtn"));
}

}  // namespace zbe
