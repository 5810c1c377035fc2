#include "export/ExportRun.h"

#include <cerrno>
#include <climits>
#include <utility>

#include "export/ExportDestination.h"
#include "export/ExportEndStep.h"
#include "export/ExportItems.h"
#include "export/ExportNaming.h"
#include "export/RowBuilders.h"
#include "platform/TimeZone.h"
#include "records/CategoryTable.h"
#include "records/ResultCodes.h"

namespace zbe {
namespace {

std::tm SystemLocalTime() {
  std::tm local{};
  ToLocalTime(static_cast<int64_t>(std::time(nullptr)), local);
  return local;
}

// "root" without trailing "/" (the root folder itself stays "/").
std::string WithoutTrailingSlash(std::string root) {
  while (root.size() > 1 && root.back() == '/') {
    root.pop_back();
  }
  return root;
}

// Element "index" of "items", or null when the selection names one that is not there.
template <typename Items>
const typename Items::value_type* At(const Items& items, size_t index) {
  return index < items.size() ? &items[index] : nullptr;
}

template <typename Map>
const typename Map::mapped_type& ThreadOf(const Map& map, int32_t key) {
  static const typename Map::mapped_type kEmpty;
  auto found = map.find(key);
  return found != map.end() ? found->second : kEmpty;
}

// Writes one checked entry with the writer of its category's results.
struct EntryWriter {
  ExportContext& context;
  const StatisticsEntry& entry;
  const std::string folder;  // the category's folder below the root

  void operator()(NoResults) const {}

  template <FileItem Item>
  void operator()(const std::vector<Item>& items) const {
    Copy(At(items, entry.index), folder);
  }

  void operator()(const AppMediaGroups& groups) const {
    auto found = groups.find(entry.app);
    if (found != groups.end()) {
      Copy(At(found->second, entry.index), folder + "/" + SafeName(entry.app));
    }
  }

  void operator()(const ThreadResults<MessageThreadMap, MessageRecord>& messages) const {
    if (const MessageRecord* row = At(messages.rows, entry.index)) {
      ExportThread(context, folder, *row,
                   ThreadOf(messages.threads, entry.threadKey.value_or(ThreadKey(*row))));
    }
  }

  void operator()(const ThreadResults<WhatsAppThreadMap, WhatsAppMessage>& chats) const {
    if (const WhatsAppMessage* row = At(chats.rows, entry.index)) {
      ExportChat(context, folder, *row,
                 ThreadOf(chats.threads, entry.threadKey.value_or(ThreadKey(*row))));
    }
  }

  // Contacts share one page per run, in a folder named after the run stamp.
  void operator()(const ContactList& contacts) const {
    if (const ContactRecord* contact = At(contacts, entry.index)) {
      std::string row;
      AppendContactRow(*contact, row);
      ExportRecordRow(context, context.contacts, folder + "/" + context.stamp, "Contacts.html",
                      std::move(row));
    }
  }

  void operator()(const CallList& calls) const {
    if (const CallRecord* call = At(calls, entry.index)) {
      std::string row;
      AppendCallRow(*call, row);
      ExportRecordRow(context, context.calls, folder, "CallHistory_" + context.stamp + ".html",
                      std::move(row));
    }
  }

  void operator()(const NoteList& notes) const {
    if (const NoteRecord* note = At(notes, entry.index)) {
      std::string row;
      AppendNoteRow(*note, row);
      ExportRecordRow(context, context.notes, folder, "Notes_" + context.stamp + ".html",
                      std::move(row));
    }
  }

 private:
  template <typename Item>
  void Copy(const Item* item, const std::string& into) const {
    if (item != nullptr) {
      ExportFileItem(context, into, item->name, item->path);
    }
  }
};

}  // namespace

ExportRun::ExportRun(ExportInputs inputs, IExportObserver* observer)
    : inputs_(std::move(inputs)), reporter_(observer), observer_(observer) {}

ExportRun::~ExportRun() {
  if (worker_.joinable()) {
    RequestCancel();
    worker_.join();
  }
}

Result ExportRun::LoadTemplates() {
  if (templatesLoaded_) {
    return Result::Ok();
  }
  for (const TemplateKindInfo& info : TemplateKinds()) {
    HtmlTemplate& tmpl = templates_[static_cast<size_t>(info.kind)];
    int32_t error = LoadTemplate(info.kind, inputs_.programFolder, inputs_.deviceName, tmpl);
    if (error != 0) {
      templateFailure_ = TemplateFailure{inputs_.programFolder + std::string(info.file), error};
      return kTemplateUnreadable;
    }
  }
  templatesLoaded_ = true;
  return Result::Ok();
}

Result ExportRun::Prepare() {
  if (inputs_.results == nullptr || inputs_.selection == nullptr ||
      inputs_.storedFiles == nullptr || inputs_.destinationRoot.empty()) {
    return Result::System(EINVAL);
  }
  if (Result loaded = LoadTemplates(); !loaded.ok()) {
    return loaded;
  }
  root_ = WithoutTrailingSlash(inputs_.destinationRoot);
  if (ExportWouldTouchBackup(root_, inputs_.backupFolder)) {
    return kDestinationInBackup;
  }
  stamp_ = RunStamp(inputs_.localTime ? inputs_.localTime() : SystemLocalTime());
  uint64_t checked = inputs_.selection->Totals().checkedCount;
  reporter_.Start(static_cast<int32_t>(checked > INT32_MAX ? INT32_MAX : checked));
  walk_ = inputs_.selection->Walk();
  return Result::Ok();
}

Result ExportRun::Run() {
  result_ = Prepare();
  if (result_.ok()) {
    finished_.store(0);
    Execute();
  }
  return result_;
}

Result ExportRun::Start() {
  if (worker_.joinable()) {
    return Result::System(EINVAL);
  }
  result_ = Prepare();
  if (!result_.ok()) {
    return result_;
  }
  finished_.store(0);
  worker_ = std::thread([this] { Execute(); });
  return Result::Ok();
}

Result ExportRun::Wait() {
  if (worker_.joinable()) {
    worker_.join();
  }
  return result_;
}

Result ExportRun::Execute() {
  ExportContext context(*inputs_.results, *inputs_.storedFiles, reporter_, templates_, root_,
                        stamp_);
  for (const StatisticsEntry& entry : walk_) {
    if (!entry.IsContainer() && entry.checked) {
      Dispatch(context, entry);
    }
  }
  RunExportEndStep(context);
  Result result = reporter_.cancelled() ? Result::Stopped() : Result::Ok();
  if (observer_ != nullptr) {
    std::lock_guard<std::recursive_mutex> hold(reporter_.lock());
    observer_->OnRunFinished(result.code(), reporter_.counts());
  }
  result_ = result;
  finished_.store(1);
  return result;
}

void ExportRun::Dispatch(ExportContext& context, const StatisticsEntry& entry) {
  std::string_view folder = CategoryFolder(entry.categoryNumber);
  if (folder.empty()) {
    return;
  }
  VisitContainer(context.results, entry.category,
                 EntryWriter{context, entry, root_ + "/" + std::string(folder)});
}

}  // namespace zbe
